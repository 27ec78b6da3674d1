#include "store/db_error.h"

QString DbError::cashierMessage() const
{
    QString what;
    switch (m_code) {
    case 1406: // data too long
        what = QStringLiteral("Zadaný text je delší, než databáze pojme.");
        break;
    case 1366: // incorrect string value: a character outside the column's code page
    case 1300:
    case 1267: // such a character compared with a column
        what = QStringLiteral("Zadaný text obsahuje znak, který databáze neumí uložit.");
        break;
    case 1264: // out of range
    case 1690:
        what = QStringLiteral("Zadané číslo je mimo povolený rozsah.");
        break;
    case 1142: // command denied
    case 1143:
    case 1044:
    case 1370:
        what = QStringLiteral("Uživatel pokladny na to nemá v databázi právo.");
        break;
    case 1045: // access denied at login
        what = QStringLiteral("Databáze odmítla přihlášení pokladny.");
        break;
    case 2002: // cannot connect, connection gone
    case 2003:
    case 2006:
    case 2013:
    case 2055:
    case 1927:
    case 4031:
        what = QStringLiteral("Spojení s databází se přerušilo. Akce nebyla dokončena; "
                              "zopakujte ji, až bude databáze opět v provozu.");
        break;
    case 1205: // lock wait, deadlock
    case 1213:
        what = QStringLiteral("Databáze je právě zaneprázdněná. Zopakujte akci.");
        break;
    default:
        what = QStringLiteral("Chyba databáze.");
    }
    return m_text.isEmpty() ? what : what + QStringLiteral("\n(") + m_text + QLatin1Char(')');
}
