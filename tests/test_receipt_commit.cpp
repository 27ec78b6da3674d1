#include "app/user_error.h"
#include "sale/receipt_commit.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "store/work_tables.h"
#include "support/receipt_fixture.h"
#include "support/test_db.h"
#include "support/working_folder.h"

#include <QtTest>

#include <atomic>
#include <thread>

using fixture::WorkLine;

// The commit of a work receipt into uctenky, checked in the database.
class TestReceiptCommit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void scriptText();
    void numbering_data();
    void numbering();
    void turnOfTheYear();
    void vatSplit();
    void configuredVatRates();
    void cardDiscount();
    void refundRaisesStock();
    void stockControl_data();
    void stockControl();
    void correctionPair();
    void deliveryNotesRemoved();
    void emptyReceipt();
    void usedUpNumbers();
    void failureLeavesEverythingAsItWas();
    void lockWaitIsRetried();
    void concurrentWorkstations();

private:
    CommitInput input(const QString &cisloPC = QStringLiteral("01")) const;
    QVariant stored(const QString &column, qint64 cisuctenky, int id2 = 1);

    TemporaryWorkingFolder m_dir; // trace files land here
    std::unique_ptr<DbSession> m_db;
};

void TestReceiptCommit::init()
{
    testdb::reset();
    m_db = std::make_unique<DbSession>();
    m_db->open(testdb::settings());
    WorkTables(QStringLiteral("01")).createForCounterSale(*m_db);
}

CommitInput TestReceiptCommit::input(const QString &cisloPC) const
{
    CommitInput in;
    in.cisloPC = cisloPC;
    in.stredisko = QStringLiteral("777");
    return in;
}

QVariant TestReceiptCommit::stored(const QString &column, qint64 cisuctenky, int id2)
{
    return m_db->scalar(
        QStringLiteral("select ") + column + QStringLiteral(" from uctenky where cisuctenky=") +
        QString::number(cisuctenky) + QStringLiteral(" and id2=") + QString::number(id2));
}

void TestReceiptCommit::scriptText()
{
    CommitInput in = input();
    in.receiptYear = 2026;
    in.paid = 500;
    const QStringList s = counterSaleCommitScript(in);
    QCOMPARE(s.first(), QStringLiteral("START TRANSACTION;"));
    QCOMPARE(s.last(), QStringLiteral("commit;"));
    QVERIFY(s.contains(QStringLiteral(
        " where stredisko = '777' AND cisuctenky BETWEEN 2677700000 AND 2677799999")));
    QVERIFY(s.contains(QStringLiteral(
        "SET @CiUc = IF(@PoDoU is NULL,2677700001,IF(@PoDoU<2677799999,@PoDoU+1,NULL));")));
    QVERIFY(s.contains(QStringLiteral("typplatby=\"H\",")));
    QVERIFY(s.contains(QStringLiteral("id=0, platil=500;")));
    QVERIFY(s.contains(QStringLiteral("INSERT into uctenky select * from tmp01uct;")));
    // Nothing that the input does not ask for.
    QVERIFY(!s.join(QLatin1Char('\n')).contains(QStringLiteral("seznam")));
    QVERIFY(!s.join(QLatin1Char('\n')).contains(QStringLiteral("uct4")));
    QVERIFY(!s.join(QLatin1Char('\n')).contains(QStringLiteral("dlterm")));
    QVERIFY(!s.join(QLatin1Char('\n')).contains(QStringLiteral("cislokarty")));
}

void TestReceiptCommit::numbering_data()
{
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QList<qint64>>("existing");
    QTest::addColumn<qint64>("expected");
    const QString d2015 = QStringLiteral("2015-03-10 10:00:00");
    QTest::newRow("first of 2015")
        << QStringLiteral("777") << d2015 << QList<qint64>{} << 1577700001LL;
    QTest::newRow("next") << QStringLiteral("777") << d2015 << QList<qint64>{1577700001LL}
                          << 1577700002LL;
    QTest::newRow("branch 12") << QStringLiteral("12") << d2015 << QList<qint64>{} << 151200001LL;
    QTest::newRow("2026 in 777 needs 64 bits")
        << QStringLiteral("777") << QStringLiteral("2026-02-01 08:00:00") << QList<qint64>{}
        << 2677700001LL;
    QTest::newRow("2009") << QStringLiteral("777") << QStringLiteral("2009-05-05 12:00:00")
                          << QList<qint64>{} << 977700001LL;
    QTest::newRow("other years do not count")
        << QStringLiteral("777") << d2015 << QList<qint64>{1477700077LL, 1677700003LL}
        << 1577700001LL;
}

