#pragma once

#include "store/commit_script.h"

#include <QList>
#include <QString>

#include <optional>

class DbSession;

struct CustomerCard
{
    QString number;
    int discount = 0;
    QString customer;
};

// The customer cards, read once on first use and kept for the run.
class CardList
{
public:
    bool isLoaded() const { return m_loaded; }
    void load(DbSession &session);
    std::optional<CustomerCard> find(const QString &number) const;

private:
    bool m_loaded = false;
    QList<CustomerCard> m_cards;
};

// What the cashier chose in the payment dialog.
struct PaymentChoice
{
    PaymentMode mode = PaymentMode::Cash;
    int paid = 0; // whole crowns handed over; 0 for card
    int cardDiscount = 0;
    QString cardNumber;
};

// The amount due of a receipt total: whole crowns, halves away from zero.
int amountDue(double total);
// The amount due after a card discount in whole percent.
int discountedAmountDue(int total, int discount);
// The card number in the card field: what follows a "°°" (at most 20 characters).
QString typedCardNumber(const QString &text);
// The customer line for a card missing from the list.
QString cardNotFoundText(const QString &number);
