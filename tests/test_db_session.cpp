#include "store/db_error.h"
#include "store/db_session.h"
#include "store/sql_text.h"
#include "support/test_db.h"
#include "support/working_folder.h"

#include <QTemporaryDir>
#include <QtTest>

class TestDbSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void quotedValuesStayValues_data();
    void quotedValuesStayValues();
    void connectionIsCompressedAndStrict();
    void userVariablesCarryOver();
    void scriptSplitsOutsideQuotes();
    void traceFileWrittenBeforeRunning();
    void serverErrorCarriesTextAndCode();
    void failedScriptRollsBack();
    void unreachableServer_data();
    void unreachableServer();
    void programUserHasOnlyItsRights_data();
    void programUserHasOnlyItsRights();

private:
    TemporaryWorkingFolder m_dir; // trace files land here
    DbSession m_session;
};

void TestDbSession::initTestCase()
{
    testdb::reset();
    m_session.open(testdb::settings());
}

void TestDbSession::init()
{
    // A table of the test's own, which the program's user may fill.
    testdb::rootSql(QStringLiteral(
        "DROP TABLE IF EXISTS pokus; CREATE TABLE pokus (id INT AUTO_INCREMENT PRIMARY KEY, "
        "v VARCHAR(100) NOT NULL, k VARCHAR(3) NOT NULL DEFAULT '') "
        "ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;"
        "GRANT SELECT, INSERT ON pokus TO 'kasa'@'127.0.0.1';"));
}

void TestDbSession::quotedValuesStayValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("backslash quote") << QStringLiteral("x\\' OR 1=1 -- ");
    QTest::newRow("trailing backslash") << QStringLiteral("x\\");
    QTest::newRow("statement break-out") << QStringLiteral("'; DROP TABLE uctenky; --");
    QTest::newRow("double quotes") << QStringLiteral("\" OR \"\"=\"");
    QTest::newRow("NUL and newline") << QString::fromUtf16(u"a\0b\nc", 5);
    QTest::newRow("czech") << QStringLiteral("Příliš žluťoučký kůň");
    QTest::newRow("percent and underscore") << QStringLiteral("100%_sleva");
}

void TestDbSession::quotedValuesStayValues()
{
    QFETCH(QString, value);
    m_session.exec(QStringLiteral("insert into pokus set v=") + sql::quote(value));
    m_session.exec(QStringLiteral("insert into pokus set v='jiný'"));
    QSqlQuery q =
        m_session.query(QStringLiteral("select v from pokus where v=") + sql::quote(value));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), value);
    QVERIFY(!q.next());
    QCOMPARE(m_session.scalar(QStringLiteral("select count(*) from uctenky")).toInt(), 0);
    QCOMPARE(m_session.scalar(QStringLiteral("select count(*) from pokus")).toInt(), 2);
}

