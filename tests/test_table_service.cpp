#include "sale/receipt_commit.h"
#include "sale/receipt_lines.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "store/work_tables.h"
#include "support/receipt_fixture.h"
#include "support/test_db.h"
#include "support/working_folder.h"
#include "tables/table_map.h"
#include "tables/table_move.h"

#include <QTemporaryDir>
#include <QtTest>

using fixture::WorkLine;

// Open orders of table service: paying one order, and moving lines between orders.
class TestTableService : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void tableLineWrite();
    void payingOneSeatLeavesTheOther();
    void refundKeepsThePaymentType();
    void failedCommitKeepsEveryOrder();
    void moves_data();
    void moves();
    void movesOfAStornoCopy();
    void goingBackChangesNothing();
    void names_data();
    void names();
    void mapCaptions();

private:
    QStringList order(const QString &stul);
    double total(const QString &stul);
    CommitInput input(PaymentMode mode = PaymentMode::Cash) const;

    TemporaryWorkingFolder m_dir; // trace files land here
    std::unique_ptr<DbSession> m_db;
};

void TestTableService::init()
{
    testdb::reset();
    m_db = std::make_unique<DbSession>();
    m_db->open(testdb::settings());
    WorkTables(QStringLiteral("01")).ensureForTableService(*m_db);
}

CommitInput TestTableService::input(PaymentMode mode) const
{
    CommitInput in;
    in.cisloPC = QStringLiteral("01");
    in.stredisko = QStringLiteral("777");
    in.paymentMode = mode;
    return in;
}

QStringList TestTableService::order(const QString &stul)
{
    QStringList lines;
    QSqlQuery q = m_db->query(
        QStringLiteral("select jkpov, mnoz, cenar from tmp01uct where stul='%1' order by id2")
            .arg(stul));
    while (q.next())
        lines << QStringLiteral("%1 %2 %3")
                     .arg(q.value(0).toString())
                     .arg(q.value(1).toDouble())
                     .arg(q.value(2).toDouble());
    return lines;
}

double TestTableService::total(const QString &stul)
{
    return m_db->scalar(QStringLiteral("select sum(cenar) from tmp01uct where stul='%1'").arg(stul))
        .toDouble();
}

void TestTableService::tableLineWrite()
{
    testdb::rootSql(QStringLiteral(
        "insert into seznam set stredisko='777', jkpov='P1', nazev='Pivo', zkratka='Pivo', "
        "popis='točené', povaha='K', mj='ks', pc=41.32, pcsd=50, slevakc=5, dph=21, nc=20"));
    QSqlQuery q = m_db->query(QStringLiteral("select * from seznam"));
    QVERIFY(q.next());
    const QString statement =
        tableLineInsertStatement(QStringLiteral("01"), q.record(), 2, 1.5, QStringLiteral("777"),
                                 QStringLiteral("1z2"), QDateTime(QDate(2015, 3, 10), QTime(9, 5)));
    const QStringList lines = statement.split(QLatin1Char('\n'));
    QCOMPARE(lines.at(3), QStringLiteral(" ,popis='točené'"));
    QCOMPARE(lines.indexOf(QStringLiteral(" ,stul='1z2'")),
             lines.indexOf(QStringLiteral(" ,stredisko='777'")) + 1);
    QVERIFY(!statement.contains(QStringLiteral("soucetuzao")));
    m_db->exec(statement);
    QCOMPARE(order(QStringLiteral("1z2")), QStringList{QStringLiteral("P1 3 135")});
    QCOMPARE(m_db->scalar(QStringLiteral("select soucetuzao from tmp01uct")).toDouble(), 0.0);
}

void TestTableService::payingOneSeatLeavesTheOther()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("A"), 21, 121, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("1z1")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("B"), 10, 110, 1, QStringLiteral("2015-03-10 10:01:00"),
                          QStringLiteral("777"), QStringLiteral("1z2")});
    CommitInput in = input();
    in.paid = 200;
    const qint64 n = commitTableOrder(*m_db, in, QStringLiteral("1z1"));
    QCOMPARE(n, 1577700001LL);
    QSqlQuery q = m_db->query(
        QStringLiteral("select stul, z23, d23, z1, soucetu, typplatby, platil from uctenky"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("1z1"));
    QCOMPARE(q.value(1).toDouble(), 100.0);
    QCOMPARE(q.value(2).toDouble(), 21.0);
    QCOMPARE(q.value(3).toDouble(), 0.0); // seat 1z2's 10 % is not on this receipt
    QCOMPARE(q.value(4).toDouble(), 121.0);
    QCOMPARE(q.value(5).toString(), QStringLiteral("H"));
    QCOMPARE(q.value(6).toInt(), 200);
    QVERIFY(!q.next());
    QCOMPARE(order(QStringLiteral("1z1")), QStringList());
    QCOMPARE(order(QStringLiteral("1z2")), QStringList{QStringLiteral("B 1 110")});
    QCOMPARE(m_db->scalar(QStringLiteral("select cisuctenky from tmp01uct")).toLongLong(), 0LL);
}

