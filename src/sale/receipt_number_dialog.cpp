#include "sale/receipt_number_dialog.h"

#include "app/fonts.h"
#include "app/legend_button.h"
#include "devices/receipt_print.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

TFtiskuct::TFtiskuct(QWidget *parent)
    : QDialog(parent), m_year(new QSpinBox(this)), m_branch(new QSpinBox(this)),
      m_running(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Tisk účtenky"));
    const QFont big = scaledFont(font(), 1.6);
    m_year->setObjectName(QStringLiteral("year"));
    m_year->setRange(0, 99);
    m_branch->setObjectName(QStringLiteral("branch"));
    m_branch->setRange(0, 999999);
    m_branch->setReadOnly(true);
    m_branch->setFocusPolicy(Qt::NoFocus);
    m_running->setObjectName(QStringLiteral("running"));
    m_running->setRange(0, 99999);
    for (QSpinBox *box : {m_year, m_branch, m_running}) {
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setAlignment(Qt::AlignRight);
        box->setFont(big);
    }
    m_year->setMaximumWidth(70);
    auto *back = new LegendButton(QStringLiteral("Zpět"), QStringLiteral("Esc"), this);
    auto *print = new LegendButton(QStringLiteral("Tisk účtenky"), QStringLiteral("^Enter"), this);
    print->setObjectName(QStringLiteral("print"));
    for (LegendButton *b : {back, print})
        b->setMinimumSize(150, 48);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    // Esc rejects a dialog already; Ctrl+Enter confirms while the dialog is shown.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QDialog::accept);

    auto *fields = new QHBoxLayout;
    fields->addWidget(m_year);
    fields->addWidget(m_branch, 1);
    fields->addWidget(m_running, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(print);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Číslo účtenky"), this));
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

std::optional<qint64> TFtiskuct::ask(int year, const QString &stredisko, int runningNumber)
{
    m_branch->setValue(branchFieldValue(stredisko));
    m_year->setValue(year);
    m_running->setValue(runningNumber);
    m_running->setFocus();
    m_running->selectAll();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return reprintReceiptNumber(m_year->value(), stredisko, m_running->value());
}
