#include "devices/cash_drawer.h"
#include "devices/customer_display.h"
#include "devices/text_utils.h"
#include "support/pty_pair.h"

#include <QtTest>

Q_DECLARE_METATYPE(DisplayLines)

// The customer pole display: the bytes it gets, read from the other end of a
// pseudo-terminal pair.
class TestCustomerDisplay : public QObject
{
    Q_OBJECT
private slots:
    void conversion_data();
    void conversion();
    void lines_data();
    void lines();
    void openingAndGreeting();
    void levels_data();
    void levels();
    void missingPortSwitchesOff();
    void settingsAskedOnceAndStored();
    void unpluggedAfterStartSwitchesOff();
    void brokenSettingsFile_data();
    void brokenSettingsFile();
    void drawerSequence_data();
    void drawerSequence();

private:
    // panel.ini for the pair's port.
    QString panelIni(const PtyPair &pty);
    QTemporaryDir m_dir;
};

static QByteArray line(const QByteArray &text)
{
    return text + '\r';
}

void TestCustomerDisplay::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Czech letters") << "Čaj Šíp Žluťoučký kůň úpěl ďábelské ódy"
                                   << QByteArray("Caj Sip Zlutoucky kun upel dabelske ody");
    QTest::newRow("capitals") << "ŘÍZEK ĎÁBLŮV ŤÉČKO ŇÝ" << QByteArray("RIZEK DABLUV TECKO NY");
    QTest::newRow("Polish, German, Hungarian") << "Łódź Größe Ő ű"
                                               << QByteArray("Lodz Gro\xDF"
                                                             "e O u");
    QTest::newRow("signs stay") << QString::fromUtf8("× ÷ § € ˙")
                                << QByteArray("\xD7 \xF7 \xA7 \x80 \xFF");
    QTest::newRow("ASCII as it is") << "Celkem 12.50 Kc" << QByteArray("Celkem 12.50 Kc");
}

void TestCustomerDisplay::conversion()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(displayBytes(text), bytes);
}

void TestCustomerDisplay::lines_data()
{
    QTest::addColumn<DisplayLines>("lines");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const QString price = text::formatAmount(12.5);
    QTest::newRow("layout 1: name and price, total")
        << display::lineWritten(1, QStringLiteral("Čaj"), 12.5, QStringLiteral("37.50"))
        << QStringLiteral("Čaj") + text::blanks(17 - int(price.size())) + price << "37.50";
    QTest::newRow("layout 2: a long name whole, total and price")
        << display::lineWritten(2, QStringLiteral("Čaj zelený sypaný 100 g"), 12.5,
                                QStringLiteral("37.50"))
        << "Čaj zelený sypaný 100 g"
        << QStringLiteral("37.50") + text::blanks(15 - int(price.size())) + price;
    QTest::newRow("a deleted line: a negative amount on the right")
        << display::lineDeleted(12.5, QStringLiteral("25.00"))
        << text::blanks(20 - int(text::formatAmount(-12.5).size())) + text::formatAmount(-12.5)
        << "25.00";
    QTest::newRow("amount due") << display::amountDue(38)
                                << QStringLiteral("Celkem") +
                                       text::blanks(14 - int(text::formatAmount(38).size())) +
                                       text::formatAmount(38)
                                << " ";
    QTest::newRow("farewell") << display::farewell() << " "
                              << "     Dobrý den      ";
}

void TestCustomerDisplay::lines()
{
    QFETCH(DisplayLines, lines);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QCOMPARE(lines.first, first);
    QCOMPARE(lines.second, second);
}

QString TestCustomerDisplay::panelIni(const PtyPair &pty)
{
    PortSettings settings;
    settings.port = pty.port();
    const QString path = m_dir.filePath(QStringLiteral("panel.ini"));
    settings.save(path);
    return path;
}

void TestCustomerDisplay::openingAndGreeting()
{
    PtyPair pty;
    QVERIFY(pty.isReady());
    CustomerDisplay d;
    d.start(1, panelIni(pty), {});
    QCOMPARE(d.level(), 1);
    QCOMPARE(pty.received(), QByteArray("\x1b\x40\x1b\x66\x4c\x1b\x63\x4c\x0c") +
                                 line(" Vortel : POKLADNA  ") + line("     pripojeno      ") +
                                 line("      Prodejna      ") + line("       Vortel       "));
}

void TestCustomerDisplay::levels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("deleted");
    const QByteArray price = text::formatAmount(12.5).toLatin1();
    const QByteArray minus = text::formatAmount(-12.5).toLatin1();
    QTest::newRow("1") << 1
                       << line("Caj" + QByteArray(17 - price.size(), ' ') + price) +
                              line(QByteArray(15, ' ') + "12.50")
                       << line(QByteArray(20 - minus.size(), ' ') + minus) +
                              line(QByteArray(16, ' ') + "0.00");
    QTest::newRow("2") << 2
                       << line("Caj" + QByteArray(17, ' ')) +
                              line("12.50" + QByteArray(15 - price.size(), ' ') + price)
                       << QByteArray();
    QTest::newRow("3") << 3 << QByteArray() << QByteArray();
}

void TestCustomerDisplay::levels()
{
    QFETCH(int, level);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, deleted);
    PtyPair pty;
    CustomerDisplay d;
    d.start(level, panelIni(pty), {});
    QVERIFY(pty.received().endsWith(line("       Vortel       ")));
    d.lineWritten(QStringLiteral("Čaj"), 12.5, QStringLiteral("12.50"));
    QCOMPARE(pty.received(), written);
    d.lineDeleted(12.5, QStringLiteral("0.00"));
    QCOMPARE(pty.received(), deleted);
    // Every level above 0 shows the amount due and says goodbye.
    d.amountDue(38);
    QVERIFY(pty.received().startsWith("Celkem"));
    d.farewell();
    QCOMPARE(pty.received(), line(QByteArray(20, ' ')) + line("     Dobry den      "));
}