void TestTableService::refundKeepsThePaymentType()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("A"), 21, 50, 2, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("xx")});
    m_db->exec(QStringLiteral("update tmp01uct set typplatby='K'")); // copied from a card receipt
    const qint64 n = commitTableOrder(*m_db, input(PaymentMode::Refund), QStringLiteral("xx"));
    QCOMPARE(
        m_db->scalar(QStringLiteral("select typplatby from uctenky where cisuctenky=%1").arg(n))
            .toString(),
        QStringLiteral("K"));
    QCOMPARE(m_db->scalar(QStringLiteral("select soucetu from uctenky where cisuctenky=%1").arg(n))
                 .toDouble(),
             -100.0);
    QCOMPARE(m_db->scalar(QStringLiteral("select mnoz from uctenky where cisuctenky=%1").arg(n))
                 .toDouble(),
             -2.0);
}

void TestTableService::failedCommitKeepsEveryOrder()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("A"), 21, 121, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("2")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("B"), 10, 110, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("3")});
    testdb::rootSql(QStringLiteral("CREATE TRIGGER porucha BEFORE INSERT ON uctenky FOR EACH ROW "
                                   "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Porucha disku'"));
    QVERIFY_THROWS_EXCEPTION(
        DbError, commitTableOrder(*m_db, input(PaymentMode::Refund), QStringLiteral("2")));
    QCOMPARE(order(QStringLiteral("2")), QStringList{QStringLiteral("A 1 121")});
    QCOMPARE(order(QStringLiteral("3")), QStringList{QStringLiteral("B 1 110")});
    QCOMPARE(
        m_db->scalar(QStringLiteral("select count(*) from tmp01uct where cisuctenky<>0 or z23<>0"))
            .toInt(),
        0);
}

void TestTableService::moves_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QList<double>>("quantities"); // moved from the first line, in turn
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("targetLines");
    QTest::newRow("whole line") << "2z2" << QList<double>{3} << QStringList{QStringLiteral("M 1 5")}
                                << QStringList{QStringLiteral("K 3 30")};
    QTest::newRow("1 of 3") << "2z2" << QList<double>{1}
                            << QStringList{QStringLiteral("K 2 20"), QStringLiteral("M 1 5")}
                            << QStringList{QStringLiteral("K 1 10")};
    QTest::newRow("twice from one line")
        << "2z2" << QList<double>{1, 1.5}
        << QStringList{QStringLiteral("K 0.5 5"), QStringLiteral("M 1 5")}
        << QStringList{QStringLiteral("K 1 10"), QStringLiteral("K 1.5 15")};
    QTest::newRow("more than the line")
        << "2z2" << QList<double>{5}
        << QStringList{QStringLiteral("K -2 -20"), QStringLiteral("M 1 5")}
        << QStringList{QStringLiteral("K 5 50")};
    QTest::newRow("nothing") << "2z2" << QList<double>{0}
                             << QStringList{QStringLiteral("K 3 30"), QStringLiteral("M 1 5")}
                             << QStringList();
    QTest::newRow("onto itself") << "2z1" << QList<double>{1}
                                 << QStringList{QStringLiteral("K 2 20"), QStringLiteral("M 1 5"),
                                                QStringLiteral("K 1 10")}
                                 << QStringList{QStringLiteral("K 2 20"), QStringLiteral("M 1 5"),
                                                QStringLiteral("K 1 10")};
}

void TestTableService::moves()
{
    QFETCH(QString, target);
    QFETCH(QList<double>, quantities);
    QFETCH(QStringList, source);
    QFETCH(QStringList, targetLines);
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("K"), 21, 10, 3, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("2z1")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("M"), 21, 5, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("2z1")});
    const double before =
        total(QStringLiteral("2z1")) + (target == QLatin1String("2z1") ? 0 : total(target));
    TableMove move(*m_db, QStringLiteral("01"), QStringLiteral("2z1"), target);
    move.open();
    for (double q : quantities)
        move.moveLine(1, q);
    move.done();
    QCOMPARE(order(QStringLiteral("2z1")), source);
    if (target != QLatin1String("2z1"))
        QCOMPARE(order(target), targetLines);
    QCOMPARE(total(QStringLiteral("2z1")) + (target == QLatin1String("2z1") ? 0 : total(target)),
             before);
    QFile ax(QStringLiteral("ax.txt"));
    QVERIFY(ax.open(QIODevice::ReadOnly));
    QVERIFY(ax.readAll().contains("START TRANSACTION;"));
}