void TestReceiptCommit::numbering()
{
    QFETCH(QString, branch);
    QFETCH(QString, datum);
    QFETCH(QList<qint64>, existing);
    QFETCH(qint64, expected);
    for (qint64 n : existing)
        fixture::addStoredLine(*m_db, n, datum, branch);
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("1"), 21, 10, 1, datum, branch});
    CommitInput in = input();
    in.stredisko = branch;
    QCOMPARE(UlozUcte(*m_db, in), expected);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from uctenky where cisuctenky=") +
                                       QString::number(expected)),
             1);
    QCOMPARE(m_db->scalar(QStringLiteral("select @CiUc")).toLongLong(), expected);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from tmp01uct")), 0);
}

void TestReceiptCommit::turnOfTheYear()
{
    // Receipts of both years exist; a receipt begun on New Year's Eve is paid after midnight.
    fixture::addStoredLine(*m_db, 2577700005LL, QStringLiteral("2025-12-31 22:00:00"));
    fixture::addStoredLine(*m_db, 2677700003LL, QStringLiteral("2026-01-01 00:05:00"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("1"), 21, 10, 1, QStringLiteral("2025-12-31 23:59:00")});
    QCOMPARE(UlozUcte(*m_db, input()), 2577700006LL);
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("1"), 21, 10, 1, QStringLiteral("2026-01-01 00:10:00")});
    QCOMPARE(UlozUcte(*m_db, input()), 2677700004LL);
    QCOMPARE(m_db->scalar(QStringLiteral("select count(distinct cisuctenky) from uctenky")).toInt(),
             4);
}

void TestReceiptCommit::vatSplit()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 121.00, 1});
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("B"), 10, 110.00, 1});
    CommitInput in = input();
    in.paid = 300;
    const qint64 n = UlozUcte(*m_db, in);
    for (int id2 : {1, 2}) {
        QCOMPARE(stored(QStringLiteral("z23"), n, id2).toDouble(), 100.0);
        QCOMPARE(stored(QStringLiteral("d23"), n, id2).toDouble(), 21.0);
        QCOMPARE(stored(QStringLiteral("z1"), n, id2).toDouble(), 100.0);
        QCOMPARE(stored(QStringLiteral("d1"), n, id2).toDouble(), 10.0);
        QCOMPARE(stored(QStringLiteral("z0"), n, id2).toDouble(), 0.0);
        QCOMPARE(stored(QStringLiteral("z5"), n, id2).toDouble(), 0.0);
        QCOMPARE(stored(QStringLiteral("soucetu"), n, id2).toDouble(), 231.0);
        QCOMPARE(stored(QStringLiteral("soucetuzao"), n, id2).toDouble(), 231.0);
        QCOMPARE(stored(QStringLiteral("typplatby"), n, id2).toString(), QStringLiteral("H"));
        QCOMPARE(stored(QStringLiteral("platil"), n, id2).toInt(), 300);
        QVERIFY(stored(QStringLiteral("cislokarty"), n, id2).isNull());
        QCOMPARE(stored(QStringLiteral("vydejka"), n, id2).toLongLong(), 0LL);
    }
}

void TestReceiptCommit::configuredVatRates()
{
    // Today's Czech rates: 12 % in the pair that held 10 %.
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 12, 112.00, 1});
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("B"), 21, 121.00, 1});
    CommitInput in = input();
    in.vat.z1 = 12;
    const qint64 n = UlozUcte(*m_db, in);
    QCOMPARE(stored(QStringLiteral("z1"), n, 1).toDouble(), 100.0);
    QCOMPARE(stored(QStringLiteral("d1"), n, 1).toDouble(), 12.0);
    QCOMPARE(stored(QStringLiteral("z23"), n, 1).toDouble(), 100.0);
    QCOMPARE(stored(QStringLiteral("d23"), n, 1).toDouble(), 21.0);
    QCOMPARE(stored(QStringLiteral("z5"), n, 1).toDouble(), 0.0);
    QCOMPARE(stored(QStringLiteral("soucetu"), n, 1).toDouble(), 233.0);
    QVERIFY(counterSaleCommitScript(in)
                .join(QLatin1Char('\n'))
                .contains(QStringLiteral("@s10:=sum(IF(dph=12,cenar,0))")));
    QVERIFY(tableCommitScript(in, QStringLiteral("1"))
                .join(QLatin1Char('\n'))
                .contains(QStringLiteral("z1=@s10/1.12")));
}

