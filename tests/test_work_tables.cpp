#include "app/station.h"
#include "app/user_error.h"
#include "sale/counter_sale.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "store/work_tables.h"
#include "support/test_db.h"
#include "tables/table_sale.h"

#include <QtTest>

class TestWorkTables : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void statementText();
    void leftoverReceiptIsEmptiedAtStart();
    void linesKeepTheirNumbers();
    void counterSaleCloseDropsOwnTablesOnly();
    void tableServiceKeepsOpenOrders();
    void likeWildcardDoesNotFindAnotherTable();
    void unusableWorkstationRefusedBeforeConnecting();

private:
    static QStringList tables(DbSession &s);
    static void addLine(DbSession &s, const QString &table, const QString &name);
};

QStringList TestWorkTables::tables(DbSession &s)
{
    QStringList names;
    QSqlQuery q = s.query(QStringLiteral("show tables like 'tmp%'"));
    while (q.next())
        names << q.value(0).toString();
    names.sort();
    return names;
}

void TestWorkTables::addLine(DbSession &s, const QString &table, const QString &name)
{
    s.exec(QStringLiteral("insert into ") + table + QStringLiteral(" set nazev='") + name +
           QStringLiteral("', stredisko='777', cenar=10, datum=NOW()"));
}

void TestWorkTables::init()
{
    testdb::reset();
    testdb::rootSql(QStringLiteral("insert into strediska set stredisko='777', ico='12345678', "
                                   "nazev='Prodejna'"));
}

void TestWorkTables::statementText()
{
    const WorkTables t(QStringLiteral("07"));
    QCOMPARE(t.receipt(), QStringLiteral("tmp07uct"));
    QCOMPARE(t.storno(), QStringLiteral("tmp07uct4"));
    QCOMPARE(
        t.createReceiptStatements(),
        (QStringList{
            QStringLiteral("DROP table IF EXISTS tmp07uct;"),
            QStringLiteral("CREATE table tmp07uct ENGINE=InnoDB SELECT * from uctenky LIMIT 0;"),
            QStringLiteral("ALTER TABLE tmp07uct CHANGE COLUMN `id2` `id2` INT(11) NOT NULL "
                           "AUTO_INCREMENT AFTER `PLATIL`,  ADD INDEX `id2` (`id2`);"),
        }));
    QCOMPARE(t.showReceiptTableStatement(), QStringLiteral("show tables like \"tmp07uct\""));
    QCOMPARE(t.dropScript(true), (QStringList{QStringLiteral("START TRANSACTION;"),
                                              QStringLiteral("DROP table IF EXISTS tmp07uct;"),
                                              QStringLiteral("DROP table IF EXISTS tmp07uct4;"),
                                              QStringLiteral("DROP table IF EXISTS tmp07uct44;"),
                                              QStringLiteral("DROP table IF EXISTS tmp07vydradv;"),
                                              QStringLiteral("commit;")}));
    QVERIFY(!t.dropScript(false).contains(QStringLiteral("DROP table IF EXISTS tmp07uct;")));
}

void TestWorkTables::leftoverReceiptIsEmptiedAtStart()
{
    {
        // A run that crashed: its lines stay in the work receipt.
        Station station;
        DbSession session;
        CounterSale sale(station, session);
        sale.start(testdb::config(QStringLiteral("07")));
        QCOMPARE(station.ico, QStringLiteral("12345678"));
        addLine(session, sale.tables().receipt(), QStringLiteral("zbytek"));
    }
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("07")));
    QVERIFY(sale.isReady());
    QCOMPARE(session.scalar(QStringLiteral("select count(*) from tmp07uct")).toInt(), 0);
}

