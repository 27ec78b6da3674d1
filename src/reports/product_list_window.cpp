#include "reports/product_list_window.h"

#include "app/error_box.h"
#include "reports/item_history_window.h"
#include "reports/product_search_dialog.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// An hourglass for the time of a scope.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TFnabcen::TFnabcen(QWidget *parent)
    : QDialog(parent), m_model(new QSqlQueryModel(this)), m_list(new QTableView(this)),
      m_showNc(new QCheckBox(QStringLiteral("zobrazit NC"), this))
{
    setWindowTitle(QStringLiteral("Zboží"));
    resize(640, 620);
    m_list->setObjectName(QStringLiteral("seznam"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_showNc->setObjectName(QStringLiteral("zobrazitNC"));

    auto *take = new QPushButton(QStringLiteral("Převzít"), this);
    take->setObjectName(QStringLiteral("prevzit"));
    auto *back = new QPushButton(QStringLiteral("Zpět"), this);
    auto *history = new QPushButton(QStringLiteral("Historie"), this);
    history->setObjectName(QStringLiteral("historie"));
    auto *recompute = new QPushButton(QStringLiteral("Přepočítat\r\n stav"), this);
    recompute->setObjectName(QStringLiteral("prepocitat"));
    for (QPushButton *b : {take, back, history, recompute}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(48);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(take);
    buttons->addWidget(back);
    buttons->addWidget(m_showNc);
    buttons->addStretch();
    buttons->addWidget(history);
    buttons->addWidget(recompute);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(take, &QPushButton::clicked, this, &TFnabcen::Prevzit);
    connect(m_list, &QTableView::doubleClicked, this, &TFnabcen::Prevzit);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(history, &QPushButton::clicked, this, &TFnabcen::openHistory);
    connect(recompute, &QPushButton::clicked, this, &TFnabcen::recomputeStock);
    connect(m_showNc, &QCheckBox::toggled, this, &TFnabcen::applyColumns);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFnabcen::search);

    // Enter takes over, F3 searches the names; Esc is the dialog's own "Zpět".
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, &TFnabcen::Prevzit);
        m_keys << key;
    }
    auto *f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, [this] { search(column("nazev")); });
    m_keys << f3;
}

void TFnabcen::attach(DbSession &session, const QString &stredisko, const LaunchSwitches &switches,
                      const QString &templateFolder)
{
    m_session = &session;
    m_switches = switches;
    m_templateFolder = templateFolder;
    m_query = QStringList{QStringLiteral("select * from seznam"),
                          QStringLiteral(" where STREDISKO=") + sql::quote(stredisko),
                          QStringLiteral(" and AKTIVNI=\"A\""), QStringLiteral(" order by nazev;")}
                  .join(QLatin1Char('\n'));
    session.fillModel(*m_model, m_query);
    while (m_model->canFetchMore())
        m_model->fetchMore();
    applyColumns();
    if (m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0, column("nazev")));
}

int TFnabcen::column(const char *name) const
{
    return m_model->record().indexOf(QLatin1String(name));
}

void TFnabcen::applyColumns()
{
    struct Shown
    {
        const char *field;
        const char *caption;
        int width;
        Qt::Alignment align;
    };
    static const Shown shown[] = {
        {"jkpov", "JKP", 90, Qt::AlignLeft},       {"nazev", "Název", 250, Qt::AlignLeft},
        {"mj", "MJ", 25, Qt::AlignCenter},         {"pcsd", "Prodejní cena", 70, Qt::AlignRight},
        {"pnc", "Nákup.cena", 65, Qt::AlignRight}, {"stav", "Stav", 65, Qt::AlignRight},
    };
    QHeaderView *header = m_list->horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_list->setColumnHidden(c, true);
    int visual = 0;
    for (const Shown &s : shown) {
        const int c = column(s.field);
        if (c < 0)
            continue;
        m_model->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(s.caption));
        const bool hiddenNc = qstrcmp(s.field, "pnc") == 0 && !m_showNc->isChecked();
        m_list->setColumnHidden(c, hiddenNc);
        m_list->setColumnWidth(c, s.width);
        header->moveSection(header->visualIndex(c), visual++);
    }
}

void TFnabcen::setKeysEnabled(bool on)
{
    for (QShortcut *key : std::as_const(m_keys))
        key->setEnabled(on);
}

int TFnabcen::showList(const QString &cisloPC, int tag)
{
    m_cisloPC = cisloPC;
    m_tag = tag;
    exec();
    setKeysEnabled(false);
    return m_tag;
}

void TFnabcen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().left(), screen->geometry().top() + 100);
    setKeysEnabled(true);
    applyColumns();
    m_list->setFocus();
    if (m_tag == -1)
        recomputeStock();
}

QString TFnabcen::currentJkpov() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? m_model->index(current.row(), column("jkpov")).data().toString()
                             : QString();
}

void TFnabcen::Prevzit()
{
    m_tag = 1;
    accept();
}

void TFnabcen::recomputeStock()
{
    if (!m_session)
        return;
    BusyCursor busy;
    const int row = m_list->currentIndex().row();
    runGuarded(this, [&] {
        m_session->exec(QStringLiteral("call seznam_stav()"));
        m_session->fillModel(*m_model, m_query);
        while (m_model->canFetchMore())
            m_model->fetchMore();
    });
    applyColumns();
    if (row >= 0 && row < m_model->rowCount())
        m_list->setCurrentIndex(m_model->index(row, column("nazev")));
}

void TFnabcen::openHistory()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_session)
        return;
    const auto value = [&](const char *name) {
        return m_model->index(current.row(), column(name)).data().toString();
    };
    TFhisto history(*m_session, m_cisloPC, value("jkpov"), value("nazev"), value("stredisko"),
                    m_switches, m_templateFolder, this);
    if (history.load())
        history.exec();
}

void TFnabcen::search(int searchColumn)
{
    setKeysEnabled(false);
    {
        ProductSearchDialog dialog(m_list, searchColumn, this);
        dialog.exec();
    }
    setKeysEnabled(true);
    activateWindow();
    m_list->setFocus();
}
