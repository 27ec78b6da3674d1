#include "reports/day_totals.h"

#include "app/config.h"
#include "app/user_error.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <QLocale>
#include <QRegularExpression>

DayTotals readDayTotals(DbSession &session, const Config &config, const QString &cisloPC,
                        const QString &stredisko)
{
    DayTotals totals;
    if (!config.pokladnaStredisko.isEmpty()) {
        // The name goes into the statement as a name, not a value: only a plain one.
        static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_$]{1,64}$"));
        if (!plainName.match(config.pokladnaDatabaze).hasMatch())
            throw UserError(
                QStringLiteral("Název databáze pokladní knihy pokladnaDATABAZE=\"%1\" v prodej.ini "
                               "nelze použít.")
                    .arg(config.pokladnaDatabaze));
        totals.cashBook =
            session
                .scalar(QStringLiteral("select sum(if (pohyb = \"P\", kc, -kc)) as soucet from ") +
                        config.pokladnaDatabaze + QStringLiteral(".pokladna\n where stredisko = ") +
                        sql::quote(config.pokladnaStredisko))
                .toDouble();
    }
    const QString trz1 = QStringLiteral("tmp") + cisloPC + QStringLiteral("trz1");
    session.exec(QStringLiteral("DROP table IF EXISTS ") + trz1 + QLatin1Char(';'));
    session.exec(
        QStringLiteral("CREATE table ") + trz1 +
        QStringLiteral(
            " ENGINE=MyISAM \nselect DISTINCT cisuctenky,stredisko,typplatby,soucetuzao,soucetu "
            "from uctenky\n where date(datum) = date(now())\n and STREDISKO=") +
        sql::quote(stredisko));
    QSqlQuery q =
        session.query(QStringLiteral("select typplatby,sum(soucetuzao) as soucet\n from ") + trz1 +
                          QStringLiteral("\n group by typplatby"),
                      Trace::A);
    while (q.next()) {
        if (q.value(0).toString() == QLatin1String("H"))
            totals.cash += q.value(1).toDouble();
    }
    return totals;
}

QString dayTotalsMessage(const DayTotals &totals)
{
    const QLocale locale = QLocale::system();
    auto money = [&](double v) { return locale.toCurrencyString(v, locale.currencySymbol(), 2); };
    return QStringLiteral("hotově     ") + money(totals.cash) + QLatin1Char('\r') +
           QStringLiteral("pokladna  ") + money(totals.cashBook) + QLatin1Char('\r') +
           QStringLiteral("celkem      ") + money(totals.total());
}
