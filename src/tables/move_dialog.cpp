#include "tables/move_dialog.h"

#include "app/error_box.h"
#include "app/legend_button.h"
#include "app/read_only_grid.h"
#include "devices/text_utils.h"
#include "sale/item_entry.h"
#include "store/db_session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Quantities and money as the cashier reads them.
class MoveLinesModel : public QSqlQueryModel
{
public:
    using QSqlQueryModel::QSqlQueryModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const QString field = record().fieldName(index.column()).toLower();
        const bool number = field == QLatin1String("mnoz") || field == QLatin1String("pcsd") ||
                            field == QLatin1String("cenar");
        if (role == Qt::TextAlignmentRole && number)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || !number)
            return QSqlQueryModel::data(index, role);
        const double value = QSqlQueryModel::data(index, role).toDouble();
        return field == QLatin1String("mnoz") ? text::formatNumber(value)
                                              : text::formatAmount(value).trimmed();
    }
};

QTableView *grid(QSqlQueryModel *model, const QString &name, QWidget *parent)
{
    QTableView *view = readOnlyGrid(model, name, parent);
    // Small enough that "Množství" fits its narrow column.
    QFont header = view->font();
    header.setBold(true);
    header.setPixelSize(17);
    QFont f = view->font();
    f.setPixelSize(27);
    view->setFont(f);
    view->horizontalHeader()->setFont(header);
    view->verticalHeader()->setDefaultSectionSize(36);
    return view;
}

// Shows only ZKRATKA, MNOZ, MJ, PCSD, CENAR, in this order, with their titles.
void showColumns(QTableView *view, QSqlQueryModel *model)
{
    struct Shown
    {
        const char *field;
        const char *title;
        int width;
    };
    static const Shown shown[] = {{"zkratka", "ZKRATKA", 330},
                                  {"mnoz", "Množství", 100},
                                  {"mj", "MJ", 45},
                                  {"pcsd", "Cena", 120},
                                  {"cenar", "Celkem", 140}};
    for (int c = 0; c < model->columnCount(); ++c)
        view->setColumnHidden(c, true);
    int visual = 0;
    for (const Shown &s : shown) {
        const int c = model->record().indexOf(QLatin1String(s.field));
        if (c < 0)
            continue;
        model->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(s.title));
        view->setColumnHidden(c, false);
        view->setColumnWidth(c, s.width);
        view->horizontalHeader()->moveSection(view->horizontalHeader()->visualIndex(c), visual++);
    }
}

} // namespace

