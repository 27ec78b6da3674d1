#include "tables/table_map.h"

#include "store/db_session.h"

namespace tablemap {

namespace {

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace

QString panelOf(const QString &tableId)
{
    return startsWithDigit(tableId) ? QStringLiteral("s") + tableId : QString();
}

NameChoice nameChoice(const QString &typed)
{
    const QString name = typed.left(10);
    if (name.isEmpty())
        return {QString(), kEmptyName};
    if (startsWithDigit(name))
        return {QString(), kDigitFirst};
    return {name, QString()};
}

QString captionWhenLeft(const QString &tableId, double total, const QString &totalText)
{
    if (!startsWithDigit(tableId))
        return total != 0 ? tableId : QString();
    return total != 0 ? totalText : tableId.right(1);
}

QList<OpenOrder> openOrders(DbSession &session, const QString &cisloPC)
{
    QList<OpenOrder> orders;
    QSqlQuery q = session.query(QStringLiteral("select stul, sum(cenar) as sumas from tmp") +
                                cisloPC + QStringLiteral("uct group by stul"));
    while (q.next())
        orders.append({q.value(0).toString(), q.value(1).toDouble()});
    return orders;
}

} // namespace tablemap
