#pragma once

#include "sale/payment.h"

#include <QDialog>

#include <optional>

class DbSession;
class LegendButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QSpinBox;

// The payment dialog: cash handed over and change, a customer card with its
// discount, cash or card. Created once for the run; it keeps the card list.
class TFplatit : public QDialog
{
    Q_OBJECT
public:
    explicit TFplatit(QWidget *parent = nullptr);

    // Shows the dialog modally for a receipt whose amount due is `due`. Returns the
    // payment chosen, or nothing for "ZPĚT" and Esc. The session is used only to
    // read the card list at the first card entry of the run. Without
    // `customerCardAllowed` no customer card can be entered (no discount).
    std::optional<PaymentChoice> platba(int due, bool cardPaymentAllowed, DbSession &session,
                                        bool customerCardAllowed = true);

    int amountDueShown() const { return m_due; }

private:
    void paidChanged();
    void openCardEntry();
    void cardFieldExit();
    void choose(PaymentMode mode);
    void showAmounts();
    void setKeysEnabled(bool on);

    DbSession *m_session = nullptr;
    bool m_customerCardAllowed = true;
    CardList m_cards;
    int m_total = 0;
    int m_due = 0;
    CustomerCard m_card;
    std::optional<PaymentChoice> m_choice;

    QLabel *m_totalValue;
    QLabel *m_dueValue;
    QSpinBox *m_paid;
    QLineEdit *m_change;
    QPushButton *m_customer;
    QLabel *m_discount;
    QLineEdit *m_cardField;
    QLabel *m_cardLegend;
    LegendButton *m_cash;
    LegendButton *m_cardPayment;
    LegendButton *m_back;
    QShortcut *m_f2;
    QShortcut *m_f5;
    QShortcut *m_f6;
};