TFpresun::TFpresun(DbSession &session, const QString &cisloPC, const QString &source,
                   const QString &target, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(session), m_move(session, cisloPC, source, target),
      m_sourceModel(new MoveLinesModel(this)), m_movedModel(new MoveLinesModel(this)),
      m_quantity(new QLineEdit(this)),
      m_presun(new LegendButton(QStringLiteral("PŘESUN"), QStringLiteral("^Enter"), this)),
      m_hotovo(new LegendButton(QStringLiteral("HOTOVO"), QStringLiteral("F5"), this)),
      m_total(new QLabel(this)),
      m_ctrlEnter(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this)),
      m_f5(new QShortcut(QKeySequence(Qt::Key_F5), this)), m_cisloPC(cisloPC)
{
    setWindowTitle(QStringLiteral("Přesun části účtenky"));
    setFixedSize(1018, 679);
    m_source = grid(m_sourceModel, QStringLiteral("zdroj"), this);
    m_moved = grid(m_movedModel, QStringLiteral("presunuto"), this);
    m_source->setFixedHeight(300);
    m_quantity->setObjectName(QStringLiteral("mnozstvi"));
    m_quantity->setMaxLength(20);
    QFont big = font();
    big.setPixelSize(28);
    m_quantity->setFont(big);
    auto *direction = new QLabel(source + QStringLiteral(" -> ") + target, this);
    direction->setObjectName(QStringLiteral("smer"));
    QFont label = font();
    label.setPixelSize(24);
    direction->setFont(label);
    direction->setAlignment(Qt::AlignCenter);
    QFont total = font();
    total.setPixelSize(48);
    total.setBold(true);
    m_total->setObjectName(QStringLiteral("soucet"));
    m_total->setFont(total);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *back = new LegendButton(QStringLiteral("ZPĚT"), QStringLiteral("Esc"), this);
    for (LegendButton *b : {m_presun, m_hotovo, back}) {
        b->setMinimumHeight(64);
        b->setFont(label);
    }
    m_presun->setObjectName(QStringLiteral("presun"));
    m_hotovo->setObjectName(QStringLiteral("hotovo"));

    auto *left = new QVBoxLayout;
    left->addWidget(m_source);
    left->addWidget(m_moved, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Množství"), this));
    right->addWidget(m_quantity);
    right->addWidget(m_presun);
    right->addWidget(direction);
    right->addWidget(m_hotovo);
    right->addWidget(m_total);
    right->addStretch();
    right->addWidget(back);
    auto *panel = new QWidget(this);
    panel->setFixedWidth(230);
    panel->setLayout(right);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 1);
    layout->addWidget(panel);

    connect(m_source, &QTableView::doubleClicked, this, &TFpresun::chooseLine);
    connect(m_moved, &QTableView::doubleClicked, this, &TFpresun::chooseLine);
    connect(m_presun, &QPushButton::clicked, this, &TFpresun::Presun);
    connect(m_ctrlEnter, &QShortcut::activated, this, &TFpresun::Presun);
    connect(m_hotovo, &QPushButton::clicked, this, &TFpresun::Hotovo);
    connect(m_f5, &QShortcut::activated, this, &TFpresun::Hotovo);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    m_presun->setEnabled(false);
    m_ctrlEnter->setEnabled(false);
    m_hotovo->setEnabled(false);
    m_f5->setEnabled(false);
}

bool TFpresun::run()
{
    if (!runGuarded(this, [this] {
            m_move.open();
            refresh();
        }))
        return false;
    m_total->clear();
    return exec() == QDialog::Accepted;
}

void TFpresun::refresh()
{
    m_session.fillModel(*m_sourceModel, m_move.sourceLinesQuery());
    showColumns(m_source, m_sourceModel);
    if (m_sourceModel->rowCount() > 0 && !m_source->currentIndex().isValid())
        m_source->setCurrentIndex(
            m_sourceModel->index(0, m_sourceModel->record().indexOf(QStringLiteral("zkratka"))));
}

void TFpresun::chooseLine()
{
    const QModelIndex current = m_source->currentIndex();
    if (!current.isValid())
        return;
    const QSqlRecord line = m_sourceModel->record(current.row());
    m_chosenId2 = line.value(QStringLiteral("id2")).toInt();
    m_quantity->setText(text::formatNumber(line.value(QStringLiteral("mnoz")).toDouble()));
    m_quantity->setFocus();
    m_quantity->selectAll();
    m_presun->setEnabled(true);
    m_ctrlEnter->setEnabled(true);
}

void TFpresun::Presun()
{
    if (m_chosenId2 < 0)
        return;
    m_ctrlEnter->setEnabled(false);
    m_presun->setEnabled(false);
    const std::optional<double> quantity = parseQuantity(m_quantity->text());
    if (!quantity) {
        showError(this, QStringLiteral("„%1“ není platné číslo.").arg(m_quantity->text()));
        activateWindow();
        m_quantity->setFocus();
        return;
    }
    const int id2 = m_chosenId2;
    m_chosenId2 = -1;
    if (!runGuarded(this, [&] {
            m_move.moveLine(id2, *quantity);
            refresh();
            m_session.fillModel(*m_movedModel, QStringLiteral("select * from tmp") + m_cisloPC +
                                                   QStringLiteral("uctx order by id"));
            showColumns(m_moved, m_movedModel);
            m_movedTotal = m_move.movedTotal();
        }))
        return;
    m_total->setText(text::formatWholeAmount(m_movedTotal));
    m_quantity->clear();
    m_f5->setEnabled(true);
    m_hotovo->setEnabled(true);
}

void TFpresun::Hotovo()
{
    if (runGuarded(this, [this] { m_move.done(); }))
        accept();
}

double TFpresun::sourceTotalAfterMove()
{
    return m_move.sourceTotalAfterMove();
}
