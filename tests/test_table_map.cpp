#include "devices/text_utils.h"
#include "store/db_session.h"
#include "store/work_tables.h"
#include "support/modal_watcher.h"
#include "support/receipt_fixture.h"
#include "support/test_db.h"
#include "support/typing.h"
#include "tables/move_dialog.h"
#include "tables/table_map.h"
#include "tables/table_map_window.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The table map as a waiter uses it.
class TestTableMap : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void choosingTablesAndSeats();
    void namedOrders();
    void captionsFromOpenOrders();
    void moveDialog();

private:
    // Clicks a panel on the shown map; `name` is typed into the name dialog when one opens.
    bool click(TFstoly &map, const QString &panel, QString &tableId, QString &panelName,
               const QString &name = QString(), bool confirm = true);
};

bool TestTableMap::click(TFstoly &map, const QString &panel, QString &tableId, QString &panelName,
                         const QString &name, bool confirm)
{
    bool chosen = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(map.isVisible());
        QTimer poll;
        bool answered = false;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (!dialog || answered)
                return;
            answered = true;
            dialog->setTextValue(name);
            confirm ? dialog->accept() : dialog->reject();
        });
        poll.start(10);
        map.panel(panel)->click();
        if (map.isVisible()) // nothing chosen: close the map
            map.reject();
    });
    chosen = map.choose(tableId, panelName);
    return chosen;
}

void TestTableMap::layout()
{
    TFstoly map;
    QCOMPARE(map.size(), QSize(871, 589));
    QCOMPARE(map.windowTitle(), QStringLiteral("Stoly"));
    QCOMPARE(map.findChildren<QPushButton *>().size(), 4 + 16 + 15);
    QCOMPARE(map.panel(QStringLiteral("s3"))->text(), QStringLiteral("Stůl 3"));
    QCOMPARE(map.panel(QStringLiteral("s3z4"))->text(), QStringLiteral("4"));
    QCOMPARE(map.panel(QStringLiteral("sk15"))->text(), QString());
    QCOMPARE(map.panel(QStringLiteral("s4"))->mapTo(&map, QPoint(0, 0)), QPoint(665, 50));
}

void TestTableMap::choosingTablesAndSeats()
{
    TFstoly map;
    QString id = QStringLiteral("before"), panel = QStringLiteral("sk1");
    QVERIFY(click(map, QStringLiteral("s2z3"), id, panel));
    QCOMPARE(id, QStringLiteral("2z3"));
    QCOMPARE(panel, QStringLiteral("s2z3"));
    QVERIFY(click(map, QStringLiteral("s2"), id, panel));
    QCOMPARE(id, QStringLiteral("2"));
}

void TestTableMap::namedOrders()
{
    ModalWatcher watcher;
    TFstoly map;
    QString id = QStringLiteral("1"), panel = QStringLiteral("s1");
    QVERIFY(!click(map, QStringLiteral("sk1"), id, panel, QStringLiteral("7 trpaslíků")));
    QCOMPARE(watcher.texts(), QStringList{tablemap::kDigitFirst});
    QCOMPARE(id, QStringLiteral("1")); // nothing chosen, the table stays
    QVERIFY(!click(map, QStringLiteral("sk1"), id, panel, QString()));
    QCOMPARE(watcher.texts().last(), tablemap::kEmptyName);
    QVERIFY(
        !click(map, QStringLiteral("sk1"), id, panel, QStringLiteral("Novák"), false)); // "Zpět"
    QCOMPARE(map.panel(QStringLiteral("sk1"))->text(), QString());
    QVERIFY(click(map, QStringLiteral("sk1"), id, panel, QStringLiteral("Svatební hostina")));
    QCOMPARE(id, QStringLiteral("Svatební h"));
    QCOMPARE(panel, QStringLiteral("sk1"));
    QCOMPARE(map.panel(QStringLiteral("sk1"))->text(), QStringLiteral("Svatební h"));
    // The panel now opens its order without asking.
    QVERIFY(click(map, QStringLiteral("sk1"), id, panel, QStringLiteral("jiné")));
    QCOMPARE(id, QStringLiteral("Svatební h"));
    QVERIFY(click(map, QStringLiteral("sk2"), id, panel, QStringLiteral(" 7 trpaslíků")));
    QCOMPARE(id, QStringLiteral(" 7 trpaslí"));
}