void TestTableService::movesOfAStornoCopy()
{
    // Lines copied from committed receipts carry their `id`; each part still gets its own.
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("K"), 21, 10, 3, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("xx")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("M"), 21, 5, 2, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("xx")});
    m_db->exec(QStringLiteral("update tmp01uct set id=id2+5000"));
    TableMove move(*m_db, QStringLiteral("01"), QStringLiteral("xx"), QStringLiteral("Novák"));
    move.open();
    move.moveLine(2, 1);
    move.moveLine(1, 2);
    QCOMPARE(move.movedTotal(), 25.0);
    move.done();
    QCOMPARE(order(QStringLiteral("xx")),
             (QStringList{QStringLiteral("K 1 10"), QStringLiteral("M 1 5")}));
    QCOMPARE(order(QStringLiteral("Novák")),
             (QStringList{QStringLiteral("M 1 5"), QStringLiteral("K 2 20")}));
    QCOMPARE(move.sourceTotalAfterMove(), 15.0);
}

void TestTableService::goingBackChangesNothing()
{
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("K"), 21, 10, 3, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("2z1")});
    const QStringList before = order(QStringLiteral("2z1"));
    TableMove move(*m_db, QStringLiteral("01"), QStringLiteral("2z1"), QStringLiteral("3"));
    move.open();
    move.moveLine(1, 1);
    move.moveLine(1, 1);
    // "ZPĚT": the dialog closes without done().
    QCOMPARE(order(QStringLiteral("2z1")), before);
    QCOMPARE(order(QStringLiteral("3")), QStringList());
}

void TestTableService::names_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tableId");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("a name") << "Novák"
                            << "Novák"
                            << "";
    QTest::newRow("15 characters cut to 10") << "Svatební hostina"
                                             << "Svatební h"
                                             << "";
    QTest::newRow("digit first") << "7 trpaslíků"
                                 << "" << tablemap::kDigitFirst;
    QTest::newRow("space then digit") << " 7 trpaslíků"
                                      << " 7 trpaslí"
                                      << "";
    QTest::newRow("digit later") << "a1"
                                 << "a1"
                                 << "";
    QTest::newRow("empty") << ""
                           << "" << tablemap::kEmptyName;
}

void TestTableService::names()
{
    QFETCH(QString, typed);
    QFETCH(QString, tableId);
    QFETCH(QString, refusal);
    const tablemap::NameChoice choice = tablemap::nameChoice(typed);
    QCOMPARE(choice.tableId, tableId);
    QCOMPARE(choice.refusal, refusal);
}

void TestTableService::mapCaptions()
{
    QCOMPARE(tablemap::panelOf(QStringLiteral("2z3")), QStringLiteral("s2z3"));
    QCOMPARE(tablemap::panelOf(QStringLiteral("4")), QStringLiteral("s4"));
    QCOMPARE(tablemap::panelOf(QStringLiteral("Bar")), QString());
    QCOMPARE(tablemap::captionWhenLeft(QStringLiteral("1z2"), 150.5, QStringLiteral(" 150,50")),
             QStringLiteral(" 150,50"));
    QCOMPARE(tablemap::captionWhenLeft(QStringLiteral("1z2"), 0, QStringLiteral(" ,00")),
             QStringLiteral("2"));
    QCOMPARE(tablemap::captionWhenLeft(QStringLiteral("1"), 0, QStringLiteral(" ,00")),
             QStringLiteral("1"));
    QCOMPARE(tablemap::captionWhenLeft(QStringLiteral("Bar"), 0, QStringLiteral(" ,00")),
             QString());
    QCOMPARE(tablemap::captionWhenLeft(QStringLiteral("Bar"), 20, QStringLiteral(" 20,00")),
             QStringLiteral("Bar"));

    // The open orders survive a restart of the screen: the work table is kept.
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("A"), 21, 150.5, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("1z2")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("B"), 21, 1200, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("3")});
    fixture::addWorkLine(*m_db, QStringLiteral("01"),
                         {QStringLiteral("C"), 21, 10, 1, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("Bar")});
    QCOMPARE(WorkTables(QStringLiteral("01")).ensureForTableService(*m_db), false);
    QStringList seen;
    for (const tablemap::OpenOrder &o : tablemap::openOrders(*m_db, QStringLiteral("01")))
        seen << QStringLiteral("%1=%2").arg(o.tableId).arg(o.total);
    seen.sort();
    QCOMPARE(seen, (QStringList{QStringLiteral("1z2=150.5"), QStringLiteral("3=1200"),
                                QStringLiteral("Bar=10")}));
}

QTEST_GUILESS_MAIN(TestTableService)
#include "test_table_service.moc"
