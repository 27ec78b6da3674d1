#include "app/config.h"
#include "app/ini_file.h"
#include "app/station.h"
#include "devices/cp1250.h"

#include <QTemporaryDir>
#include <QtTest>

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWithoutFile();
    void keys_data();
    void keys();
    void brokenFiles_data();
    void brokenFiles();
    void windowsFiles_data();
    void windowsFiles();
    void modeFromWorkingFolder();
    void switches_data();
    void switches();
    void workstationNumber_data();
    void workstationNumber();
    void vatRates_data();
    void vatRates();

private:
    QString writeIni(const QByteArray &content);
    QTemporaryDir m_dir;
};

QString TestConfig::writeIni(const QByteArray &content)
{
    static int n = 0;
    const QString path = m_dir.filePath(QStringLiteral("prodej%1.ini").arg(++n));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

void TestConfig::defaultsWithoutFile()
{
    const Config c = Config::load(m_dir.filePath(QStringLiteral("missing.ini")));
    QCOMPARE(c.cisloPC, QStringLiteral("00"));
    QCOMPARE(c.stredisko, QStringLiteral("777"));
    QCOMPARE(c.ip, QStringLiteral("localhost"));
    QCOMPARE(c.user, QStringLiteral("root"));
    QCOMPARE(c.password, QString());
    QCOMPARE(c.sqlPort, 3306);
    QCOMPARE(c.panel, 0);
    QCOMPARE(c.typUctenky, 0);
    QCOMPARE(c.terminal, 0);
    QVERIFY(!c.dotykMonitor);
    QVERIFY(!c.prepocitatStav);
    QVERIFY(c.testovatVerzi);
    QVERIFY(c.platbaKartou);
    QVERIFY(!c.nepovolitDoMinusu);
    QVERIFY(!c.zobrazitJKPOV);
    QCOMPARE(c.otevreniSupliku, QString());
    QCOMPARE(c.pokladnaDatabaze, QStringLiteral("kordan"));
    QCOMPARE(c.pokladnaStredisko, QString());
    const ConnectionSettings s = c.connection();
    QCOMPARE(s.database, QStringLiteral("prodej"));
    QCOMPARE(s.port, 3306);
}

// One key line in [LogON], and the field it must set.
void TestConfig::keys_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("port") << QByteArray("SQLport=3317") << QStringLiteral("sqlPort")
                          << QVariant(3317);
    QTest::newRow("port not a number")
        << QByteArray("SQLport=abc") << QStringLiteral("sqlPort") << QVariant(3306);
    QTest::newRow("port with fraction")
        << QByteArray("SQLport=33.5") << QStringLiteral("sqlPort") << QVariant(3306);
    QTest::newRow("port out of range")
        << QByteArray("SQLport=99999999") << QStringLiteral("sqlPort") << QVariant(3306);
    QTest::newRow("port zero") << QByteArray("SQLport=0") << QStringLiteral("sqlPort")
                               << QVariant(3306);
    QTest::newRow("port empty") << QByteArray("SQLport=") << QStringLiteral("sqlPort")
                                << QVariant(3306);
    QTest::newRow("negative panel")
        << QByteArray("Panel=-1") << QStringLiteral("panel") << QVariant(-1);
    QTest::newRow("yes") << QByteArray("nepovolitDoMinusu=A") << QStringLiteral("nepovolitDoMinusu")
                         << QVariant(true);
    QTest::newRow("small a is no") << QByteArray("nepovolitDoMinusu=a")
                                   << QStringLiteral("nepovolitDoMinusu") << QVariant(false);
    QTest::newRow("ano is no") << QByteArray("DotykMonitor=ANO") << QStringLiteral("dotykMonitor")
                               << QVariant(false);
    QTest::newRow("default yes off")
        << QByteArray("testovatVerzi=N") << QStringLiteral("testovatVerzi") << QVariant(false);
    QTest::newRow("card off by other")
        << QByteArray("platbaKartou=x") << QStringLiteral("platbaKartou") << QVariant(false);
    QTest::newRow("key in other case")
        << QByteArray("sqlPORT=4000") << QStringLiteral("sqlPort") << QVariant(4000);
    QTest::newRow("blanks around") << QByteArray("  IP  =  10.0.0.5  ") << QStringLiteral("ip")
                                   << QVariant(QStringLiteral("10.0.0.5"));
    QTest::newRow("quoted value") << QByteArray("Password=\"a;b\"") << QStringLiteral("password")
                                  << QVariant(QStringLiteral("a;b"));
    QTest::newRow("backslash kept") << QByteArray("Password=x\\y") << QStringLiteral("password")
                                    << QVariant(QStringLiteral("x\\y"));
    QTest::newRow("commas kept") << QByteArray("OtevreniSupliku=27,112,0,25,250")
                                 << QStringLiteral("otevreniSupliku")
                                 << QVariant(QStringLiteral("27,112,0,25,250"));
    QTest::newRow("empty CisloPC")
        << QByteArray("CisloPC=") << QStringLiteral("cisloPC") << QVariant(QString());
    QTest::newRow("cash book") << QByteArray("pokladnaDATABAZE=ucto")
                               << QStringLiteral("pokladnaDatabaze")
                               << QVariant(QStringLiteral("ucto"));
}

