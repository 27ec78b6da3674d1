#include "store/db_error.h"

namespace {

// What a failure means to the cashier.
QString meaning(const DbError &e)
{
    if (e.isConnectionLost())
        return QStringLiteral("Spojení s databází se přerušilo. Akce nebyla dokončena; "
                              "zopakujte ji, až bude databáze opět v provozu.");
    switch (e.code()) {
    case 1406: // data too long
        return QStringLiteral("Zadaný text je delší, než databáze pojme.");
    case 1366: // incorrect string value: a character outside the column's code page
    case 1300:
    case 1267: // such a character compared with a column
        return QStringLiteral("Zadaný text obsahuje znak, který databáze neumí uložit.");
    case 1264: // out of range
    case 1690:
        return QStringLiteral("Zadané číslo je mimo povolený rozsah.");
    case 1142: // command denied
    case 1143:
    case 1044:
    case 1370:
        return QStringLiteral("Uživatel pokladny na to nemá v databázi právo.");
    case 1045: // access denied at login
        return QStringLiteral("Databáze odmítla přihlášení pokladny.");
    case 1205: // lock wait, deadlock
    case 1213:
        return QStringLiteral("Databáze je právě zaneprázdněná. Zopakujte akci.");
    default:
        return QStringLiteral("Chyba databáze.");
    }
}

} // namespace

QString DbError::cashierMessage() const
{
    const QString what = meaning(*this);
    return m_text.isEmpty() ? what : what + QStringLiteral("\n(") + m_text + QLatin1Char(')');
}
