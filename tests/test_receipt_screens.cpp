#include "app/station.h"
#include "reports/product_list_window.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"
#include "support/http_server.h"
#include "support/modal_watcher.h"
#include "support/test_db.h"
#include "support/working_folder.h"
#include "tables/table_map_window.h"
#include "tables/table_sale_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

// The two receipt screens' start-up and close, driven as the program does.
class TestReceiptScreens : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void counterSaleStartsAndCleansUp();
    void tableServiceKeepsItsWorkReceipt();
    void unreachableServerIsReported();
    void updateEndsTheStartBeforeAnyWorkTable();

private:
    QString writeIni(int port, const QString &extra = QString());
    static QStringList workTables();

    TemporaryWorkingFolder m_dir; // trace files land here
};

void TestReceiptScreens::init()
{
    testdb::reset();
}

QString TestReceiptScreens::writeIni(int port, const QString &extra)
{
    const ConnectionSettings db = testdb::settings();
    const QString path = m_dir.filePath(QStringLiteral("prodej.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(
        QStringLiteral("[LogON]\r\nIP=%1\r\nSQLport=%2\r\nUser=%3\r\nPassword=%4\r\nCisloPC=05\r\n"
                       "%5\r\n")
            .arg(db.host)
            .arg(port)
            .arg(db.user, db.password, extra.isEmpty() ? QStringLiteral("testovatVerzi=N") : extra)
            .toUtf8());
    return path;
}

QStringList TestReceiptScreens::workTables()
{
    DbSession s;
    s.open(testdb::settings());
    QStringList names;
    QSqlQuery q = s.query(QStringLiteral("show tables like 'tmp05%'"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void TestReceiptScreens::counterSaleStartsAndCleansUp()
{
    Station station;
    TFplatit platit;
    TFnabcen nabcen;
    TFuctenka screen(writeIni(testdb::settings().port), station, platit, nabcen, LaunchSwitches{});
    QCOMPARE(screen.windowTitle(), QStringLiteral(" Vytvoření účtenky"));
    screen.show();
    QTRY_VERIFY(screen.isReady());
    QCOMPARE(station.cisloPC, QStringLiteral("05"));
    QCOMPARE(workTables(), QStringList{QStringLiteral("tmp05uct")});
    screen.close();
    QCOMPARE(workTables(), QStringList());
}

void TestReceiptScreens::tableServiceKeepsItsWorkReceipt()
{
    Station station;
    TFplatit platit;
    TFnabcen nabcen;
    auto screen = std::make_unique<TFstuctenka>(writeIni(testdb::settings().port), station, platit,
                                                nabcen, LaunchSwitches{});
    // The map opens at once (modally); closed without a choice, the screen works
    // on no order.
    bool mapShown = false;
    QTimer closeMap;
    connect(&closeMap, &QTimer::timeout, this, [&] {
        if (screen->map().isVisible()) {
            mapShown = true;
            screen->map().reject();
        }
    });
    closeMap.start(20);
    screen->show();
    QTRY_VERIFY(mapShown && screen->isReady() && screen->hotKeysOn());
    screen->session().exec(QStringLiteral("insert into tmp05uct set nazev='pivo', stul='S1'"));
    screen->close();
    QCOMPARE(workTables(), QStringList{QStringLiteral("tmp05uct")});
}

void TestReceiptScreens::unreachableServerIsReported()
{
    ModalWatcher watcher;
    Station station;
    TFplatit platit;
    TFnabcen nabcen;
    TFuctenka screen(writeIni(1), station, platit, nabcen, LaunchSwitches{});
    screen.show();
    QTRY_COMPARE(watcher.texts().size(), 1);
    QVERIFY2(watcher.texts().first().contains(QStringLiteral("Can't connect")),
             qPrintable(watcher.texts().first()));
    QVERIFY(!screen.isReady());
    screen.close(); // nothing to drop, no second message
    QCOMPARE(watcher.texts().size(), 1);
}

void TestReceiptScreens::updateEndsTheStartBeforeAnyWorkTable()
{
    HttpServer server;
    server.serve(QStringLiteral("/kasa/setupkasen.ver"),
                 "Kasenka\r\nkasen.exe 2030-01-01 10:00:00.000\r\n");
    server.serve(QStringLiteral("/kasa/setupkasen.exe"), "#!/bin/sh\ntouch updater-ran\n");
    QTemporaryDir programFolder;
    ModalWatcher watcher;
    Station station;
    TFplatit platit;
    TFnabcen nabcen;
    TFuctenka screen(
        writeIni(testdb::settings().port,
                 QStringLiteral("testovatVerzi=A\r\nAktualizaceURL=") + server.base().toString()),
        station, platit, nabcen, LaunchSwitches{});
    screen.setProgramFolder(programFolder.path());
    screen.show();
    QTRY_VERIFY(screen.updating());
    QCOMPARE(watcher.texts(), QStringList{QStringLiteral("Nyní bude aktualizován program Kasenka.\n"
                                                         "Bude proveden restart programu!")});
    QVERIFY(!screen.isVisible());
    QVERIFY(!screen.isReady());
    QCOMPARE(workTables(), QStringList());
    QTRY_VERIFY(QFile::exists(programFolder.filePath(QStringLiteral("updater-ran"))));
}

QTEST_MAIN(TestReceiptScreens)
#include "test_receipt_screens.moc"