void TestConfig::keys()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QVariant, expected);
    const Config c = Config::load(writeIni("[LogON]\r\n" + line + "\r\nStredisko=12\r\n"));
    const QHash<QString, QVariant> fields = {
        {QStringLiteral("sqlPort"), c.sqlPort},
        {QStringLiteral("panel"), c.panel},
        {QStringLiteral("nepovolitDoMinusu"), c.nepovolitDoMinusu},
        {QStringLiteral("dotykMonitor"), c.dotykMonitor},
        {QStringLiteral("testovatVerzi"), c.testovatVerzi},
        {QStringLiteral("platbaKartou"), c.platbaKartou},
        {QStringLiteral("ip"), c.ip},
        {QStringLiteral("password"), c.password},
        {QStringLiteral("otevreniSupliku"), c.otevreniSupliku},
        {QStringLiteral("cisloPC"), c.cisloPC},
        {QStringLiteral("pokladnaDatabaze"), c.pokladnaDatabaze},
    };
    QVERIFY2(fields.contains(field), qPrintable(field));
    QCOMPARE(fields.value(field), expected);
    QCOMPARE(c.stredisko, QStringLiteral("12")); // the line after the key is still read
}

void TestConfig::brokenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("stredisko"); // what the file says, or the default
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 7919 + 13) % 256); // every byte value, NUL included
    QTest::newRow("binary") << binary << QStringLiteral("777");
    QTest::newRow("binary then a key") << binary + "\n[LogON]\nStredisko=12\n"
                                       << QStringLiteral("12");
    QTest::newRow("lines without =")
        << QByteArray("[LogON]\nIP\n==\n=x\n;;\n]\nStredisko=12\n") << QStringLiteral("12");
    QTest::newRow("unclosed section")
        << QByteArray("[LogON\nStredisko=99\n[LogON]\nStredisko=12\n") << QStringLiteral("99");
    QTest::newRow("keys before any section")
        << QByteArray("Stredisko=99\n[LogON]\nStredisko=12\n") << QStringLiteral("12");
    QTest::newRow("no section") << QByteArray("Stredisko=99\nSQLport=1\n") << QStringLiteral("777");
    QTest::newRow("a megabyte line")
        << QByteArray("[LogON]\nIP=") + QByteArray(1 << 20, 'x') + "\nStredisko=12\n"
        << QStringLiteral("12");
    QTest::newRow("NUL in a value")
        << QByteArray("[LogON]\nStredisko=1") + '\0' + QByteArray("\n2\nStredisko=12\n")
        << QStringLiteral("1");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("777");
}

void TestConfig::brokenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, stredisko);
    const Config c = Config::load(writeIni(content));
    // What the file does say is read; everything else keeps its default.
    QCOMPARE(c.stredisko, stredisko);
    QCOMPARE(c.sqlPort, 3306);
    QCOMPARE(c.cisloPC, QStringLiteral("00"));
    QCOMPARE(c.user, QStringLiteral("root"));
    QVERIFY(c.vatRatesProblem.isEmpty());
}

void TestConfig::windowsFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    const QString name = QStringLiteral("Pokladna ř");
    QTest::newRow("windows-1250") << QByteArray("[LogON]\r\nUser=") + cp1250::encode(name) + "\r\n";
    QTest::newRow("utf-8") << QByteArray("[LogON]\nUser=") + name.toUtf8() + "\n";
    QTest::newRow("utf-8 with BOM")
        << QByteArray("\xEF\xBB\xBF[LogON]\nUser=") + name.toUtf8() + "\n";
    QTest::newRow("section in other case, comment")
        << QByteArray("; pokladna\r\n[logon]\r\nUser=") + name.toUtf8() + "\r\n";
    QTest::newRow("first occurrence wins")
        << QByteArray("[LogON]\nUser=") + name.toUtf8() + "\nUser=druhy\n";
    QTest::newRow("other section ignored")
        << QByteArray("[Jine]\nUser=cizi\n[LogON]\nUser=") + name.toUtf8() + "\n";
}

