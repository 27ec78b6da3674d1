#include "devices/cp1250.h"
#include "devices/text_utils.h"

#include <QtTest>

class TestTextUtils : public QObject
{
    Q_OBJECT
private slots:
    void scannerDigits_data();
    void scannerDigits();
    void roundHalfAway_data();
    void roundHalfAway();
    void roundToDigits_data();
    void roundToDigits();
    void amounts_data();
    void amounts();
    void fill();
    void words();
    void replaceTextNoCase_data();
    void replaceTextNoCase();
    void dates();
    void cp1250RoundTrip();
};

void TestTextUtils::scannerDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("czech layout") << QStringLiteral("+ěščřžýáíé") << QStringLiteral("1234567890");
    QTest::newRow("shift stuck") << QStringLiteral("!@#$%^&*()") << QStringLiteral("1234567890");
    QTest::newRow("capitals stay") << QStringLiteral("ĚŠČ") << QStringLiteral("ĚŠČ");
    QTest::newRow("tilde separator") << QStringLiteral("2~~8594") << QStringLiteral("2°°8594");
    QTest::newRow("plain code") << QStringLiteral("ABC-12.5") << QStringLiteral("ABC-12.5");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("cut at 255") << QString(300, QChar(u'ě')) << QString(255, QLatin1Char('2'));
}

void TestTextUtils::scannerDigits()
{
    QFETCH(QString, typed);
    QFETCH(QString, fixed);
    QCOMPARE(text::fixScannerDigits(typed), fixed);
}

void TestTextUtils::roundHalfAway_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("2.5") << 2.5 << 3.0;
    QTest::newRow("-2.5") << -2.5 << -3.0;
    QTest::newRow("2.49") << 2.49 << 2.0;
    QTest::newRow("0") << 0.0 << 0.0;
    QTest::newRow("-0.4") << -0.4 << 0.0;
    QTest::newRow("huge stays") << 1e300 << 1e300;
}

void TestTextUtils::roundHalfAway()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(text::roundHalfAway(value), rounded);
}

void TestTextUtils::roundToDigits_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("1.4985 to 2") << 2 << 1.4985 << 1.50;
    // The double nearest 1.005 lies below it.
    QTest::newRow("1.005 to 2") << 2 << 1.005 << 1.00;
    QTest::newRow("123.50 to 0") << 0 << 123.50 << 124.0;
    QTest::newRow("123.49 to 0") << 0 << 123.49 << 123.0;
    QTest::newRow("-123.5 to 0") << 0 << -123.5 << -124.0;
    QTest::newRow("1250 to -2") << -2 << 1250.0 << 1300.0;
}

void TestTextUtils::roundToDigits()
{
    QFETCH(int, digits);
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(text::roundToDigits(digits, value), rounded);
}

void TestTextUtils::amounts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("withDecimals");
    QTest::addColumn<QString>("whole");
    QTest::newRow("1234.5") << 1234.5 << QStringLiteral("1 234,50") << QStringLiteral("1 235");
    QTest::newRow("12.5") << 12.5 << QStringLiteral(" 12,50") << QStringLiteral(" 13");
    QTest::newRow("2.5") << 2.5 << QStringLiteral(" 2,50") << QStringLiteral(" 3");
    QTest::newRow("0") << 0.0 << QStringLiteral(" ,00") << QStringLiteral(" ");
    QTest::newRow("one blank only")
        << 1234567.0 << QStringLiteral("1234 567,00") << QStringLiteral("1234 567");
    QTest::newRow("negative") << -52.5 << QStringLiteral("- 52,50") << QStringLiteral("- 53");
    QTest::newRow("tiny negative is zero")
        << -0.001 << QStringLiteral(" ,00") << QStringLiteral(" ");
    QTest::newRow("half cent up as read")
        << 2.675 << QStringLiteral(" 2,68") << QStringLiteral(" 3");
    QTest::newRow("999.995") << 999.995 << QStringLiteral("1 000,00") << QStringLiteral("1 000");
}

