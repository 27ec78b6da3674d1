// Figures of the till's own logic against a loaded database: scan to line,
// commit, concurrent commits, reports. Prints one table; asserts nothing.
//
//   prodej-bench --port 3327 --label small [--repeat 21]

#include "bench_table.h"

#include "app/config.h"
#include "app/station.h"
#include "devices/report.h"
#include "reports/day_totals.h"
#include "reports/item_history.h"
#include "reports/sales_reports.h"
#include "sale/counter_sale.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQueryModel>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using bench::row;
using bench::Settings;

Config configFor(const Settings &s, const QString &cisloPC, const QString &stredisko)
{
    Config c;
    c.ip = QStringLiteral("127.0.0.1");
    c.sqlPort = s.port;
    c.user = QStringLiteral("kasa");
    c.password = QStringLiteral("kasa");
    c.cisloPC = cisloPC;
    c.stredisko = stredisko;
    return c;
}

// Milliseconds of each of `n` runs of `run`.
std::vector<double> times(int n, const std::function<void()> &run)
{
    std::vector<double> out;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        out.push_back(t.nsecsElapsed() / 1e6);
    }
    return out;
}

QStringList eans(DbSession &db, const QString &stredisko, int n)
{
    QStringList out;
    QSqlQuery q = db.query(
        QStringLiteral("select ean from seznam where stredisko=") + sql::quote(stredisko) +
        QStringLiteral(" and ean<>'' and aktivni='A' order by jkpov limit ") + QString::number(n));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

// Scan to line on a receipt of 100 lines, and the bare statements beside it.
void scanToLine(const Settings &s)
{
    Station station;
    DbSession db;
    CounterSale sale(station, db);
    sale.start(configFor(s, QStringLiteral("B1"), QStringLiteral("777")));
    const QStringList codes = eans(db, QStringLiteral("777"), 200);
    if (codes.isEmpty()) {
        std::printf("%-8s no EAN codes in branch 777\n", qPrintable(s.label));
        return;
    }
    for (int i = 0; i < 100; ++i)
        sale.enterCode(QStringLiteral("1°°") + codes.at(i % codes.size()));
    QSqlQueryModel lines;
    int next = 100;
    const std::vector<double> scan = times(s.repeat * 3, [&] {
        sale.enterCode(QStringLiteral("1°°") + codes.at(next++ % codes.size()));
        db.fillModel(lines, sale.receiptLinesQuery());
        while (lines.canFetchMore())
            lines.fetchMore();
    });
    // The floor: the EAN and product look-ups and one INSERT, nothing else.
    const std::vector<double> floor = times(s.repeat * 3, [&] {
        const QString ean = sql::quote(codes.at(next++ % codes.size()));
        QSqlQuery e = db.query(QStringLiteral("select EAN,JKPOV from seznamean where STREDISKO="
                                              "'777' and EAN=") +
                               ean +
                               QStringLiteral(" UNION select EAN,JKPOV from seznam where "
                                              "STREDISKO='777' and EAN=") +
                               ean + QStringLiteral(" and AKTIVNI='A'"));
        e.next();
        QSqlQuery p = db.query(QStringLiteral("select * from seznam where STREDISKO='777' and "
                                              "JKPOV=") +
                               sql::quote(e.value(1).toString()));
        p.next();
        db.exec(QStringLiteral("insert into tmpB1uct set jkpov=") +
                sql::quote(p.value(QStringLiteral("jkpov")).toString()) +
                QStringLiteral(", mnoz=1, pcsd=") +
                sql::quote(p.value(QStringLiteral("pcsd")).toString()));
    });
    row(s, QStringLiteral("scan to line (receipt of 100+ lines)"), scan);
    row(s, QStringLiteral("  floor: look-ups + INSERT"), floor);
    sale.close();
}

// Paying a receipt of 10 lines.
void commit(const Settings &s)
{
    Station station;
    DbSession db;
    CounterSale sale(station, db);
    sale.start(configFor(s, QStringLiteral("B2"), QStringLiteral("777")));
    const QStringList codes = eans(db, QStringLiteral("777"), 10);
    std::vector<double> ms;
    for (int r = 0; r < s.repeat; ++r) {
        for (const QString &code : codes)
            sale.enterCode(QStringLiteral("1°°") + code);
        sale.receipt().paid = 100000;
        QElapsedTimer t;
        t.start();
        sale.UlozUcte();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    row(s, QStringLiteral("commit of a 10-line receipt"), ms);
    sale.close();
}

// Receipts per second of `workstations` committing at once, each in its branch.
double commitsPerSecond(const Settings &s, const QStringList &branches, int receiptsEach,
                        int *failures)
{
    std::atomic<int> failed{0};
    std::atomic<int> done{0};
    std::vector<std::unique_ptr<QThread>> threads;
    QElapsedTimer t;
    t.start();
    for (int w = 0; w < branches.size(); ++w) {
        const QString branch = branches.at(w);
        threads.emplace_back(QThread::create([&, w, branch] {
            Station station;
            DbSession db;
            CounterSale sale(station, db);
            sale.start(configFor(s, QStringLiteral("C%1").arg(w), branch));
            const QStringList codes = eans(db, branch, 3);
            for (int r = 0; r < receiptsEach; ++r) {
                try {
                    if (!sale.hasLines())
                        for (const QString &code : codes)
                            sale.enterCode(QStringLiteral("1°°") + code);
                    sale.receipt().paid = 100000;
                    sale.UlozUcte();
                    ++done;
                } catch (const std::exception &) {
                    ++failed; // the receipt stays in the work receipt, as at the till
                }
            }
            sale.close();
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        thread->wait();
    *failures = failed;
    return done / (t.nsecsElapsed() / 1e9);
}

void concurrency(const Settings &s)
{
    DbSession db;
    db.open(configFor(s, QStringLiteral("B0"), QStringLiteral("777")).connection());
    QStringList branches;
    QSqlQuery q = db.query(QStringLiteral("select stredisko from strediska order by 1 limit 8"));
    while (q.next())
        branches << q.value(0).toString();
    const int each = std::max(5, s.repeat);
    int failed = 0;
    const double one = commitsPerSecond(s, {QStringLiteral("777")}, each * 2, &failed);
    std::printf("%-8s %-52s %10.1f receipts/s  (%d refused)\n", qPrintable(s.label),
                "commits, 1 workstation", one, failed);
    const double same = commitsPerSecond(s, QStringList(8, QStringLiteral("777")), each, &failed);
    std::printf("%-8s %-52s %10.1f receipts/s  (%.2f x one; %d of %d refused)\n",
                qPrintable(s.label), "commits, 8 workstations, one branch", same, same / one,
                failed, 8 * each);
    const double spread = commitsPerSecond(s, branches, each, &failed);
    std::printf("%-8s %-52s %10.1f receipts/s  (%.2f x one; %d of %d refused; %lld branches)\n",
                qPrintable(s.label), "commits, 8 workstations, own branches", spread, spread / one,
                failed, static_cast<int>(branches.size()) * each,
                static_cast<long long>(branches.size()));
    std::fflush(stdout);
}

void reports(const Settings &s)
{
    DbSession db;
    const Config config = configFor(s, QStringLiteral("R1"), QStringLiteral("777"));
    db.open(config.connection());
    const QDate to = QDate::currentDate();
    const QStringList kinds = salesReportKinds();
    const int n = std::max(3, s.repeat / 4);
    struct Scope
    {
        const char *caption;
        QString stredisko;
        QDate from;
    };
    // The whole chain over a year, and what a shop prints: its own month.
    for (const Scope &scope : {Scope{"a year", QString(), to.addYears(-1)},
                               Scope{"branch 777, a month", config.stredisko, to.addMonths(-1)}}) {
        for (int kind = 0; kind < kinds.size(); ++kind) {
            SalesReportRequest r;
            r.kind = kind;
            r.from = scope.from;
            r.to = to;
            r.stredisko = scope.stredisko;
            r.cisloPC = config.cisloPC;
            const std::vector<double> ms = times(n, [&] {
                QSqlQuery rows = querySalesReport(db, r);
                while (rows.next()) {
                }
            });
            row(s,
                QStringLiteral("report %1 \"%2\", %3")
                    .arg(kind)
                    .arg(kinds.at(kind), QLatin1String(scope.caption)),
                ms);
        }
    }
    row(s, QStringLiteral("day totals"),
        times(n, [&] { readDayTotals(db, config, config.cisloPC, config.stredisko); }));
    const QString jkpov =
        db.scalar(QStringLiteral("select jkpov from uctenky where stredisko='777' limit 1"))
            .toString();
    ItemHistory history(db, config.cisloPC, jkpov, config.stredisko);
    row(s, QStringLiteral("item history of %1").arg(jkpov), times(n, [&] {
            history.build();
            history.sums();
        }));
    history.drop();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("only"),
                      QStringLiteral("Only these figures: scan,commit,concurrency,reports."),
                      QStringLiteral("list"), QStringLiteral("scan,commit,concurrency,reports")});
    const Settings s = bench::parseSettings(parser, app, 21, 3);
    const QStringList only = parser.value(QStringLiteral("only")).split(QLatin1Char(','));
    try {
        if (only.contains(QLatin1String("scan")))
            scanToLine(s);
        if (only.contains(QLatin1String("commit")))
            commit(s);
        if (only.contains(QLatin1String("concurrency")))
            concurrency(s);
        if (only.contains(QLatin1String("reports")))
            reports(s);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "prodej-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
