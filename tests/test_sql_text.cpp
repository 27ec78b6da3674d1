#include "store/sql_text.h"

#include <QtTest>

class TestSqlText : public QObject
{
    Q_OBJECT
private slots:
    void quote_data();
    void quote();
    void numbers();
    void splitScript_data();
    void splitScript();
};

void TestSqlText::quote_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("literal");
    QTest::newRow("plain") << QStringLiteral("Rohlík") << QStringLiteral("'Rohlík'");
    QTest::newRow("empty") << QString() << QStringLiteral("''");
    QTest::newRow("quote") << QStringLiteral("O'Neil") << QStringLiteral("'O\\'Neil'");
    QTest::newRow("trailing backslash") << QStringLiteral("x\\") << QStringLiteral("'x\\\\'");
    QTest::newRow("backslash quote")
        << QStringLiteral("x\\' OR 1=1 -- ") << QStringLiteral("'x\\\\\\' OR 1=1 -- '");
    QTest::newRow("double quote stays") << QStringLiteral("a\"b") << QStringLiteral("'a\"b'");
    QTest::newRow("NUL, CR, LF, ^Z")
        << QString::fromUtf16(u"a\0b\r\n\x1a", 6) << QStringLiteral("'a\\0b\\r\\n\\Z'");
}

void TestSqlText::quote()
{
    QFETCH(QString, value);
    QFETCH(QString, literal);
    QCOMPARE(sql::quote(value), literal);
}

void TestSqlText::numbers()
{
    QCOMPARE(sql::point(QStringLiteral("1,5")), QStringLiteral("1.5"));
    QCOMPARE(sql::point(QStringLiteral("1.5")), QStringLiteral("1.5"));
    QCOMPARE(sql::number(0.1 + 0.2), QStringLiteral("0.3"));
    QCOMPARE(sql::number(-2.5), QStringLiteral("-2.5"));
    QCOMPARE(sql::number(1577700001.0), QStringLiteral("1577700001"));
}

void TestSqlText::splitScript_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("two") << QStringLiteral("START TRANSACTION;\ncommit;")
                         << QStringList{QStringLiteral("START TRANSACTION"),
                                        QStringLiteral("commit")};
    QTest::newRow("statement over lines")
        << QStringLiteral("select @PoDoU := max(cisuctenky) from uctenky\n where stredisko = "
                          "'777'\n FOR UPDATE;")
        << QStringList{QStringLiteral("select @PoDoU := max(cisuctenky) from uctenky\n where "
                                      "stredisko = '777'\n FOR UPDATE")};
    QTest::newRow("semicolon in single quotes")
        << QStringLiteral("insert into t set a='x;y';select 1;")
        << QStringList{QStringLiteral("insert into t set a='x;y'"), QStringLiteral("select 1")};
    QTest::newRow("semicolon in double quotes")
        << QStringLiteral("update t set typplatby=\";\";")
        << QStringList{QStringLiteral("update t set typplatby=\";\"")};
    QTest::newRow("doubled quotes")
        << QStringLiteral("select 'it''s; ok';select 2")
        << QStringList{QStringLiteral("select 'it''s; ok'"), QStringLiteral("select 2")};
    QTest::newRow("escaped quote")
        << QStringLiteral("select 'a\\';b';select 3;")
        << QStringList{QStringLiteral("select 'a\\';b'"), QStringLiteral("select 3")};
    QTest::newRow("value ending in backslash")
        << QStringLiteral("select 'x\\\\';select 4;")
        << QStringList{QStringLiteral("select 'x\\\\'"), QStringLiteral("select 4")};
    QTest::newRow("other quote inside")
        << QStringLiteral("select \"it's;\";select '\"';")
        << QStringList{QStringLiteral("select \"it's;\""), QStringLiteral("select '\"'")};
    QTest::newRow("backtick name") << QStringLiteral("select `a;b` from t;")
                                   << QStringList{QStringLiteral("select `a;b` from t")};
    QTest::newRow("comments") << QStringLiteral("-- one; two\nselect 1; /* x; y */ select 2;")
                              << QStringList{QStringLiteral("-- one; two\nselect 1"),
                                             QStringLiteral("/* x; y */ select 2")};
    QTest::newRow("blank statements dropped")
        << QStringLiteral(" ;\n;select 1;\n  ") << QStringList{QStringLiteral("select 1")};
    QTest::newRow("last without semicolon")
        << QStringLiteral("select 1;\nselect 2")
        << QStringList{QStringLiteral("select 1"), QStringLiteral("select 2")};
}

void TestSqlText::splitScript()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(sql::splitScript(script), statements);
}

QTEST_APPLESS_MAIN(TestSqlText)
#include "test_sql_text.moc"
