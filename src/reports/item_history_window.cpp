#include "reports/item_history_window.h"

#include "app/error_box.h"
#include "app/fonts.h"
#include "devices/report.h"
#include "devices/report_output.h"
#include "store/db_session.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>

TFhisto::TFhisto(DbSession &session, const QString &cisloPC, const QString &jkpov,
                 const QString &nazev, const QString &stredisko, const LaunchSwitches &switches,
                 const QString &templateFolder, QWidget *parent)
    : QDialog(parent), m_session(session), m_history(session, cisloPC, jkpov, stredisko),
      m_jkpov(jkpov), m_nazev(nazev), m_switches(switches), m_templateFolder(templateFolder),
      m_received(new QCheckBox(QStringLiteral("příjem"), this)),
      m_delivered(new QCheckBox(QStringLiteral("výdej, fakturace"), this)),
      m_sold(new QCheckBox(QStringLiteral("účtenky"), this)),
      m_receivedSum(new QLabel(QStringLiteral("0"), this)),
      m_deliveredSum(new QLabel(QStringLiteral("0"), this)),
      m_soldSum(new QLabel(QStringLiteral("0"), this)),
      m_fromDay(new QCheckBox(QStringLiteral("od data"), this)), m_from(new QDateEdit(this)),
      m_grid(new QTableView(this)), m_model(new QSqlQueryModel(this))
{
    setWindowTitle(QStringLiteral("Historie zboží"));
    resize(760, 560);
    m_received->setObjectName(QStringLiteral("prijem"));
    m_delivered->setObjectName(QStringLiteral("vydej"));
    m_sold->setObjectName(QStringLiteral("uctenky"));
    m_receivedSum->setObjectName(QStringLiteral("sumaP"));
    m_deliveredSum->setObjectName(QStringLiteral("sumaV"));
    m_soldSum->setObjectName(QStringLiteral("sumaU"));
    m_fromDay->setObjectName(QStringLiteral("odData"));
    m_from->setObjectName(QStringLiteral("datum"));
    m_from->setCalendarPopup(true);
    m_from->setDisplayFormat(QStringLiteral("d. M. yyyy"));
    m_grid->setObjectName(QStringLiteral("historie"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();

    const QFont big = scaledFont(font(), 1.3);
    auto *code = new QLabel(jkpov, this);
    auto *name = new QLabel(nazev, this);
    code->setFont(big);
    name->setFont(big);

    auto *kinds = new QGroupBox(QStringLiteral("Doklady"), this);
    auto *kindsLayout = new QGridLayout(kinds);
    int row = 0;
    for (auto [box, sum] : {std::pair{m_received, m_receivedSum},
                            std::pair{m_delivered, m_deliveredSum}, std::pair{m_sold, m_soldSum}}) {
        box->setChecked(true);
        sum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        kindsLayout->addWidget(box, row, 0);
        kindsLayout->addWidget(sum, row++, 1);
        connect(box, &QCheckBox::clicked, this, &TFhisto::filter);
    }
    connect(m_fromDay, &QCheckBox::clicked, this, &TFhisto::filter);
    connect(m_from, &QDateEdit::dateChanged, this, &TFhisto::filter);

    auto *print = new QPushButton(QStringLiteral("Tisk"), this);
    auto *back = new QPushButton(QStringLiteral("Zpět"), this);
    connect(print, &QPushButton::clicked, this, &TFhisto::print);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QGridLayout;
    top->addWidget(code, 0, 0);
    top->addWidget(name, 0, 1, 1, 2);
    top->addWidget(kinds, 1, 0, 2, 2);
    top->addWidget(m_fromDay, 1, 2);
    top->addWidget(m_from, 2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(back);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

bool TFhisto::load()
{
    return runGuarded(this, [this] {
        m_history.build();
        const ItemHistory::Sums sums = m_history.sums();
        m_receivedSum->setText(sums.received);
        m_deliveredSum->setText(sums.delivered);
        m_soldSum->setText(sums.sold);
        for (QCheckBox *box : {m_received, m_delivered, m_sold})
            box->setChecked(true);
        m_loading = true;
        m_from->setDate(QDate::currentDate().addDays(-30));
        m_loading = false;
        filter();
    });
}

void TFhisto::filter()
{
    if (m_loading)
        return;
    const QString query = m_history.filterQuery(m_received->isChecked(), m_delivered->isChecked(),
                                                m_sold->isChecked(),
                                                m_fromDay->isChecked() ? m_from->date() : QDate());
    runGuarded(this, [&] {
        writeTrace(Trace::A, query);
        m_session.fillModel(*m_model, query);
        while (m_model->canFetchMore())
            m_model->fetchMore();
    });
    static const char *titles[] = {"Číslo dokladu", "TYP",       "Datum",        "Množství", "NC",
                                   "ZUSTATEK",      "STREDISKO", "      Podnik", "NAZEV"};
    static const int widths[] = {85, 25, 90, 70, 80, 0, 0, 150, 0};
    for (int c = 0; c < m_model->columnCount() && c < 9; ++c) {
        m_model->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(titles[c]));
        m_grid->setColumnHidden(c, widths[c] == 0);
        m_grid->setColumnWidth(c, widths[c]);
    }
}

void TFhisto::print()
{
    Report report;
    QList<QSqlRecord> rows;
    for (int r = 0; r < m_model->rowCount(); ++r)
        rows << m_model->record(r);
    report.setData(rows);
    report.loadFromFile(QDir(m_templateFolder).filePath(QStringLiteral("his1.fr3")));
    report.setVariable(QStringLiteral("tex1"), m_jkpov);
    report.setVariable(QStringLiteral("tex2"), m_nazev);
    showReport(report, m_switches.designer, this);
}

void TFhisto::done(int result)
{
    runGuarded(this, [this] { m_history.drop(); });
    QDialog::done(result);
}
