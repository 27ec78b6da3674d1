#include "app/update_check.h"
#include "support/http_server.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The update check against a local HTTP server: the version file's stamp against
// the program file's, the log, the updater download.
class TestUpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void stamps_data();
    void stamps();
    void check_data();
    void check();
    void noServer();
};

void TestUpdateCheck::stamps_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("stamp"); // "-" for "not a version file"
    QTest::newRow("as written") << QByteArray("Kasenka\r\nkasen.exe 2015-01-14 10:20:30.000\r\n")
                                << "2015-01-14 10:20:30";
    QTest::newRow("other letter case")
        << QByteArray("x\nKASEN.EXE  2015-01-14 10:20:30.000 1 234 567\n") << "2015-01-14 10:20:30";
    QTest::newRow("no program name") << QByteArray("x\nsetup.exe 2015-01-14 10:20:30.000\n") << "";
    QTest::newRow("no .000") << QByteArray("x\nkasen.exe 2015-01-14 10:20:30\n") << "";
    QTest::newRow("one line") << QByteArray("kasen.exe 2015-01-14 10:20:30.000\n") << "-";
    QTest::newRow("empty") << QByteArray() << "-";
}

void TestUpdateCheck::stamps()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, stamp);
    const std::optional<QString> found = update::serverStamp(file, update::kProgramFile);
    QCOMPARE(found.value_or(QStringLiteral("-")), stamp);
}

void TestUpdateCheck::check_data()
{
    QTest::addColumn<QByteArray>("version");  // empty: not on the server
    QTest::addColumn<QString>("programTime"); // empty: no program file
    QTest::addColumn<bool>("updaterOnServer");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("log"); // empty: no log written

    const QByteArray v2030 = "Kasenka\r\nkasen.exe 2030-01-01 10:00:00.000\r\n";
    const QString log2030 =
        QStringLiteral("Verze programu: %1\r\nVerze internet: 2030-01-01 10:00:00\r\n");
    QTest::newRow("newer") << v2030 << "2020-05-05 08:00:00" << true << "A"
                           << log2030.arg(QStringLiteral("2020-05-05 08:00:00"));
    QTest::newRow("equal") << QByteArray("x\nkasen.exe 2020-05-05 08:00:00.000\n")
                           << "2020-05-05 08:00:00" << true << "N"
                           << "Verze programu: 2020-05-05 08:00:00\r\nVerze internet: 2020-05-05 "
                              "08:00:00\r\n";
    QTest::newRow("older") << QByteArray("x\nkasen.exe 2019-05-05 08:00:00.000\n")
                           << "2020-05-05 08:00:00" << true << "N"
                           << "Verze programu: 2020-05-05 08:00:00\r\nVerze internet: 2019-05-05 "
                              "08:00:00\r\n";
    QTest::newRow("no program file")
        << v2030 << "" << true << "A" << log2030.arg(QStringLiteral("1899-12-30 00:00:00"));
    QTest::newRow("odd second counts as the even one below")
        << QByteArray("x\nKASEN.exe 2020-05-05 08:00:31.000\n") << "2020-05-05 08:00:31" << true
        << "A"
        << "Verze programu: 2020-05-05 08:00:30\r\nVerze internet: 2020-05-05 08:00:31\r\n";
    QTest::newRow("error page instead of the version file")
        << QByteArray() << "2020-05-05 08:00:00" << true << "N"
        << "";
    QTest::newRow("updater missing on the server")
        << v2030 << "2020-05-05 08:00:00" << false << "N"
        << log2030.arg(QStringLiteral("2020-05-05 08:00:00"));
    QTest::newRow("one line only")
        << QByteArray("kasen.exe 2030-01-01 10:00:00.000") << "2020-05-05 08:00:00" << true << "N"
        << "";
}

void TestUpdateCheck::check()
{
    QFETCH(QByteArray, version);
    QFETCH(QString, programTime);
    QFETCH(bool, updaterOnServer);
    QFETCH(QString, result);
    QFETCH(QString, log);

    QTemporaryDir folder;
    HttpServer server;
    if (!version.isEmpty())
        server.serve(QStringLiteral("/kasa/setupkasen.ver"), version);
    if (updaterOnServer)
        server.serve(QStringLiteral("/kasa/setupkasen.exe"), "#!/bin/sh\n");
    if (!programTime.isEmpty()) {
        QFile program(folder.filePath(QStringLiteral("kasen.exe")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        QVERIFY(program.setFileTime(
            QDateTime::fromString(programTime, QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            QFileDevice::FileModificationTime));
    }
    // A version file of an earlier check never counts.
    QFile old(folder.filePath(QStringLiteral("setupkasen.ver")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("x\nkasen.exe 2099-01-01 00:00:00.000\n");
    old.close();

    QCOMPARE(update::check(folder.path(), server.base(), update::kStem, update::kProgramFile, true),
             result);
    QFile logFile(folder.filePath(QStringLiteral("verze.log")));
    QCOMPARE(logFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(logFile.readAll()) : QString(),
             log);
    // An error page is never stored, neither as the version file nor as the updater.
    QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("setupkasen.ver"))), !version.isEmpty());
    QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("setupkasen.exe"))),
             result == QLatin1String("A"));
    if (result == QLatin1String("A"))
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("setupkasen.exe"))).isExecutable());
}

void TestUpdateCheck::noServer()
{
    QTemporaryDir folder;
    QUrl base;
    {
        HttpServer gone; // a port nobody listens on any more
        base = gone.base();
    }
    QCOMPARE(update::check(folder.path(), base, update::kStem, update::kProgramFile, true),
             QStringLiteral("N"));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("verze.log"))));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("setupkasen.ver"))));
}

QTEST_MAIN(TestUpdateCheck)
#include "test_update_check.moc"