void TestReceiptCommit::cardDiscount()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 100, 2});
    CommitInput in = input();
    in.paymentMode = PaymentMode::Card;
    in.cardDiscount = 10;
    in.cardNumber = QStringLiteral("2001");
    const qint64 n = UlozUcte(*m_db, in);
    QCOMPARE(stored(QStringLiteral("pcsd"), n).toDouble(), 90.0);
    QCOMPARE(stored(QStringLiteral("cenar"), n).toDouble(), 180.0);
    QCOMPARE(stored(QStringLiteral("sleva"), n).toDouble(), 20.0);
    QCOMPARE(stored(QStringLiteral("cislokarty"), n).toString(), QStringLiteral("2001"));
    QCOMPARE(stored(QStringLiteral("typplatby"), n).toString(), QStringLiteral("K"));
    QCOMPARE(stored(QStringLiteral("soucetu"), n).toDouble(), 180.0);
    QCOMPARE(stored(QStringLiteral("platil"), n).toInt(), 0);
}

void TestReceiptCommit::refundRaisesStock()
{
    fixture::addProduct(QStringLiteral("P1"), 10);
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("P1"), 21, 25, 2});
    CommitInput in = input();
    in.paymentMode = PaymentMode::Refund;
    in.stockControl = true;
    const qint64 n = UlozUcte(*m_db, in);
    QCOMPARE(m_db->scalar(QStringLiteral("select stav from seznam where jkpov='P1'")).toDouble(),
             12.0);
    QCOMPARE(stored(QStringLiteral("pocet"), n).toInt(), -1);
    QCOMPARE(stored(QStringLiteral("mnoz"), n).toDouble(), -2.0);
    QCOMPARE(stored(QStringLiteral("cenar"), n).toDouble(), -50.0);
    QCOMPARE(stored(QStringLiteral("cenar0"), n).toDouble(), -50.0);
    QCOMPARE(stored(QStringLiteral("z23"), n).toDouble(), -41.32);
    QCOMPARE(stored(QStringLiteral("d23"), n).toDouble(), -8.68);
    QCOMPARE(stored(QStringLiteral("soucetu"), n).toDouble(), -50.0);
    QCOMPARE(stored(QStringLiteral("typplatby"), n).toString(), QStringLiteral("H"));
}

void TestReceiptCommit::stockControl_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<double>("stock");
    QTest::newRow("on lowers") << true << 7.5;
    QTest::newRow("off leaves") << false << 10.0;
}

void TestReceiptCommit::stockControl()
{
    QFETCH(bool, on);
    QFETCH(double, stock);
    fixture::addProduct(QStringLiteral("P1"), 10);
    fixture::addProduct(QStringLiteral("P1"), 10, QStringLiteral("12")); // another branch's
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("P1"), 21, 10, 2});
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("P1"), 21, 10, 0.5});
    CommitInput in = input();
    in.stockControl = on;
    UlozUcte(*m_db, in);
    QCOMPARE(
        m_db->scalar(QStringLiteral("select stav from seznam where jkpov='P1' and stredisko='777'"))
            .toDouble(),
        stock);
    QCOMPARE(
        m_db->scalar(QStringLiteral("select stav from seznam where jkpov='P1' and stredisko='12'"))
            .toDouble(),
        10.0);
}

