#include "app/station.h"

#include "app/config.h"
#include "app/user_error.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <QSqlRecord>

void Station::reload(const Config &config)
{
    cisloPC = config.cisloPC;
    stredisko = config.stredisko;
}

bool Station::isValidWorkstationNumber(const QString &value)
{
    if (value.isEmpty() || value.size() > 50)
        return false;
    for (const QChar c : value) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                        (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
        if (!ok)
            return false;
    }
    return true;
}

QString Station::workstationNumberProblem() const
{
    if (isValidWorkstationNumber(cisloPC))
        return {};
    return QStringLiteral("Číslo pokladny CisloPC=\"%1\" v prodej.ini nelze použít.\n"
                          "Smí obsahovat jen písmena bez diakritiky, číslice a podtržítko "
                          "(nejvýše 50 znaků).")
        .arg(cisloPC);
}

void Station::readIco(DbSession &session)
{
    QSqlQuery q = session.query(QStringLiteral("select * from strediska") +
                                QStringLiteral(" where stredisko = ") + sql::quote(stredisko));
    ico = q.next() ? q.value(QStringLiteral("ico")).toString() : QString();
}

void Station::openSession(const Config &config, DbSession &session)
{
    session.close();
    reload(config);
    if (const QString problem = workstationNumberProblem(); !problem.isEmpty())
        throw UserError(problem);
    session.open(config.connection());
}