void TestTableMap::captionsFromOpenOrders()
{
    testdb::reset();
    DbSession db;
    db.open(testdb::settings());
    WorkTables(QStringLiteral("01")).ensureForTableService(db);
    for (const auto &[stul, price] : {std::pair{"1z2", 150.5}, std::pair{"3", 1200.0},
                                      std::pair{"Bar", 10.0}, std::pair{"xx", 5.0}})
        fixture::addWorkLine(db, QStringLiteral("01"),
                             {QStringLiteral("A"), 21, price, 1,
                              QStringLiteral("2015-03-10 10:00:00"), QStringLiteral("777"),
                              QLatin1String(stul)});
    TFstoly map;
    map.FillMapTotals(db, QStringLiteral("01"));
    QCOMPARE(map.panel(QStringLiteral("s1z2"))->text(), text::formatAmount(150.5));
    QCOMPARE(map.panel(QStringLiteral("s3"))->text(), text::formatAmount(1200));
    QStringList names{map.panel(QStringLiteral("sk1"))->text(),
                      map.panel(QStringLiteral("sk2"))->text()};
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("Bar"), QStringLiteral("xx")}));
    QCOMPARE(map.panel(QStringLiteral("s1"))->text(), QStringLiteral("Stůl 1"));
    QCOMPARE(map.panel(QStringLiteral("sk3"))->text(), QString());

    // Leaving orders: paid seat shows its number, a table its number, a paid named order frees its
    // panel.
    map.RefreshLeftTable(QStringLiteral("1z2"), QStringLiteral("s1z2"), 0, text::formatAmount(0));
    QCOMPARE(map.panel(QStringLiteral("s1z2"))->text(), QStringLiteral("2"));
    map.RefreshLeftTable(QStringLiteral("3"), QStringLiteral("s3"), 0, text::formatAmount(0));
    QCOMPARE(map.panel(QStringLiteral("s3"))->text(), QStringLiteral("3"));
    const QString barPanel = map.panel(QStringLiteral("sk1"))->text() == QLatin1String("Bar")
                                 ? QStringLiteral("sk1")
                                 : QStringLiteral("sk2");
    map.RefreshLeftTable(QStringLiteral("Bar"), barPanel, 0, text::formatAmount(0));
    QCOMPARE(map.panel(barPanel)->text(), QString());
    map.RefreshMoveSource(QStringLiteral("2z1"), 0, text::formatAmount(0));
    QCOMPARE(map.panel(QStringLiteral("s2z1"))->text(), QStringLiteral("1"));
    map.RefreshMoveSource(QStringLiteral("2z1"), 35, text::formatAmount(35));
    QCOMPARE(map.panel(QStringLiteral("s2z1"))->text(), text::formatAmount(35));
}

void TestTableMap::moveDialog()
{
    testdb::reset();
    DbSession db;
    db.open(testdb::settings());
    WorkTables(QStringLiteral("01")).ensureForTableService(db);
    fixture::addWorkLine(db, QStringLiteral("01"),
                         {QStringLiteral("K"), 21, 10, 3, QStringLiteral("2015-03-10 10:00:00"),
                          QStringLiteral("777"), QStringLiteral("2z1")});
    ModalWatcher watcher;
    TFpresun dialog(db, QStringLiteral("01"), QStringLiteral("2z1"), QStringLiteral("2z2"));
    QCOMPARE(dialog.size(), QSize(1018, 679));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("smer"))->text(),
             QStringLiteral("2z1 -> 2z2"));
    bool done = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(dialog.isVisible() && dialog.isActiveWindow());
        auto *presun = dialog.findChild<QPushButton *>(QStringLiteral("presun"));
        auto *hotovo = dialog.findChild<QPushButton *>(QStringLiteral("hotovo"));
        QVERIFY(!presun->isEnabled() && !hotovo->isEnabled());
        dialog.chooseLine();
        auto *quantity = dialog.findChild<QLineEdit *>(QStringLiteral("mnozstvi"));
        QCOMPARE(quantity->text(), QStringLiteral("3"));
        QVERIFY(presun->isEnabled());
        quantity->selectAll();
        typeText(quantity, QStringLiteral("abc"));
        presun->click(); // not a number: nothing moved
        QTRY_COMPARE(watcher.texts().size(), 1);
        QVERIFY(!hotovo->isEnabled());
        dialog.chooseLine();
        quantity->selectAll();
        typeText(quantity, QStringLiteral("1"));
        QTRY_VERIFY(dialog.isActiveWindow());
        QTest::keyClick(quantity, Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(hotovo->isEnabled());
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("soucet"))->text(),
                 text::formatWholeAmount(10));
        QCOMPARE(quantity->text(), QString());
        done = true;
        QTest::keyClick(quantity, Qt::Key_F5); // HOTOVO
    });
    QVERIFY(dialog.run());
    QVERIFY(done);
    QCOMPARE(
        db.scalar(QStringLiteral("select sum(mnoz) from tmp01uct where stul='2z1'")).toDouble(),
        2.0);
    QCOMPARE(
        db.scalar(QStringLiteral("select sum(mnoz) from tmp01uct where stul='2z2'")).toDouble(),
        1.0);
    QCOMPARE(dialog.sourceTotalAfterMove(), 20.0);
}

QTEST_MAIN(TestTableMap)
#include "test_table_map.moc"