void TestReceiptCommit::correctionPair()
{
    // Receipt 1577700005 of two lines; the highest number so far is ...08.
    for (int id2 : {1, 2}) {
        m_db->exec(
            QStringLiteral(
                "insert into uctenky set cisuctenky=1577700005, id2=%1, datum='2015-03-01 "
                "09:00:00', "
                "stredisko='777', nazev='x', mnoz=1, pocet=1, cenar=50, cenar0=50, soucetu=100, "
                "z23=82.64, d23=17.36, z1=3, d1=0.3, typplatby='K'")
                .arg(id2));
    }
    fixture::addStoredLine(*m_db, 1577700008LL, QStringLiteral("2015-03-02 09:00:00"));
    // The storno table as the correction prepares it.
    m_db->exec(QStringLiteral("create table tmp01uct4 ENGINE=InnoDB (select * from uctenky where "
                              "cisuctenky=1577700005)"));
    m_db->exec(QStringLiteral(
        "update tmp01uct4 set id=0, mnoz=-mnoz, pocet=-pocet, cenar=-cenar, soucetu=-soucetu, "
        "z23=-z23, d23=-d23, z1=-z1, d1=-d1, cenar0=-cenar0"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 40, 1});
    CommitInput in = input();
    in.correctedReceipt = 1577700005LL;
    const qint64 n = UlozUcte(*m_db, in);
    QCOMPARE(n, 1577700009LL);
    QCOMPARE(stored(QStringLiteral("vydejka"), n).toLongLong(), 0LL);
    QCOMPARE(fixture::count(
                 *m_db,
                 QStringLiteral("from uctenky where cisuctenky=1577700010 and vydejka=1577700005")),
             2);
    QCOMPARE(fixture::count(
                 *m_db,
                 QStringLiteral("from uctenky where cisuctenky=1577700005 and vydejka=1577700010")),
             2);
    QCOMPARE(stored(QStringLiteral("cenar"), 1577700010LL).toDouble(), -50.0);
    QCOMPARE(stored(QStringLiteral("z1"), 1577700010LL).toDouble(), -3.0);
    QCOMPARE(stored(QStringLiteral("typplatby"), 1577700010LL).toString(), QStringLiteral("K"));
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from tmp01uct4")), 0);
}

void TestReceiptCommit::deliveryNotesRemoved()
{
    for (const char *who : {"ODB1", "ODB1", "ODB2"})
        testdb::rootSql(QStringLiteral("insert into dlterm set stredisko='777', odberatel='%1'")
                            .arg(QLatin1String(who)));
    testdb::rootSql(QStringLiteral("insert into dlterm set stredisko='12', odberatel='ODB1'"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 10, 1});
    CommitInput in = input();
    in.deliveryCustomer = QStringLiteral("ODB1");
    UlozUcte(*m_db, in);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from dlterm where stredisko='777'")), 1);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from dlterm where stredisko='12'")), 1);
}

void TestReceiptCommit::emptyReceipt()
{
    const qint64 n = UlozUcte(*m_db, input());
    QCOMPARE(n, firstReceiptNumber(QDate::currentDate().year(), QStringLiteral("777")));
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from uctenky")), 0);
}

void TestReceiptCommit::usedUpNumbers()
{
    fixture::addStoredLine(*m_db, 1577799999LL, QStringLiteral("2015-12-30 10:00:00"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 10, 1});
    QVERIFY_THROWS_EXCEPTION(UserError, UlozUcte(*m_db, input()));
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from uctenky")), 1);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from tmp01uct where cisuctenky=0")), 1);
}

void TestReceiptCommit::failureLeavesEverythingAsItWas()
{
    fixture::addProduct(QStringLiteral("P1"), 10);
    testdb::rootSql(QStringLiteral("insert into dlterm set stredisko='777', odberatel='ODB1'"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("P1"), 21, 100, 2});
    const auto snapshot = [this] {
        QStringList s;
        QSqlQuery q = m_db->query(
            QStringLiteral("select id2, pc, pcsd, cenar, sleva, cisuctenky, cislokarty, z23, "
                           "soucetu from tmp01uct order by id2"));
        while (q.next()) {
            for (int i = 0; i < 9; ++i)
                s << q.value(i).toString();
        }
        s << m_db->scalar(QStringLiteral("select stav from seznam")).toString()
          << m_db->scalar(QStringLiteral("select count(*) from dlterm")).toString()
          << m_db->scalar(QStringLiteral("select count(*) from uctenky")).toString();
        return s;
    };
    const QStringList before = snapshot();
    CommitInput in = input();
    in.stockControl = true;
    in.cardDiscount = 10;
    in.cardNumber = QStringLiteral("2001");
    in.deliveryCustomer = QStringLiteral("ODB1");

    // The disk fails as the lines are copied into uctenky.
    testdb::rootSql(QStringLiteral("CREATE TRIGGER porucha BEFORE INSERT ON uctenky FOR EACH ROW "
                                   "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Porucha disku'"));
    try {
        UlozUcte(*m_db, in);
        QFAIL("committed");
    } catch (const DbError &e) {
        QCOMPARE(e.text(), QStringLiteral("Porucha disku"));
    }
    QCOMPARE(snapshot(), before);

    testdb::rootSql(QStringLiteral("DROP TRIGGER porucha"));
    const qint64 n = UlozUcte(*m_db, in);
    QCOMPARE(stored(QStringLiteral("pcsd"), n).toDouble(), 90.0); // the discount once
    QCOMPARE(stored(QStringLiteral("cenar"), n).toDouble(), 180.0);
    QCOMPARE(m_db->scalar(QStringLiteral("select stav from seznam")).toDouble(), 8.0);
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from dlterm")), 0);
}

