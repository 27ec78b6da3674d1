#include "support/receipt_fixture.h"

#include "store/sql_text.h"
#include "support/test_db.h"

namespace fixture {

void addWorkLine(DbSession &session, const QString &cisloPC, const WorkLine &l)
{
    const QString pcsd = sql::number(l.pcsd);
    const QString mnoz = sql::number(l.mnoz);
    session.exec(
        QStringLiteral(
            "insert into tmp%1uct set nazev=%2, jkpov=%3, stredisko=%4, pocet=1, mnoz=%5, "
            "pcsd0=%6, pcsd=%6, pc=%6, dph=%7, cenar0=%6*%5, cenar=%6*%5, datum=%8, stul=%9")
            .arg(cisloPC, sql::quote(QStringLiteral("Zboží ") + l.jkpov), sql::quote(l.jkpov),
                 sql::quote(l.stredisko), mnoz, pcsd, QString::number(l.dph), sql::quote(l.datum),
                 sql::quote(l.stul)));
}

void addProduct(const QString &jkpov, double stav, const QString &stredisko)
{
    testdb::rootSql(
        QStringLiteral(
            "insert into seznam set stredisko=%1, jkpov=%2, nazev=%3, stav=%4, pcsd=10, dph=21")
            .arg(sql::quote(stredisko), sql::quote(jkpov),
                 sql::quote(QStringLiteral("Zboží ") + jkpov), sql::number(stav)));
}

void addStoredLine(DbSession &session, qint64 cisuctenky, const QString &datum,
                   const QString &stredisko)
{
    session.exec(
        QStringLiteral(
            "insert into uctenky set cisuctenky=%1, datum=%2, stredisko=%3, nazev='stará', "
            "cenar=10, soucetu=10")
            .arg(QString::number(cisuctenky), sql::quote(datum), sql::quote(stredisko)));
}

int count(DbSession &session, const QString &fromWhere)
{
    return session.scalar(QStringLiteral("select count(*) ") + fromWhere).toInt();
}

} // namespace fixture