void TestWorkTables::linesKeepTheirNumbers()
{
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("07")));
    const QString receipt = sale.tables().receipt();
    for (const char *name : {"jedna", "dva", "tri"})
        addLine(session, receipt, QLatin1String(name));
    session.exec(QStringLiteral("delete from tmp07uct where id2=2"));
    addLine(session, receipt, QStringLiteral("ctyri"));

    QSqlQuery q = session.query(QStringLiteral("select id2, nazev from tmp07uct order by id2"));
    QStringList seen;
    while (q.next())
        seen << q.value(0).toString() + QLatin1Char(':') + q.value(1).toString();
    QCOMPARE(seen, (QStringList{QStringLiteral("1:jedna"), QStringLiteral("3:tri"),
                                QStringLiteral("4:ctyri")}));

    // The work table copies into uctenky column for column: id2 kept, id new,
    // no card means NULL, vydejka 0.
    session.exec(QStringLiteral("INSERT into uctenky select * from tmp07uct"));
    q = session.query(
        QStringLiteral("select id, id2, nazev, cislokarty, vydejka from uctenky order by id2"));
    QStringList stored;
    while (q.next()) {
        QVERIFY(q.value(0).toInt() > 0);
        QVERIFY(q.value(3).isNull());
        QCOMPARE(q.value(4).toLongLong(), 0LL);
        stored << q.value(1).toString() + QLatin1Char(':') + q.value(2).toString();
    }
    QCOMPARE(stored, seen);
}

void TestWorkTables::counterSaleCloseDropsOwnTablesOnly()
{
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("07")));
    for (const char *name : {"tmp07uct4", "tmp07uct44", "tmp07vydradv", "tmp08uct", "tmp07trz1"})
        session.exec(QStringLiteral("create table ") + QLatin1String(name) +
                     QStringLiteral(" (a int)"));
    addLine(session, sale.tables().receipt(), QStringLiteral("neprodano"));
    sale.close();
    QVERIFY(!sale.isReady());
    QCOMPARE(tables(session),
             (QStringList{QStringLiteral("tmp07trz1"), QStringLiteral("tmp08uct")}));
    sale.close(); // a second close does nothing
}

void TestWorkTables::tableServiceKeepsOpenOrders()
{
    {
        Station station;
        DbSession session;
        TableSale sale(station, session);
        sale.start(testdb::config(QStringLiteral("07")));
        QCOMPARE(station.ico, QString()); // table service does not read it
        QCOMPARE(tables(session), QStringList{QStringLiteral("tmp07uct")});
        session.exec(
            QStringLiteral("insert into tmp07uct set nazev='pivo', stul='S1', datum=NOW()"));
        session.exec(QStringLiteral("create table tmp07uct4 (a int)"));
        sale.close();
        QCOMPARE(tables(session), QStringList{QStringLiteral("tmp07uct")});
    }
    {
        Station station;
        DbSession session;
        TableSale sale(station, session);
        sale.start(testdb::config(QStringLiteral("07")));
        QCOMPARE(session.scalar(QStringLiteral("select stul from tmp07uct")).toString(),
                 QStringLiteral("S1"));
        session.exec(
            QStringLiteral("insert into tmp07uct set nazev='kava', stul='S2', datum=NOW()"));
        QCOMPARE(session.scalar(QStringLiteral("select max(id2) from tmp07uct")).toInt(), 2);
        session.exec(QStringLiteral("delete from tmp07uct"));
        sale.close();
        QCOMPARE(tables(session), QStringList());
    }
}

void TestWorkTables::likeWildcardDoesNotFindAnotherTable()
{
    DbSession session;
    session.open(testdb::settings());
    // Workstation "0_1" may make its own tables; "tmp0x1uct" is not its table.
    testdb::rootSql(QStringLiteral("create table tmp0x1uct (a int); GRANT ALL ON tmp0_1uct TO "
                                   "'kasa'@'127.0.0.1'"));
    Station station;
    TableSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("0_1")));
    QVERIFY(tables(session).contains(QStringLiteral("tmp0_1uct")));
}

void TestWorkTables::unusableWorkstationRefusedBeforeConnecting()
{
    Config c = testdb::config(QStringLiteral("1uct; DROP TABLE uctenky; --"));
    c.sqlPort = 1; // were it to connect, the error would be a database one
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    try {
        sale.start(c);
        QFAIL("started");
    } catch (const UserError &e) {
        QVERIFY(e.message().contains(QStringLiteral("CisloPC")));
    }
    QVERIFY(!sale.isReady());
    QVERIFY(!session.isOpen());
}

QTEST_GUILESS_MAIN(TestWorkTables)
#include "test_work_tables.moc"