void TestTextUtils::amounts()
{
    QFETCH(double, value);
    QFETCH(QString, withDecimals);
    QFETCH(QString, whole);
    QCOMPARE(text::formatAmount(value, QLatin1Char(',')), withDecimals);
    QCOMPARE(text::formatWholeAmount(value), whole);
    QString withPoint = withDecimals;
    withPoint.replace(QLatin1Char(','), QLatin1Char('.'));
    QCOMPARE(text::formatAmount(value, QLatin1Char('.')), withPoint);
}

void TestTextUtils::fill()
{
    QCOMPARE(text::centre(QStringLiteral("ab"), 5), QStringLiteral(" ab  "));
    QCOMPARE(text::centre(QStringLiteral("abcdef"), 5), QStringLiteral("abcdef"));
    QCOMPARE(text::padLeft(QStringLiteral("12"), 5), QStringLiteral("   12"));
    QCOMPARE(text::padRight(QStringLiteral("12"), 5), QStringLiteral("12   "));
    QCOMPARE(text::padRight(QStringLiteral("123456"), 5), QStringLiteral("123456"));
    QCOMPARE(text::blanks(3), QStringLiteral("   "));
    QCOMPARE(text::blanks(-1), QString());
    QCOMPARE(text::leftPart(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    QCOMPARE(text::rightPart(QStringLiteral("abcdef"), 2), QStringLiteral("ef"));
}

void TestTextUtils::words()
{
    const QString t = QStringLiteral("5,6,7");
    QCOMPARE(text::wordAt(t, QLatin1Char(','), 0), QStringLiteral("5"));
    QCOMPARE(text::wordAt(t, QLatin1Char(','), 1), QStringLiteral("6"));
    QCOMPARE(text::wordAt(t, QLatin1Char(','), 3), QString());
    QCOMPARE(text::replaceChar(QStringLiteral("1,5"), QLatin1Char(','), QStringLiteral(".")),
             QStringLiteral("1.5"));
}

void TestTextUtils::replaceTextNoCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("other case") << QStringLiteral("kasen.exe 2015-01-14")
                                << QStringLiteral("KASEN.EXE") << QStringLiteral("|")
                                << QStringLiteral("| 2015-01-14");
    QTest::newRow("every occurrence") << QStringLiteral("a.000b.000") << QStringLiteral(".000")
                                      << QStringLiteral("|") << QStringLiteral("a|b|");
    // The search goes on after the inserted text, which is not searched again.
    QTest::newRow("replacement holds search") << QStringLiteral("aa") << QStringLiteral("a")
                                              << QStringLiteral("aa") << QStringLiteral("aaaa");
    QTest::newRow("empty search") << QStringLiteral("abc") << QString() << QStringLiteral("x")
                                  << QStringLiteral("abc");
}

void TestTextUtils::replaceTextNoCase()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(text::replaceTextNoCase(text, search, replacement), result);
}

void TestTextUtils::dates()
{
    const QDateTime t(QDate(2015, 1, 14), QTime(9, 5, 0));
    QCOMPARE(text::formatDate(t.date()), QStringLiteral("2015-01-14"));
    QCOMPARE(text::formatDateTime(t), QStringLiteral("2015-01-14 09:05:00"));
    QCOMPARE(text::yearOf(t.date()), 2015);
    QVERIFY(text::executableFolder().endsWith(QLatin1Char('/')));
}

void TestTextUtils::cp1250RoundTrip()
{
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy €");
    const QByteArray bytes = cp1250::encode(czech);
    QCOMPARE(bytes.size(), czech.size());
    QCOMPARE(static_cast<unsigned char>(bytes.at(1)), 0xF8); // ř
    QCOMPARE(cp1250::decode(bytes), czech);
    QVERIFY(!cp1250::canEncode(QStringLiteral("日本")));
    QCOMPARE(cp1250::encode(QStringLiteral("a日b")), QByteArray("a?b"));
}

QTEST_APPLESS_MAIN(TestTextUtils)
#include "test_text_utils.moc"
