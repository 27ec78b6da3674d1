#include "reports/terminal_notes_window.h"

#include "app/error_box.h"
#include "app/fonts.h"
#include "app/read_only_grid.h"
#include "devices/text_utils.h"
#include "reports/terminal_notes.h"
#include "store/db_session.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>

namespace {

struct Column
{
    const char *field;
    const char *title;
    int width;
    enum Format { Text, Money, Quantity } format = Text;
};

// A query model showing the listed columns only, with their titles and formats.
class NotesModel : public QSqlQueryModel
{
public:
    NotesModel(QList<Column> columns, QObject *parent)
        : QSqlQueryModel(parent), m_columns(std::move(columns))
    {}

    void layOut(QTableView *view) const
    {
        for (int c = 0; c < columnCount(); ++c)
            view->setColumnHidden(c, true);
        int visual = 0;
        for (const Column &col : m_columns) {
            const int c = record().indexOf(QLatin1String(col.field));
            if (c < 0)
                continue;
            view->setColumnHidden(c, false);
            view->setColumnWidth(c, col.width);
            view->horizontalHeader()->moveSection(view->horizontalHeader()->visualIndex(c),
                                                  visual++);
        }
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const Column *col = columnAt(index.column());
        if (!col || col->format == Column::Text)
            return QSqlQueryModel::data(index, role);
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return QSqlQueryModel::data(index, role);
        const double value = QSqlQueryModel::data(index).toDouble();
        return col->format == Column::Money ? text::formatAmount(value).trimmed()
                                            : text::formatNumber(value);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            if (const Column *col = columnAt(section))
                return QString::fromUtf8(col->title);
        return QSqlQueryModel::headerData(section, orientation, role);
    }

private:
    const Column *columnAt(int section) const
    {
        const QString name = record().fieldName(section);
        for (const Column &col : m_columns)
            if (name.compare(QLatin1String(col.field), Qt::CaseInsensitive) == 0)
                return &col;
        return nullptr;
    }

    QList<Column> m_columns;
};

QTableView *grid(QAbstractItemModel *model, const QString &name, int fontPx, QWidget *parent)
{
    QTableView *view = readOnlyGrid(model, name, parent);
    QFont f = view->font();
    f.setPixelSize(fontPx);
    view->setFont(f);
    view->verticalHeader()->setDefaultSectionSize(fontPx + 12);
    return view;
}

QPushButton *bigButton(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setFont(scaledFont(b->font(), 1.5, true));
    b->setMinimumSize(200, 90);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFztermuc::TFztermuc(DbSession &session, const QString &stredisko, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(session), m_stredisko(stredisko),
      m_notesModel(new NotesModel({{"datum", "datum", 160},
                                   {"cas", "čas", 90},
                                   {"odberatel", "odběratel", 160},
                                   {"suma", "bez DPH", 200, Column::Money},
                                   {"sumasd", "celkem", 200, Column::Money}},
                                  this)),
      m_linesModel(new NotesModel({{"CAS", "čas", 60},
                                   {"JKPOV", "JKPOV", 120},
                                   {"NAZEV", "     název", 250},
                                   {"MNOZ", "množství", 80, Column::Quantity},
                                   {"MJ", "MJ", 30},
                                   {"PC", "PC", 90, Column::Money},
                                   {"DPH", "DPH", 25},
                                   {"PCSD", "PCSD", 80, Column::Money}},
                                  this)),
      m_notes(grid(m_notesModel, QStringLiteral("notes"), 22, this)),
      m_lines(grid(m_linesModel, QStringLiteral("noteLines"), 15, this))
{
    setWindowTitle(QStringLiteral("Seznam pro vytvoření účtenky"));
    resize(1100, 700);
    auto *create = bigButton(QStringLiteral("VYTVOŘIT\nÚČTENKU"), this);
    create->setObjectName(QStringLiteral("vytvorit"));
    auto *remove = bigButton(QStringLiteral("SMAZAT\nZÁZNAM"), this);
    remove->setObjectName(QStringLiteral("smazat"));
    auto *back = bigButton(QStringLiteral("ZPĚT"), this);
    back->setObjectName(QStringLiteral("zpet"));
    connect(create, &QPushButton::clicked, this, &QDialog::accept);
    connect(remove, &QPushButton::clicked, this, &TFztermuc::deleteNote);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_notes, 0, 0);
    layout->addWidget(m_lines, 1, 0, 3, 1);
    layout->addWidget(create, 0, 1, Qt::AlignTop);
    layout->addWidget(remove, 1, 1, Qt::AlignTop);
    layout->addWidget(back, 3, 1, Qt::AlignBottom);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(2, 1);
}

void TFztermuc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    runGuarded(this, [this] {
        m_session.exec(terminal::refreshStatement());
        openNotes();
    });
}

void TFztermuc::openNotes()
{
    m_session.fillModel(*m_notesModel, terminal::notesQuery(m_stredisko));
    static_cast<NotesModel *>(m_notesModel)->layOut(m_notes);
    connect(
        m_notes->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this] { runGuarded(this, [this] { showLines(); }); }, Qt::UniqueConnection);
    if (m_notesModel->rowCount() > 0)
        m_notes->setCurrentIndex(
            m_notesModel->index(0, m_notesModel->record().indexOf(QStringLiteral("odberatel"))));
    showLines();
}

void TFztermuc::showLines()
{
    if (m_notesModel->rowCount() == 0) {
        m_linesModel->clear(); // no note, no lines
        return;
    }
    m_session.fillModel(*m_linesModel, terminal::linesQuery(m_stredisko, currentCustomer()));
    static_cast<NotesModel *>(m_linesModel)->layOut(m_lines);
}

QString TFztermuc::currentCustomer() const
{
    const QModelIndex current = m_notes->currentIndex();
    if (!current.isValid())
        return QString();
    return m_notesModel->record(current.row()).value(QStringLiteral("odberatel")).toString();
}

void TFztermuc::deleteNote()
{
    if (m_notesModel->rowCount() == 0)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Terminál"),
                    QStringLiteral("Opravdu smazat záznam?"), QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(QStringLiteral("Smazat"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Ne"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != yes)
        return;
    const QString customer = currentCustomer();
    runGuarded(this, [&] {
        m_session.exec(terminal::deleteStatement(m_stredisko, customer));
        openNotes();
    });
}
