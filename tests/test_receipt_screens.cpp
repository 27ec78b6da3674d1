#include "app/station.h"
#include "reports/product_list_window.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"
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

private:
    QString writeIni(int port);
    static QStringList workTables();

    TemporaryWorkingFolder m_dir; // trace files land here
};

void TestReceiptScreens::init()
{
    testdb::reset();
}

QString TestReceiptScreens::writeIni(int port)
{
    const ConnectionSettings db = testdb::settings();
    const QString path = m_dir.filePath(QStringLiteral("prodej.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(
        QStringLiteral("[LogON]\r\nIP=%1\r\nSQLport=%2\r\nUser=%3\r\nPassword=%4\r\nCisloPC=05\r\n"
                       "testovatVerzi=N\r\n")
            .arg(db.host)
            .arg(port)
            .arg(db.user, db.password)
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

QTEST_MAIN(TestReceiptScreens)
#include "test_receipt_screens.moc"
