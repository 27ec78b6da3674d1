#include "app/station.h"
#include "sale/counter_sale.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "support/test_db.h"
#include "support/working_folder.h"
#include "tables/table_sale.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

// The database server killed (SIGKILL) in the middle of commits and started again:
// every receipt is either whole in `uctenky` or whole in its work receipt, the
// till reports the failure, and its next action works on a new connection. The
// test runs a server of its own, so that the rest of the suite keeps its one.
class TestServerFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void killedDuringCounterCommit_data();
    void killedDuringCounterCommit();
    void openOrdersSurvive();

private:
    void server(const QString &command);
    bool kill(); // SIGKILL to the server; true once it is gone
    double stored(const QString &where);

    TemporaryWorkingFolder m_dir; // trace files land here
    QString m_folder;
};

namespace {

const QString kCode = QStringLiteral("8590000000011");  // 12.50
const QString kCode2 = QStringLiteral("8590000000028"); // 22.50

} // namespace

void TestServerFaults::initTestCase()
{
    // Beside the suite's server, one port up.
    m_folder = qEnvironmentVariable("PRODEJ_DB_DIR") + QStringLiteral("-faults");
    qputenv("PRODEJ_DB_DIR", m_folder.toUtf8());
    qputenv("PRODEJ_DB_PORT",
            QByteArray::number(qEnvironmentVariableIntValue("PRODEJ_DB_PORT") + 1));
    server(QStringLiteral("start"));
}

void TestServerFaults::cleanupTestCase()
{
    server(QStringLiteral("stop"));
}

void TestServerFaults::init()
{
    testdb::reset();
    testdb::rootSql(QStringLiteral(
        "insert into strediska set stredisko='777';"
        "insert into seznam set stredisko='777', jkpov='P1', nazev='Rohlík', ean='8590000000011', "
        "povaha='K', mj='ks', pcsd=12.5, dph=21, stav=1000, aktivni='A';"
        "insert into seznam set stredisko='777', jkpov='P2', nazev='Pivo', ean='8590000000028', "
        "povaha='K', mj='ks', pcsd=22.5, dph=21, stav=1000, aktivni='A';"));
}

void TestServerFaults::server(const QString &command)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"), {QStringLiteral(PRODEJ_SOURCE_DIR "/scripts/db.sh"), command});
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.exitCode() == 0, p.readAll().constData());
}

bool TestServerFaults::kill()
{
    QFile pidFile(m_folder + QStringLiteral("/mysqld.pid"));
    if (!pidFile.open(QIODevice::ReadOnly))
        return false;
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    if (pid <= 0 || ::kill(pid, SIGKILL) != 0)
        return false;
    for (int i = 0; i < 1000 && ::kill(pid, 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ::kill(pid, 0) != 0;
}

double TestServerFaults::stored(const QString &where)
{
    DbSession db;
    db.open(testdb::settings());
    return db.scalar(QStringLiteral("select coalesce(sum(cenar), 0) from ") + where).toDouble();
}

void TestServerFaults::killedDuringCounterCommit_data()
{
    // From the commit's start: its first statements, its middle, its end, after it.
    QTest::addColumn<int>("delayUs");
    for (int us : {0, 400, 800, 1200, 1600, 3000})
        QTest::addRow("%d us into the commit", us) << us;
}

void TestServerFaults::killedDuringCounterCommit()
{
    QFETCH(int, delayUs);
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("01")));
    double committed = 0;
    for (int r = 0; r < 3; ++r) { // receipts before the fault
        sale.enterCode(QStringLiteral("1°°") + kCode);
        committed += sale.SpoctiSoucet();
        sale.receipt().paid = 1000;
        sale.UlozUcte();
    }
    sale.enterCode(QStringLiteral("2°°") + kCode);
    sale.enterCode(QStringLiteral("1°°") + kCode2);
    const double pending = sale.SpoctiSoucet();
    QCOMPARE(pending, 47.5);

    std::atomic<bool> started = false;
    bool killed = false;
    std::thread killer([&] {
        while (!started)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        killed = kill();
    });
    sale.receipt().paid = 1000;
    bool failed = false;
    started = true;
    try {
        sale.UlozUcte();
    } catch (const DbError &e) {
        failed = true;
        QVERIFY(!e.text().isEmpty()); // the server's or the client's words, for the message
    }
    killer.join();
    QVERIFY(killed);
    server(QStringLiteral("start"));

    // Whole in one place or the other, never split or doubled.
    const double inReceipts = stored(QStringLiteral("uctenky"));
    const double inWork = stored(QStringLiteral("tmp01uct"));
    QVERIFY2((inReceipts == committed + pending && inWork == 0) ||
                 (failed && inReceipts == committed && inWork == pending),
             qPrintable(QStringLiteral("stored %1, in the work receipt %2, commit %3")
                            .arg(inReceipts)
                            .arg(inWork)
                            .arg(failed ? QStringLiteral("failed") : QStringLiteral("done"))));
    qInfo("%s", inWork > 0 ? "the receipt stayed in the work receipt"
                           : "the receipt was stored before the server went");

    // The next action works on a new connection, without restarting the till.
    QCOMPARE(sale.SpoctiSoucet(), inWork);
    if (sale.hasLines()) {
        sale.receipt().paid = 1000;
        sale.UlozUcte();
    }
    sale.enterCode(QStringLiteral("1°°") + kCode);
    sale.receipt().paid = 1000;
    sale.UlozUcte();
    QCOMPARE(stored(QStringLiteral("uctenky")), committed + pending + 12.5);
    DbSession db;
    db.open(testdb::settings());
    QCOMPARE(db.scalar(QStringLiteral("select count(distinct cisuctenky) = max(cisuctenky) - "
                                      "min(cisuctenky) + 1 from uctenky"))
                 .toInt(),
             1); // no gap, no double
    sale.close();
}

void TestServerFaults::openOrdersSurvive()
{
    Station station;
    DbSession session;
    TableSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("02")));
    sale.setCurrentTable(QStringLiteral("1z1"));
    sale.enterCode(QStringLiteral("2°°") + kCode);
    sale.setCurrentTable(QStringLiteral("2z1"));
    sale.enterCode(QStringLiteral("1°°") + kCode2);

    // Killed while the waiter stands idle: the next action just works.
    QVERIFY(kill());
    server(QStringLiteral("start"));
    sale.setCurrentTable(QStringLiteral("1z1"));
    QCOMPARE(sale.SpoctiSoucet(), 25.0);

    // Killed while one order is paid: the other order is untouched.
    bool killed = false;
    std::thread killer([&] { killed = kill(); });
    try {
        sale.receipt().paid = 1000;
        sale.UlozUcte();
    } catch (const DbError &) {
    }
    killer.join();
    QVERIFY(killed);
    server(QStringLiteral("start"));
    sale.setCurrentTable(QStringLiteral("2z1"));
    QCOMPARE(sale.SpoctiSoucet(), 22.5);
    sale.setCurrentTable(QStringLiteral("1z1"));
    const double left = sale.SpoctiSoucet();
    QVERIFY(left == 25.0 || left == 0.0);
    QCOMPARE(stored(QStringLiteral("uctenky")), 25.0 - left);
    sale.close();
}

QTEST_GUILESS_MAIN(TestServerFaults)
#include "test_server_faults.moc"
