#include "reports/sales_report_window.h"

#include "app/error_box.h"
#include "devices/report.h"
#include "devices/report_output.h"
#include "reports/sales_reports.h"
#include "store/db_session.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFtrzby1::TFtrzby1(DbSession &session, const QString &cisloPC, const QString &stredisko,
                   const LaunchSwitches &switches, const QString &templateFolder, QWidget *parent)
    : QDialog(parent), m_session(session), m_cisloPC(cisloPC), m_switches(switches),
      m_templateFolder(templateFolder), m_from(new QDateEdit(QDate::currentDate(), this)),
      m_to(new QDateEdit(QDate::currentDate(), this)), m_branch(new QLineEdit(stredisko, this)),
      m_jkpov(new QLineEdit(this)), m_kinds(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Tržby za období"));
    for (QDateEdit *date : {m_from, m_to}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("d. M. yyyy"));
    }
    m_from->setObjectName(QStringLiteral("odData"));
    m_to->setObjectName(QStringLiteral("doData"));
    m_branch->setObjectName(QStringLiteral("stredisko"));
    m_branch->setReadOnly(true);
    m_jkpov->setObjectName(QStringLiteral("jkp"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Od data"), m_from);
    form->addRow(QStringLiteral("Do data"), m_to);
    form->addRow(QStringLiteral("Středisko"), m_branch);
    form->addRow(QStringLiteral("JKP"), m_jkpov);

    auto *kinds = new QGroupBox(QStringLiteral("Součet"), this);
    auto *kindsLayout = new QVBoxLayout(kinds);
    const QStringList captions = salesReportKinds();
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = new QRadioButton(captions.at(i), kinds);
        m_kinds->addButton(radio, i);
        kindsLayout->addWidget(radio);
    }
    m_kinds->button(0)->setChecked(true);

    auto *print = new QPushButton(QStringLiteral("Tisk"), this);
    print->setObjectName(QStringLiteral("tisk"));
    auto *back = new QPushButton(QStringLiteral("Zpět"), this);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, &TFtrzby1::Button1Click);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(back);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(kinds);
    layout->addLayout(buttons);
}

void TFtrzby1::Button1Click()
{
    SalesReportRequest request;
    request.kind = m_kinds->checkedId();
    request.from = m_from->date();
    request.to = m_to->date();
    request.stredisko = m_branch->text();
    request.jkpov = m_jkpov->text();
    request.cisloPC = m_cisloPC;
    request.vat = m_vatRates;
    Report report;
    if (!runGuarded(this, [&] { runSalesReport(m_session, request, m_templateFolder, report); }))
        return;
    showReport(report, m_switches.designer, this);
}

void TFtrzby1::done(int result)
{
    runGuarded(this, [this] {
        for (const QString &statement : salesReportCleanUp(m_cisloPC))
            m_session.exec(statement);
    });
    QDialog::done(result);
}