void TestCustomerDisplay::missingPortSwitchesOff()
{
    PortSettings settings;
    settings.port = m_dir.filePath(QStringLiteral("no-such-port"));
    const QString path = m_dir.filePath(QStringLiteral("missing.ini"));
    settings.save(path);
    CustomerDisplay d;
    d.start(1, path, {});
    QCOMPARE(d.level(), 0);
    d.lineWritten(QStringLiteral("Čaj"), 12.5, QStringLiteral("12.50")); // nothing, no throw
}

void TestCustomerDisplay::settingsAskedOnceAndStored()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.ini"));
    int asked = 0;
    CustomerDisplay d;
    d.start(2, path, [&](PortSettings &) { ++asked; }); // cancelled: nothing changed
    QCOMPARE(asked, 1);
    QCOMPARE(d.level(), 0); // COM1 is not a port here
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[ComPort1]\r\nPort=COM1\r\nBaudRate=9600\r\nStopBits=1\r\n"
                                     "DataBits=8\r\nParity=None\r\nFlowControl=None\r\n"));
    d.start(2, path, [&](PortSettings &) { ++asked; });
    QCOMPARE(asked, 1);
    // Level 0 never touches the file.
    QTemporaryDir other;
    d.start(0, other.filePath(QStringLiteral("panel.ini")), [&](PortSettings &) { ++asked; });
    QCOMPARE(asked, 1);
    QVERIFY(!QFile::exists(other.filePath(QStringLiteral("panel.ini"))));
}

void TestCustomerDisplay::brokenSettingsFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // port, baud, data bits, parity
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary += char((i * 31 + 7) % 256);
    QTest::newRow("binary") << binary << QStringLiteral("COM1 9600 8 None");
    QTest::newRow("no section") << QByteArray("Port=/dev/no-display-here\nBaudRate=2400\n")
                                << QStringLiteral("COM1 9600 8 None");
    QTest::newRow("absurd values")
        << QByteArray("[ComPort1]\nPort=\nBaudRate=-5\nDataBits=99\nParity=maybe\n")
        << QStringLiteral("COM1 9600 8 maybe");
    QTest::newRow("custom without a rate")
        << QByteArray("[ComPort1]\nPort=/dev/no-display-here\nBaudRate=Custom\nDataBits=7\n")
        << QStringLiteral("/dev/no-display-here 9600 7 None");
    QTest::newRow("garbage around good lines")
        << QByteArray(
               "\x01\x02\n[ComPort1]\n===\nPort=/dev/no-display-here\nBaudRate=2400\n\xff\xfe\n")
        << QStringLiteral("/dev/no-display-here 2400 8 None");
}

void TestCustomerDisplay::brokenSettingsFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const std::optional<PortSettings> s = PortSettings::load(path);
    QVERIFY(s);
    QCOMPARE(QStringList({s->port, s->baudRate, s->dataBits, s->parity}).join(QLatin1Char(' ')),
             expected);
    // Started on it, the display stays off (no such port here) without asking.
    CustomerDisplay d;
    d.start(2, path, [](PortSettings &) { QFAIL("asked although the file exists"); });
    QCOMPARE(d.level(), 0);
}

void TestCustomerDisplay::unpluggedAfterStartSwitchesOff()
{
    PtyPair pty;
    CustomerDisplay d;
    d.start(1, panelIni(pty), {});
    QCOMPARE(d.level(), 1);
    pty.stop();
    d.lineWritten(QStringLiteral("Čaj"), 12.5, QStringLiteral("12.50"));
    QCOMPARE(d.level(), 0);
    d.farewell(); // nothing more is attempted
}

void TestCustomerDisplay::drawerSequence_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QByteArray>("bytes"); // "bad" for a refused value
    QTest::newRow("usual") << "27,112,0,25,250" << QByteArray("\x1b\x70\x00\x19\xfa", 5);
    QTest::newRow("blanks around")
        << " 27, 112 ,0,25,250 " << QByteArray("\x1b\x70\x00\x19\xfa", 5);
    QTest::newRow("four numbers") << "27,112,0,25" << QByteArray("bad");
    QTest::newRow("six numbers") << "27,112,0,25,250,1" << QByteArray("bad");
    QTest::newRow("above a byte") << "27,112,0,25,256" << QByteArray("bad");
    QTest::newRow("negative") << "27,-1,0,25,250" << QByteArray("bad");
    QTest::newRow("text") << "ESC,p,0,25,250" << QByteArray("bad");
    QTest::newRow("decimal") << "27,112,0,25.5,250" << QByteArray("bad");
    QTest::newRow("empty: no drawer") << "" << QByteArray();
}

void TestCustomerDisplay::drawerSequence()
{
    QFETCH(QString, setting);
    QFETCH(QByteArray, bytes);
    const QString device = m_dir.filePath(QStringLiteral("drawer"));
    QFile::remove(device);
    CashDrawer drawer;
    const QString problem = drawer.configure(setting, device);
    QCOMPARE(problem.isEmpty(), bytes != "bad");
    QCOMPARE(drawer.isConfigured(), bytes != "bad" && !bytes.isEmpty());
    QCOMPARE(drawer.open(), QString());
    QFile sent(device);
    QCOMPARE(sent.open(QIODevice::ReadOnly) ? sent.readAll() : QByteArray(),
             bytes == "bad" ? QByteArray() : bytes);
}

QTEST_MAIN(TestCustomerDisplay)
#include "test_customer_display.moc"
