#pragma once

#include <QList>
#include <QString>

class DbSession;

// The rules of the table map: which panel shows an order, what a name typed for
// a named order becomes, and what a panel says when its order is left.
namespace tablemap {

inline const QString kDigitFirst = QStringLiteral("Stůl nemůže začínat číslicí.");
inline const QString kEmptyName = QStringLiteral("Zadejte jméno.");

// Tables and seats ("2", "2z3") have the panel "s" + id; named orders none here.
QString panelOf(const QString &tableId);

// A name typed in "Stůl na jméno": the first 10 characters; refused when it begins
// with a digit, or is empty (an order no panel could open again).
struct NameChoice
{
    QString tableId;
    QString refusal; // empty when accepted
};
NameChoice nameChoice(const QString &typed);

// The caption of a table or seat panel when its order is left: the total as the
// screen shows it, or the last character of the id (the seat number) when nothing
// is open any more. Named orders: empty when their panel is free again.
QString captionWhenLeft(const QString &tableId, double total, const QString &totalText);

struct OpenOrder
{
    QString tableId;
    double total = 0;
};
// The open orders of the workstation with their totals, as the map shows them at start.
QList<OpenOrder> openOrders(DbSession &session, const QString &cisloPC);

} // namespace tablemap
