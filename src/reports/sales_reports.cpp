#include "reports/sales_reports.h"

#include "devices/cp1250.h"
#include "devices/report.h"
#include "devices/text_utils.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <QDir>

namespace {

QString table(const SalesReportRequest &r, const char *suffix)
{
    return QStringLiteral("tmp") + r.cisloPC + QLatin1String(suffix);
}

QStringList periodLines(const SalesReportRequest &r,
                        const QString &column = QStringLiteral("datum"))
{
    // The whole days from..to as a range of the column itself, so that the
    // branch-and-date index can serve it (date(datum) could not use it).
    return {QStringLiteral(" where ") + column + QStringLiteral(" >= ") +
                sql::quote(text::formatDate(r.from)),
            QStringLiteral(" and ") + column + QStringLiteral(" < ") +
                sql::quote(text::formatDate(r.to.addDays(1)))};
}

QStringList filterLines(const SalesReportRequest &r, const QString &prefix = QString())
{
    // A filter with a character no stored code can hold matches nothing (and the
    // server would refuse to compare it).
    if (!cp1250::canEncode(r.stredisko + r.jkpov))
        return {QStringLiteral(" and 1=0")};
    QStringList lines;
    if (!r.stredisko.isEmpty())
        lines << QStringLiteral(" and ") + prefix + QStringLiteral("STREDISKO=") +
                     sql::quote(r.stredisko);
    if (!r.jkpov.isEmpty())
        lines << QStringLiteral(" and ") + prefix + QStringLiteral("JKPOV=") + sql::quote(r.jkpov);
    return lines;
}

QString join(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

QString drop(const QString &name)
{
    return QStringLiteral("DROP table IF EXISTS ") + name + QLatin1Char(';');
}

// A scratch table of the report; `keys` in the form " (KEY (...))".
QString create(const QString &name, ScratchTables scratch, const QString &keys = QString())
{
    // In memory the UPDATEs of a year's receipts take milliseconds instead of
    // seconds of row-by-row file writes.
    return QStringLiteral("CREATE table ") + name + keys +
           (scratch == ScratchTables::InMemory ? QStringLiteral(" ENGINE=MEMORY ")
                                               : QStringLiteral(" ENGINE=MyISAM "));
}

const QString kVatSums =
    QStringLiteral("sum(d5) as dph5,sum(d23) as dph23,sum(z1) as zakl1,sum(d1) as dph1 from ");

// Kinds 0 and 1: one row per receipt first, then the sums.
QStringList byPaymentType(const SalesReportRequest &r, ScratchTables scratch, bool byDay)
{
    const QString trz1 = table(r, "trz1");
    QStringList create1{
        create(trz1, scratch) +
        QStringLiteral(
            "\nselect DISTINCT cisuctenky,stredisko,typplatby,soucetuzao,soucetu,z0,z5,z23,"
            "d5,d23,z1,d1") +
        (byDay ? QStringLiteral(",date(datum) as datumu from uctenky")
               : QStringLiteral(" from uctenky"))};
    create1 << periodLines(r) << filterLines(r);
    const QString fields = byDay ? QStringLiteral("datumu,stredisko,typplatby")
                                 : QStringLiteral("stredisko,typplatby");
    return {drop(trz1), join(create1),
            join({QStringLiteral("select ") + fields +
                      QStringLiteral(",sum(soucetuzao) as soucet,sum(z0) as zakl0,sum(z5) as "
                                     "zakl5,sum(z23) as zakl23,"),
                  kVatSums + trz1, QStringLiteral(" group by ") + fields})};
}

QStringList vatRecapitulation(const SalesReportRequest &r, ScratchTables scratch)
{
    const QString trz1 = table(r, "trz1"), trz2 = table(r, "trz2");
    QStringList create1{
        create(trz1, scratch) +
        QStringLiteral("\nselect DISTINCT cisuctenky,cisuctenky as cisuod,cisuctenky as cisudo,"
                       "stredisko,typplatby,soucetuzao,soucetu,z0,z5,z23,d5,d23,z1,d1,"
                       "date(datum) as datumu from uctenky")};
    create1 << periodLines(r) << filterLines(r);
    auto range = [&](const char *aggregate, const char *column) {
        return QStringList{
            drop(trz2),
            // Keyed on what the UPDATE below joins on: without it the join compares
            // every receipt with every day of every branch.
            join({create(trz2, scratch, QStringLiteral(" (KEY (datumu,stredisko))")) +
                      QStringLiteral("\nselect stredisko,") + QLatin1String(aggregate) +
                      QStringLiteral("(cisuctenky) as cisu,datumu"),
                  QStringLiteral(" from ") + trz1, QStringLiteral("group by datumu,stredisko")}),
            join({QStringLiteral("UPDATE ") + trz1 + QStringLiteral(" h, ") + trz2 +
                      QStringLiteral(" p"),
                  QStringLiteral("SET h.") + QLatin1String(column) + QStringLiteral("=p.cisu"),
                  QStringLiteral(" where h.datumu=p.datumu and h.stredisko=p.stredisko")})};
    };
    QStringList s{drop(trz1), join(create1)};
    s << range("MIN", "cisuod") << range("MAX", "cisudo");
    s << join({QStringLiteral("UPDATE ") + trz1,
               QStringLiteral("SET cisuctenky=CONCAT(stredisko,DATE_FORMAT(datumu,\"%y%m%d\"))")});
    s << join(
        {QStringLiteral(
             "select cisuctenky,cisuod,cisudo,datumu,stredisko,sum(soucetu) as soucet0,"),
         QStringLiteral(
             "sum(soucetuzao) as soucet,sum(z0) as zakl0,sum(z5) as zakl5,sum(z23) as zakl23,"),
         kVatSums + trz1, QStringLiteral(" group by cisuctenky"),
         QStringLiteral(" order by cisuctenky")});
    return s;
}

QStringList profit(const SalesReportRequest &r, ScratchTables scratch)
{
    const QString trz2 = table(r, "trz2"), trz3 = table(r, "trz3");
    QStringList costs{create(trz2, scratch) +
                          QStringLiteral("\nselect stredisko,sum(cenar) as cenar from uctenkynakl"),
                      QStringLiteral(" where datum >= ") + sql::quote(text::formatDate(r.from)),
                      QStringLiteral(" and datum <= ") + sql::quote(text::formatDate(r.to))};
    costs << filterLines(r) << QStringLiteral(" group by STREDISKO");
    QStringList takings{
        create(trz3, scratch) +
        QStringLiteral("\nselect stredisko,sum(CENAR*100/(100+DPH)) as soucetu from uctenky")};
    takings << periodLines(r) << filterLines(r) << QStringLiteral(" group by STREDISKO");
    return {drop(trz2), join(costs), drop(trz3), join(takings),
            join({QStringLiteral("select * from ") + trz3 + QStringLiteral(" u"),
                  QStringLiteral(" LEFT JOIN ") + trz2 + QStringLiteral(" n"),
                  QStringLiteral("  ON (u.STREDISKO=n.STREDISKO)")})};
}

QStringList cardDiscounts(const SalesReportRequest &r, ScratchTables scratch)
{
    const QString trz1 = table(r, "trz1");
    QStringList lines{create(trz1, scratch) + QStringLiteral("\nselect * from uctenky")};
    lines << periodLines(r) << QStringLiteral(" and sleva <> 0") << filterLines(r);
    return {drop(trz1), join(lines),
            join({QStringLiteral("update ") + trz1 +
                      QStringLiteral(
                          " u, zakarty k SET u.popis2=k.nazevpodni,u.slevaproc=k.sleva,u.ean=k.ico,"
                          "u.povaha=\"\""),
                  QStringLiteral(" where u.cislokarty=k.cislokarty")}),
            join({QStringLiteral("update ") + trz1 +
                      QStringLiteral(" u, strediska s SET u.povaha=\"Z\""),
                  QStringLiteral(" where u.ean=s.ico")}),
            join({QStringLiteral("select povaha,cislokarty,popis2,slevaproc,sum(cenar0) as "
                                 "cenar0,sum(sleva) as sleva,"),
                  QStringLiteral("sum(cenar) as cenar from ") + trz1,
                  QStringLiteral(" group by povaha,cislokarty"),
                  QStringLiteral(" order by povaha,cislokarty")})};
}

} // namespace

QStringList salesReportKinds()
{
    return {QStringLiteral("typu platby"),
            QStringLiteral("dny, typ platby"),
            QStringLiteral("doklady"),
            QStringLiteral("doklady, položky"),
            QStringLiteral("položky, doklady "),
            QStringLiteral("skupiny"),
            QStringLiteral("zisk"),
            QStringLiteral("rekapitulace DPH"),
            QStringLiteral("slevy, karty")};
}

QString salesReportTemplate(int kind)
{
    if (kind == 1)
        return QStringLiteral("trz1d.fr3");
    return QStringLiteral("trz%1.fr3").arg(kind == 0 ? 1 : kind);
}

QStringList salesReportStatements(const SalesReportRequest &r, ScratchTables scratch)
{
    switch (r.kind) {
    case 0:
        return byPaymentType(r, scratch, false);
    case 1:
        return byPaymentType(r, scratch, true);
    case 2: {
        QStringList q{
            QStringLiteral("select stredisko,typplatby,cisuctenky,datum,soucetuzao from uctenky")};
        q << periodLines(r) << filterLines(r)
          << QStringLiteral(" group by stredisko,typplatby,cisuctenky")
          << QStringLiteral(" order by stredisko,typplatby,cisuctenky");
        return {join(q)};
    }
    case 3:
    case 4: {
        QStringList q{QStringLiteral("select * from uctenky")};
        q << periodLines(r) << filterLines(r)
          << (r.kind == 3 ? QStringLiteral(" order by stredisko,cisuctenky,id2")
                          : QStringLiteral(" order by stredisko,jkpov,cisuctenky"));
        return {join(q)};
    }
    case 5: {
        QStringList q{
            QStringLiteral(
                "select u.stredisko,u.jkpov,s.skupina,sum(u.CENAR*100/(100+u.DPH)) as soucet "
                "from uctenky u"),
            QStringLiteral(" LEFT JOIN seznam s"),
            QStringLiteral("  ON (s.STREDISKO=u.STREDISKO and s.JKPOV=u.JKPOV)")};
        q << periodLines(r, QStringLiteral("u.datum")) << filterLines(r, QStringLiteral("u."))
          << QStringLiteral(" group by stredisko,skupina")
          << QStringLiteral(" order by stredisko,skupina");
        return {join(q)};
    }
    case 6:
        return profit(r, scratch);
    case 7:
        return vatRecapitulation(r, scratch);
    case 8:
        return cardDiscounts(r, scratch);
    default:
        return {};
    }
}

QStringList salesReportCleanUp(const QString &cisloPC)
{
    QStringList s;
    for (const char *suffix : {"trz1", "trz2", "trz3"})
        s << drop(QStringLiteral("tmp") + cisloPC + QLatin1String(suffix));
    return s;
}

QSqlQuery querySalesReport(DbSession &session, const SalesReportRequest &request)
{
    // A year of receipts is grouped far beyond the server's default 16 MB for
    // in-memory tables.
    session.exec(QStringLiteral("SET SESSION max_heap_table_size = %1, tmp_table_size = %1")
                     .arg(request.memoryLimit));
    auto run = [&](ScratchTables scratch) {
        const QStringList statements = salesReportStatements(request, scratch);
        for (qsizetype i = 0; i + 1 < statements.size(); ++i)
            session.exec(statements.at(i));
        return session.query(statements.last(), Trace::A);
    };
    try {
        return run(ScratchTables::InMemory);
    } catch (const DbError &e) {
        const int tableIsFull = 1114;
        if (e.code() != tableIsFull)
            throw;
        return run(ScratchTables::OnDisk);
    }
}

void runSalesReport(DbSession &session, const SalesReportRequest &request,
                    const QString &templateFolder, Report &report)
{
    QSqlQuery rows = querySalesReport(session, request);
    report.clear();
    report.setData(rows);
    report.loadFromFile(QDir(templateFolder).filePath(salesReportTemplate(request.kind)));
    report.setVariable(QStringLiteral("oddata"),
                       request.from.toString(QStringLiteral("d. M. yyyy")));
    report.setVariable(QStringLiteral("dodata"), request.to.toString(QStringLiteral("d. M. yyyy")));
    setVatRateVariables(report, request.vat);
}
