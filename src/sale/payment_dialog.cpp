#include "sale/payment_dialog.h"

#include "app/enter_as_tab.h"
#include "app/error_box.h"
#include "app/fonts.h"
#include "app/legend_button.h"
#include "devices/text_utils.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSpinBox>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TFplatit::TFplatit(QWidget *parent)
    : QDialog(parent), m_totalValue(new QLabel(this)), m_dueValue(new QLabel(this)),
      m_paid(new QSpinBox(this)), m_change(new QLineEdit(this)), m_customer(new QPushButton(this)),
      m_discount(new QLabel(this)), m_cardField(new QLineEdit(this)),
      m_cardLegend(new QLabel(QStringLiteral("F2"), this)),
      m_cash(new LegendButton(QStringLiteral("HOTOVĚ"), QStringLiteral("F5"), this)),
      m_cardPayment(new LegendButton(QStringLiteral("KARTA"), QStringLiteral("F6"), this)),
      m_back(new LegendButton(QStringLiteral("ZPĚT"), QString(), this)),
      m_f2(new QShortcut(QKeySequence(Qt::Key_F2), this)),
      m_f5(new QShortcut(QKeySequence(Qt::Key_F5), this)),
      m_f6(new QShortcut(QKeySequence(Qt::Key_F6), this))
{
    setWindowTitle(QStringLiteral("Účtenka - platba"));
    setModal(true);
    new EnterAsTab(this);
    const QFont big = scaledFont(font(), 2.2);
    const QFont large = scaledFont(font(), 1.5);

    for (QLabel *value : {m_totalValue, m_dueValue}) {
        value->setFont(big);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(220);
    }
    m_dueValue->setStyleSheet(QStringLiteral("color: #00308f"));
    m_paid->setObjectName(QStringLiteral("paid"));
    m_paid->setRange(-99999999, 99999999);
    m_paid->setGroupSeparatorShown(true);
    m_paid->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_paid->setAlignment(Qt::AlignRight);
    m_paid->setFont(big);
    m_change->setObjectName(QStringLiteral("change"));
    m_change->setReadOnly(true);
    m_change->setAlignment(Qt::AlignRight);
    m_change->setFont(big);
    m_customer->setObjectName(QStringLiteral("customer"));
    m_customer->setFlat(true);
    m_customer->setAutoDefault(false);
    m_customer->setFocusPolicy(Qt::NoFocus);
    m_customer->setStyleSheet(
        QStringLiteral("text-align: left; border: 1px solid palette(mid); padding: 4px"));
    m_customer->setMinimumHeight(34);
    m_discount->setObjectName(QStringLiteral("discount"));
    m_discount->setFont(large);
    m_cardField->setObjectName(QStringLiteral("cardField"));
    m_cardField->setMaxLength(20);
    m_cardField->setFont(large);
    m_cardField->hide();
    m_cardLegend->setStyleSheet(QStringLiteral("color: #800000"));
    m_cash->setObjectName(QStringLiteral("cash"));
    m_cardPayment->setObjectName(QStringLiteral("card"));
    m_back->setObjectName(QStringLiteral("back"));
    for (LegendButton *b : {m_cash, m_cardPayment, m_back}) {
        b->setFont(large);
        b->setMinimumSize(150, 64);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("Součet"), this), 0, 0);
    grid->addWidget(m_totalValue, 0, 1);
    grid->addWidget(caption(QStringLiteral("K úhradě"), this), 1, 0);
    grid->addWidget(m_dueValue, 1, 1);
    grid->addWidget(caption(QStringLiteral("Platil"), this), 2, 0);
    grid->addWidget(m_paid, 2, 1);
    grid->addWidget(caption(QStringLiteral("Vrátit"), this), 3, 0);
    grid->addWidget(m_change, 3, 1);
    grid->addWidget(caption(QStringLiteral("Zákazník"), this), 4, 0);
    grid->addWidget(m_customer, 4, 1);
    auto *cardRow = new QHBoxLayout;
    cardRow->addWidget(m_cardLegend);
    cardRow->addWidget(m_cardField, 1);
    cardRow->addWidget(caption(QStringLiteral("sleva %"), this));
    cardRow->addWidget(m_discount);
    grid->addLayout(cardRow, 5, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cash);
    buttons->addWidget(m_cardPayment);
    buttons->addStretch();
    buttons->addWidget(m_back);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    setTabOrder(m_paid, m_cash);
    setTabOrder(m_cash, m_cardPayment);
    setTabOrder(m_cardPayment, m_change);
    setTabOrder(m_change, m_cardField);
    setTabOrder(m_cardField, m_back);

    connect(m_paid, &QSpinBox::valueChanged, this, &TFplatit::paidChanged);
    connect(m_customer, &QPushButton::clicked, this, &TFplatit::openCardEntry);
    connect(m_f2, &QShortcut::activated, this, &TFplatit::openCardEntry);
    connect(m_cardField, &QLineEdit::editingFinished, this, &TFplatit::cardFieldExit,
            Qt::QueuedConnection);
    connect(m_cash, &QPushButton::clicked, this, [this] { choose(PaymentMode::Cash); });
    connect(m_f5, &QShortcut::activated, m_cash, &QPushButton::click);
    connect(m_cardPayment, &QPushButton::clicked, this, [this] { choose(PaymentMode::Card); });
    connect(m_f6, &QShortcut::activated, m_cardPayment, &QPushButton::click);
    connect(m_back, &QPushButton::clicked, this, &QDialog::reject);
    setKeysEnabled(false);
}

