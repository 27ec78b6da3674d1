#include "sale/price_change_dialog.h"

#include "app/enter_as_tab.h"
#include "app/fonts.h"
#include "app/legend_button.h"
#include "devices/text_utils.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>

namespace {

QDoubleSpinBox *moneyField(QWidget *parent, const QString &name)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(2);
    box->setRange(-9999999.99, 9999999.99);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

TFzmenac::TFzmenac(QWidget *parent)
    : QDialog(parent), m_newPrice(moneyField(this, QStringLiteral("newPrice"))),
      m_percent(new QSpinBox(this)), m_discountKc(moneyField(this, QStringLiteral("discountKc"))),
      m_listPrice(moneyField(this, QStringLiteral("listPrice"))), m_purchasePrice(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Změna prodejní ceny"));
    new EnterAsTab(this);
    const QFont big = scaledFont(font(), 1.5);
    m_percent->setObjectName(QStringLiteral("percent"));
    m_percent->setRange(0, 100);
    m_percent->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_percent->setAlignment(Qt::AlignRight);
    m_listPrice->setReadOnly(true);
    m_purchasePrice->setObjectName(QStringLiteral("purchasePrice"));
    m_purchasePrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QWidget *w : {static_cast<QWidget *>(m_newPrice), static_cast<QWidget *>(m_percent),
                       static_cast<QWidget *>(m_discountKc), static_cast<QWidget *>(m_listPrice)})
        w->setFont(big);
    auto *change = new LegendButton(QStringLiteral("Změnit cenu"), QStringLiteral("^Enter"), this);
    auto *back = new LegendButton(QStringLiteral("Zpět"), QStringLiteral("Esc"), this);
    for (LegendButton *b : {change, back})
        b->setMinimumSize(150, 48);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Nová cena"), this), 0, 0);
    grid->addWidget(m_newPrice, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sleva"), this), 1, 0);
    grid->addWidget(m_percent, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
    grid->addWidget(m_discountKc, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kč"), this), 2, 2);
    grid->addWidget(change, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Původní cena"), this), 4, 0);
    grid->addWidget(m_listPrice, 4, 1);
    grid->addWidget(m_purchasePrice, 4, 2);
    grid->addWidget(back, 5, 1);

    setTabOrder(m_newPrice, m_percent);
    setTabOrder(m_percent, m_discountKc);
    setTabOrder(m_discountKc, change);
    setTabOrder(change, m_listPrice);
    setTabOrder(m_listPrice, back);

    connect(m_percent, &QSpinBox::editingFinished, this, &TFzmenac::percentLeft);
    connect(m_discountKc, &QDoubleSpinBox::editingFinished, this, &TFzmenac::discountLeft);
    connect(change, &QPushButton::clicked, this, &QDialog::accept);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QDialog::accept);
}

std::optional<TFzmenac::Result> TFzmenac::ask(double listPrice, std::optional<double> purchasePrice)
{
    m_closing = false;
    m_newPrice->setValue(0);
    m_percent->setValue(0);
    m_discountKc->setValue(0);
    m_listPrice->setValue(listPrice);
    m_purchasePrice->setText(purchasePrice ? text::formatAmount(*purchasePrice) : QString());
    m_newPrice->setFocus();
    m_newPrice->selectAll();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Result{m_newPrice->value(), m_percent->value(), m_discountKc->value()};
}

void TFzmenac::done(int result)
{
    // Closing is not leaving a field: nothing is recomputed on the way out.
    m_closing = true;
    QDialog::done(result);
}

void TFzmenac::percentLeft()
{
    if (m_closing)
        return;
    if (m_percent->value() > 0)
        m_discountKc->setValue(
            text::roundToDigits(2, m_percent->value() * m_listPrice->value() / 100.0));
    m_newPrice->setValue(m_listPrice->value() - m_discountKc->value());
}

void TFzmenac::discountLeft()
{
    if (!m_closing)
        m_newPrice->setValue(m_listPrice->value() - m_discountKc->value());
}
