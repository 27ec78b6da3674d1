#include "sale/payment.h"

#include "devices/text_utils.h"
#include "store/db_session.h"

#include <QSqlQuery>

void CardList::load(DbSession &session)
{
    QList<CustomerCard> cards;
    QSqlQuery q = session.query(QStringLiteral("select * from zakarty"));
    while (q.next()) {
        cards.append({q.value(QStringLiteral("cislokarty")).toString(),
                      q.value(QStringLiteral("sleva")).toInt(),
                      q.value(QStringLiteral("nazevpodni")).toString()});
    }
    m_cards = cards;
    m_loaded = true;
}

std::optional<CustomerCard> CardList::find(const QString &number) const
{
    for (const CustomerCard &card : m_cards) {
        if (card.number == number)
            return card;
    }
    return std::nullopt;
}

int amountDue(double total)
{
    return static_cast<int>(text::roundHalfAway(total));
}

int discountedAmountDue(int total, int discount)
{
    return static_cast<int>(text::roundHalfAway((100.0 - discount) * total / 100.0));
}

QString typedCardNumber(const QString &text)
{
    const qsizetype p = text.indexOf(QStringLiteral("°°"));
    return p < 0 ? text : text.mid(p + 2).left(20);
}

QString cardNotFoundText(const QString &number)
{
    return QStringLiteral("Zákaznická karta ") + number + QStringLiteral(" nenalezena");
}