void TestReceiptCommit::lockWaitIsRetried()
{
    fixture::addStoredLine(*m_db, 1577700001LL, QStringLiteral("2015-01-02 10:00:00"));
    fixture::addWorkLine(*m_db, QStringLiteral("01"), {QStringLiteral("A"), 21, 10, 1});
    m_db->exec(QStringLiteral("SET SESSION innodb_lock_wait_timeout=1"));

    // Another workstation holds the numbering lock for a while.
    auto holdLock = [](int ms, std::atomic<bool> &locked) {
        DbSession other;
        other.open(testdb::settings());
        other.exec(QStringLiteral("START TRANSACTION"));
        other.query(QStringLiteral(
            "select max(cisuctenky) from uctenky where stredisko='777' and cisuctenky "
            "between 1577700000 and 1577799999 for update"));
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        other.exec(QStringLiteral("commit"));
    };

    std::atomic<bool> locked = false;
    std::thread longHolder(holdLock, 4000, std::ref(locked));
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    try {
        UlozUcte(*m_db, input(), 2); // gives up after two waits
        QFAIL("committed through the lock");
    } catch (const DbError &e) {
        QCOMPARE(e.code(), 1205);
    }
    longHolder.join();
    QCOMPARE(fixture::count(*m_db, QStringLiteral("from tmp01uct where cisuctenky=0")), 1);

    locked = false;
    std::thread shortHolder(holdLock, 1500, std::ref(locked));
    while (!locked)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    QCOMPARE(UlozUcte(*m_db, input()), 1577700002LL);
    shortHolder.join();
}

void TestReceiptCommit::concurrentWorkstations()
{
    // Four tills of one branch, each commit tried at most the usual three times:
    // they queue on the branch instead of deadlocking on the number range.
    testdb::rootSql(QStringLiteral("insert into strediska set stredisko='777', nazev='Prodejna'"));
    constexpr int perStation = 25;
    const QStringList stations{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
                               QStringLiteral("04")};
    std::atomic<int> ready = 0;
    std::atomic<int> failures = 0;
    auto station = [&](const QString &pc) {
        DbSession s;
        s.open(testdb::settings());
        WorkTables(pc).createForCounterSale(s);
        ++ready;
        while (ready < stations.size())
            std::this_thread::yield();
        for (int i = 0; i < perStation; ++i) {
            try {
                if (!WorkTables(pc).receiptHasLines(s))
                    fixture::addWorkLine(s, pc,
                                         {pc, 21, 10, 1, QStringLiteral("2015-06-01 10:00:00")});
                CommitInput in;
                in.cisloPC = pc;
                in.stredisko = QStringLiteral("777");
                UlozUcte(s, in);
            } catch (const std::exception &e) {
                qWarning("%s: %s", qPrintable(pc), e.what());
                ++failures;
            }
        }
    };
    std::vector<std::thread> threads;
    for (const QString &pc : stations)
        threads.emplace_back(station, pc);
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(failures.load(), 0);
    QSqlQuery q = m_db->query(
        QStringLiteral("select cisuctenky, count(*) from uctenky group by cisuctenky order by 1"));
    qint64 expected = 1577700001LL;
    while (q.next()) {
        QCOMPARE(q.value(0).toLongLong(), expected++);
        QCOMPARE(q.value(1).toInt(), 1);
    }
    QCOMPARE(expected, 1577700001LL + stations.size() * perStation);
}

QTEST_GUILESS_MAIN(TestReceiptCommit)
#include "test_receipt_commit.moc"