void TestDbSession::connectionIsCompressedAndStrict()
{
    QSqlQuery q = m_session.query(QStringLiteral("show session status like 'Compression'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(1).toString(), QStringLiteral("ON"));

    // Nothing is clipped silently: too long a text and a character the column's
    // code page lacks are both refused.
    try {
        m_session.exec(QStringLiteral("insert into pokus set v='x', k='7777'"));
        QFAIL("a four-character branch code was stored in a three-character column");
    } catch (const DbError &e) {
        QCOMPARE(e.code(), 1406);
    }
    QVERIFY_THROWS_EXCEPTION(DbError,
                             m_session.exec(QStringLiteral("insert into pokus set v='日本'")));
    QCOMPARE(m_session.scalar(QStringLiteral("select count(*) from pokus")).toInt(), 0);
}

void TestDbSession::userVariablesCarryOver()
{
    m_session.exec(QStringLiteral("SET @CiUc = 1577700001"));
    QCOMPARE(m_session.scalar(QStringLiteral("select @CiUc")).toLongLong(), 1577700001LL);
    m_session.runScript(
        {QStringLiteral("select @PoDoU := 5;"), QStringLiteral("SET @CiUc = @PoDoU + 1;")});
    QCOMPARE(m_session.scalar(QStringLiteral("select @CiUc")).toInt(), 6);
}

void TestDbSession::scriptSplitsOutsideQuotes()
{
    m_session.runScript({
        QStringLiteral("START TRANSACTION;"),
        QStringLiteral("insert into pokus"),
        QStringLiteral(" set v='a;b', k=\"1;\";"),
        QStringLiteral("insert into pokus set v=") + sql::quote(QStringLiteral("c\\';d")) +
            QLatin1Char(';'),
        QStringLiteral("commit;"),
    });
    QSqlQuery q = m_session.query(QStringLiteral("select v, k from pokus order by id"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("a;b"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("1;"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("c\\';d"));
}

void TestDbSession::traceFileWrittenBeforeRunning()
{
    const QString bad = QStringLiteral("insert into nikde set v=1");
    QVERIFY_THROWS_EXCEPTION(DbError, m_session.exec(bad, Trace::Au));
    QFile au(QDir::current().filePath(QStringLiteral("au.txt")));
    QVERIFY(au.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(au.readAll()), bad);
    au.close();

    const QStringList script{QStringLiteral("START TRANSACTION;"), QStringLiteral("commit;")};
    m_session.runScript(script, Trace::A4);
    QFile a4(QDir::current().filePath(QStringLiteral("a4.txt")));
    QVERIFY(a4.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(a4.readAll()), script.join(QLatin1Char('\n')));

    // Replaced, not appended.
    m_session.exec(QStringLiteral("select 1"), Trace::Au);
    QVERIFY(au.open(QIODevice::ReadOnly));
    QCOMPARE(au.readAll(), QByteArray("select 1"));
}

void TestDbSession::serverErrorCarriesTextAndCode()
{
    try {
        m_session.query(QStringLiteral("select * from neexistuje"));
        QFAIL("no error");
    } catch (const DbError &e) {
        QCOMPARE(e.code(), 1146);
        QVERIFY2(e.text().contains(QStringLiteral("neexistuje")), qPrintable(e.text()));
        QVERIFY(!e.isRetryable());
    }
    // The session goes on working.
    QCOMPARE(m_session.scalar(QStringLiteral("select 2")).toInt(), 2);
}

void TestDbSession::failedScriptRollsBack()
{
    QVERIFY_THROWS_EXCEPTION(DbError, m_session.runScript({
                                          QStringLiteral("START TRANSACTION;"),
                                          QStringLiteral("insert into pokus set v='polovina';"),
                                          QStringLiteral("insert into neexistuje set v=1;"),
                                          QStringLiteral("commit;"),
                                      }));
    // A later transaction on the same connection must not commit the half.
    m_session.runScript({QStringLiteral("START TRANSACTION;"), QStringLiteral("commit;")});
    DbSession other;
    other.open(testdb::settings());
    QCOMPARE(other.scalar(QStringLiteral("select count(*) from pokus")).toInt(), 0);
}

void TestDbSession::unreachableServer_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code");
    QTest::newRow("nothing listens") << 1 << QStringLiteral("kasa") << 2002;
    QTest::newRow("wrong password") << testdb::settings().port << QStringLiteral("spatne") << 1045;
}

void TestDbSession::unreachableServer()
{
    QFETCH(int, port);
    QFETCH(QString, password);
    QFETCH(int, code);
    ConnectionSettings s = testdb::settings();
    s.port = port;
    s.password = password;
    DbSession session;
    try {
        session.open(s);
        QFAIL("connected");
    } catch (const DbError &e) {
        QVERIFY2(!e.text().isEmpty(), "no message");
        QVERIFY2(e.code() == code || (code == 2002 && e.code() == 2003), qPrintable(e.text()));
    }
    QVERIFY(!session.isOpen());
    QVERIFY_THROWS_EXCEPTION(DbError, session.exec(QStringLiteral("select 1")));
}

QTEST_GUILESS_MAIN(TestDbSession)
#include "test_db_session.moc"

void TestDbSession::programUserHasOnlyItsRights_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("allowed");
    const auto row = [](const char *name, const char *statement, bool allowed) {
        QTest::newRow(name) << QString::fromUtf8(statement) << allowed;
    };
    row("read products", "select count(*) from seznam", true);
    row("store a receipt line", "insert into uctenky set stredisko='777', nazev='x'", true);
    row("mark a receipt", "update uctenky set vydejka=0 where cisuctenky=-1", true);
    row("update stock", "update seznam set stav=stav where jkpov='-'", true);
    row("delete a terminal note", "delete from dlterm where odberatel='-'", true);
    row("recount stock", "call seznam_stav()", true);
    row("read the cash book", "select count(*) from kordan.pokladna", true);
    row("own work table", "create table tmp05uct (a int)", true);
    row("drop own work table", "drop table if exists tmp05trz1", true);
    row("delete receipts", "delete from uctenky", false);
    row("drop receipts", "drop table uctenky", false);
    row("change stored receipts", "update uctenky set cenar=0", false);
    row("change prices", "update seznam set pcsd=0", false);
    row("add a product", "insert into seznam set stredisko='777', jkpov='X'", false);
    row("change a branch", "update strediska set ico='1'", false);
    row("change a card discount", "update zakarty set sleva=99", false);
    row("another workstation's shape", "create table pokus2 (a int)", false);
    row("write the cash book", "insert into kordan.pokladna set castka=1", false);
    row("other databases", "select count(*) from mysql.user", false);
}

void TestDbSession::programUserHasOnlyItsRights()
{
    QFETCH(QString, statement);
    QFETCH(bool, allowed);
    try {
        m_session.exec(statement);
        QVERIFY2(allowed, "the program's user may do this");
    } catch (const DbError &e) {
        QVERIFY2(!allowed, qPrintable(e.text()));
        QVERIFY2(e.code() == 1142 || e.code() == 1143 || e.code() == 1044,
                 qPrintable(e.text())); // denied, not failed for another reason
    }
}