void TFplatit::setKeysEnabled(bool on)
{
    m_f2->setEnabled(on);
    m_f5->setEnabled(on);
    m_f6->setEnabled(on && m_cardPayment->isEnabled());
}

std::optional<PaymentChoice> TFplatit::platba(int due, bool cardPaymentAllowed, DbSession &session,
                                              bool customerCardAllowed)
{
    m_session = &session;
    m_customerCardAllowed = customerCardAllowed;
    m_customer->setEnabled(customerCardAllowed);
    m_cardLegend->setVisible(customerCardAllowed);
    m_choice.reset();
    m_card = {};
    m_customer->setText(QString());
    m_discount->clear();
    m_cardField->clear();
    m_cardField->hide();
    m_total = due;
    m_due = due;
    m_cardPayment->setEnabled(cardPaymentAllowed);
    m_cardPayment->setLegendVisible(cardPaymentAllowed);
    m_paid->setValue(0);
    showAmounts();
    setKeysEnabled(true);
    m_paid->setFocus();
    m_paid->selectAll();
    exec();
    setKeysEnabled(false);
    m_session = nullptr;
    return m_choice;
}

void TFplatit::showAmounts()
{
    m_totalValue->setText(text::formatWholeAmount(m_total));
    m_dueValue->setText(text::formatWholeAmount(m_due));
    paidChanged();
}

void TFplatit::paidChanged()
{
    const int change = m_paid->value() - m_due;
    m_change->setText(text::formatWholeAmount(change));
    QPalette p = m_change->palette();
    p.setColor(QPalette::Text,
               change < 0 ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    m_change->setPalette(p);
}

void TFplatit::openCardEntry()
{
    if (!m_session || !m_customerCardAllowed)
        return;
    if (!m_cards.isLoaded() && !runGuarded(this, [this] { m_cards.load(*m_session); }))
        return;
    m_cardField->clear();
    m_cardField->show();
    m_cardField->setFocus();
}

void TFplatit::cardFieldExit()
{
    const QString typed = m_cardField->text();
    if (typed.isEmpty() || !m_cardField->isVisible())
        return;
    const QString number = typedCardNumber(typed);
    if (const std::optional<CustomerCard> card = m_cards.find(number)) {
        m_card = *card;
        m_customer->setText(card->customer);
        m_discount->setText(QString::number(card->discount));
        m_due = discountedAmountDue(m_total, card->discount);
    } else {
        m_card = {};
        m_customer->setText(cardNotFoundText(number));
        m_discount->clear();
        m_due = m_total;
    }
    m_cardField->clear();
    m_cardField->hide();
    showAmounts();
    m_paid->setFocus();
}

void TFplatit::choose(PaymentMode mode)
{
    PaymentChoice choice;
    choice.mode = mode;
    choice.paid = mode == PaymentMode::Cash ? m_paid->value() : 0;
    choice.cardDiscount = m_card.discount;
    choice.cardNumber = m_card.number;
    m_choice = choice;
    accept();
}