void TestConfig::windowsFiles()
{
    QFETCH(QByteArray, content);
    QCOMPARE(Config::load(writeIni(content)).user, QStringLiteral("Pokladna ř"));
}

void TestConfig::modeFromWorkingFolder()
{
    QTemporaryDir work;
    QVERIFY(!readTableServiceMode(work.path())); // no file: counter sale
    QFile f(work.filePath(QStringLiteral("prodej.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[LogON]\nStoly=a\n");
    f.close();
    QVERIFY(!readTableServiceMode(work.path())); // small a: counter sale
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[LogON]\nStoly=A\n");
    f.close();
    QVERIFY(readTableServiceMode(work.path()));
}

void TestConfig::switches_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("noPrint");
    QTest::addColumn<bool>("designer");
    QTest::newRow("none") << QStringList() << false << false;
    QTest::newRow("/NETISK") << QStringList{QStringLiteral("/NETISK")} << true << false;
    QTest::newRow("/netisk any case") << QStringList{QStringLiteral("/NeTisk")} << true << false;
    QTest::newRow("/ES") << QStringList{QStringLiteral("/ES")} << false << true;
    QTest::newRow("/es is not exact") << QStringList{QStringLiteral("/es")} << false << false;
    QTest::newRow("second argument ignored")
        << QStringList{QStringLiteral("x"), QStringLiteral("/NETISK")} << false << false;
}

void TestConfig::switches()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, noPrint);
    QFETCH(bool, designer);
    const LaunchSwitches s = LaunchSwitches::parse(arguments);
    QCOMPARE(s.noPrint, noPrint);
    QCOMPARE(s.designer, designer);
}

void TestConfig::workstationNumber_data()
{
    QTest::addColumn<QString>("cisloPC");
    QTest::addColumn<bool>("valid");
    QTest::newRow("00") << QStringLiteral("00") << true;
    QTest::newRow("letters, underscore") << QStringLiteral("Kasa_2") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blank") << QStringLiteral("0 1") << false;
    QTest::newRow("injection") << QStringLiteral("1uct; DROP TABLE uctenky; --") << false;
    QTest::newRow("quote") << QStringLiteral("0'1") << false;
    QTest::newRow("diacritics") << QStringLiteral("č1") << false;
    QTest::newRow("dash") << QStringLiteral("01-2") << false;
    QTest::newRow("too long") << QString(51, QLatin1Char('1')) << false;
}

void TestConfig::workstationNumber()
{
    QFETCH(QString, cisloPC);
    QFETCH(bool, valid);
    QCOMPARE(Station::isValidWorkstationNumber(cisloPC), valid);
    Station station;
    station.cisloPC = cisloPC;
    QCOMPARE(station.workstationNumberProblem().isEmpty(), valid);
}

void TestConfig::vatRates_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QList<int>>("rates"); // z1, z5, z23
    QTest::addColumn<QString>("problem");  // a text the message contains; empty: none
    const QList<int> defaults{10, 15, 21};
    QTest::newRow("none") << QByteArray() << defaults << QString();
    QTest::newRow("today's Czech rates")
        << QByteArray("DPHz1=12\r\n") << QList<int>{12, 15, 21} << QString();
    QTest::newRow("all three") << QByteArray("DPHz1=12\r\nDPHz5=5\r\nDPHz23=21\r\n")
                               << QList<int>{12, 5, 21} << QString();
    QTest::newRow("equal rates") << QByteArray("DPHz1=21\r\n") << defaults << "nejsou tři různé";
    QTest::newRow("zero") << QByteArray("DPHz5=0\r\n") << defaults << "DPHz5=0";
    QTest::newRow("150") << QByteArray("DPHz23=150\r\n") << defaults << "DPHz23=150";
    QTest::newRow("text") << QByteArray("DPHz1=dvanáct\r\n") << defaults << "DPHz1=dvanáct";
    QTest::newRow("decimal") << QByteArray("DPHz1=12.5\r\n") << defaults << "DPHz1=12.5";
}

void TestConfig::vatRates()
{
    QFETCH(QByteArray, lines);
    QFETCH(QList<int>, rates);
    QFETCH(QString, problem);
    const Config c = Config::load(writeIni("[LogON]\r\n" + lines));
    QCOMPARE((QList<int>{c.vatRates.z1, c.vatRates.z5, c.vatRates.z23}), rates);
    QCOMPARE(c.vatRatesProblem.isEmpty(), problem.isEmpty());
    QVERIFY2(c.vatRatesProblem.contains(problem), qPrintable(c.vatRatesProblem));
}

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
