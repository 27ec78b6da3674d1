#include "devices/text_utils.h"
#include "sale/counter_sale.h"
#include "support/counter_screen.h"
#include "support/test_db.h"
#include "support/typing.h"
#include "tables/move_dialog.h"
#include "tables/table_map.h"
#include "tables/table_map_window.h"
#include "tables/table_sale.h"
#include "tables/table_sale_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// The table receipt screen as a waiter uses it: orders chosen on the map, lines
// entered, paid, moved and refunded one order at a time.
class TestTableScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void seatsArePaidOnTheirOwnAndSurviveARestart();
    void namedOrders();
    void movingFromTheScreen();
    void stornoCopyGoesToItsOwnOrder();
    void commandsActOnTheCurrentOrderOnly();
    void printsWithTheTableTemplates();

private:
    void start(const QString &firstPanel, CounterScreen::Options o = {});
    QString label() const;
    QString caption(const QString &panel) const;
    QStringList id2s();
    void press(QKeyCombination key);
    void payCash(int paid);
    // "PŘESUN" to the panel `target`, then `act` in the move dialog.
    void move(const QString &target, const std::function<void(TFpresun &)> &act);
    static void moveOne(TFpresun &dialog, const QString &quantity);

    CounterScreen t;
};

void TestTableScreen::init()
{
    CounterScreen::loadShop();
}

void TestTableScreen::cleanup()
{
    t.stop();
}

void TestTableScreen::start(const QString &firstPanel, CounterScreen::Options o)
{
    o.tableService = true;
    o.firstPanel = firstPanel;
    t.start(o);
}

QString TestTableScreen::label() const
{
    return t.screen->findChild<QLabel *>(QStringLiteral("LabelStul"))->text();
}

QString TestTableScreen::caption(const QString &panel) const
{
    return t.map().panel(panel)->text();
}

QStringList TestTableScreen::id2s()
{
    QStringList out;
    QSqlQuery q = t.screen->session().query(
        QStringLiteral("select stul, id2 from tmp05uct order by stul, id2"));
    while (q.next())
        out << q.value(0).toString() + QLatin1Char(':') + q.value(1).toString();
    return out;
}

void TestTableScreen::press(QKeyCombination key)
{
    QTRY_VERIFY(t.screen->hotKeysOn());
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

void TestTableScreen::payCash(int paid)
{
    t.pay([paid](TFplatit &d) {
        auto *field = d.findChild<QSpinBox *>();
        field->setValue(paid);
        QTest::keyClick(&d, Qt::Key_F5);
    });
}

void TestTableScreen::move(const QString &target, const std::function<void(TFpresun &)> &act)
{
    t.answerMap(target);
    QTRY_VERIFY(t.codeField()->hasFocus());
    t.inModal(
        QStringLiteral("Přesun části účtenky"),
        [&](QWidget &w) { act(static_cast<TFpresun &>(w)); },
        [this] { t.screen->findChild<QPushButton *>(QStringLiteral("presun"))->click(); });
    QTRY_VERIFY(t.codeField()->hasFocus() && t.screen->hotKeysOn());
}

void TestTableScreen::moveOne(TFpresun &dialog, const QString &quantity)
{
    dialog.chooseLine();
    auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("mnozstvi"));
    field->selectAll();
    typeText(field, quantity);
    dialog.Presun();
}

void TestTableScreen::seatsArePaidOnTheirOwnAndSurviveARestart()
{
    start(QStringLiteral("s1z1"));
    QCOMPARE(label(), QStringLiteral("1z1"));
    t.enter(QStringLiteral("400400"), QStringLiteral("2")); // 2 x 49.75
    t.chooseOnMap(QStringLiteral("s1z2"));
    QCOMPARE(caption(QStringLiteral("s1z1")), text::formatAmount(99.5));
    QCOMPARE(label(), QStringLiteral("1z2"));
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));
    t.chooseOnMap(QStringLiteral("s1z1"));
    QCOMPARE(caption(QStringLiteral("s1z2")), text::formatAmount(1000));
    QCOMPARE(t.screen->findChild<QLabel *>(QStringLiteral("totalLabel"))->text(),
             text::formatAmount(99.5));

    // Paying seat 1 commits its line only; the map opens and seat 2 keeps its total.
    payCash(100);
    QCOMPARE(t.count(QStringLiteral("from uctenky where stul='1z1' and typplatby='H'")), 1);
    QCOMPARE(t.count(QStringLiteral("from uctenky where stul<>'1z1'")), 0);
    QCOMPARE(t.orderLines(QStringLiteral("1z1")), QStringList());
    QCOMPARE(t.orderLines(QStringLiteral("1z2")), QStringList{QStringLiteral("1/1/300300")});
    QCOMPARE(caption(QStringLiteral("s1z1")), QStringLiteral("1"));
    QCOMPARE(caption(QStringLiteral("s1z2")), text::formatAmount(1000));

    // Closing with an order open and starting again brings it back, line numbers and all.
    const QStringList before = id2s();
    t.stop();
    start(QString());
    QCOMPARE(caption(QStringLiteral("s1z2")), text::formatAmount(1000));
    QCOMPARE(caption(QStringLiteral("s1z1")), QStringLiteral("1"));
    QCOMPARE(id2s(), before);

    // Paying the last order and closing drops the work receipt.
    t.chooseOnMap(QStringLiteral("s1z2"));
    payCash(1000);
    QCOMPARE(t.count(QStringLiteral("from uctenky where stul='1z2'")), 1);
    t.stop();
    DbSession db;
    db.open(testdb::settings());
    QVERIFY(!db.query(QStringLiteral("show tables like 'tmp05uct'")).next());
}

void TestTableScreen::namedOrders()
{
    start(QString());
    t.chooseOnMap(QStringLiteral("sk1"), QStringLiteral("Novák"));
    QCOMPARE(label(), QStringLiteral("Novák"));
    t.enter(QStringLiteral("400400"), QStringLiteral("1"));

    // A name beginning with a digit is refused and the map stays open for another try.
    t.answerMap(QStringLiteral("sk2"), QStringLiteral("7 trpaslíků"));
    t.chooseOnMap(QStringLiteral("sk2"), QStringLiteral(" 7 trpaslíků"));
    QCOMPARE(t.watcher->texts(), QStringList{tablemap::kDigitFirst});
    QCOMPARE(label(), QStringLiteral(" 7 trpaslí"));
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));

    t.chooseOnMap(QStringLiteral("sk3"), QStringLiteral("Svatební hostina"));
    QCOMPARE(label(), QStringLiteral("Svatební h"));
    t.enter(QStringLiteral("500500"), QStringLiteral("1"));
    t.chooseOnMap(QStringLiteral("s4"));

    // After a restart the names are on the map again; a named panel opens its order.
    t.stop();
    start(QString());
    QStringList names;
    for (int i = 1; i <= 15; ++i)
        names << caption(QStringLiteral("sk%1").arg(i));
    names.removeAll(QString());
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral(" 7 trpaslí"), QStringLiteral("Novák"),
                                 QStringLiteral("Svatební h")}));
    QString panelOfNovak;
    for (int i = 1; i <= 15; ++i)
        if (caption(QStringLiteral("sk%1").arg(i)) == QStringLiteral("Novák"))
            panelOfNovak = QStringLiteral("sk%1").arg(i);
    t.chooseOnMap(panelOfNovak);
    QCOMPARE(label(), QStringLiteral("Novák"));
    QCOMPARE(t.screen->sale().total(), 49.75);
}

void TestTableScreen::movingFromTheScreen()
{
    start(QStringLiteral("s1z1"));
    t.enter(QStringLiteral("400400"), QStringLiteral("3"));
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));

    // One of three to seat 2z1: the target becomes the current order.
    move(QStringLiteral("s2z1"), [](TFpresun &d) {
        moveOne(d, QStringLiteral("1"));
        d.Hotovo();
    });
    QCOMPARE(label(), QStringLiteral("2z1"));
    QCOMPARE(t.orderLines(QStringLiteral("2z1")), QStringList{QStringLiteral("1/1/400400")});
    QCOMPARE(t.orderLines(QStringLiteral("1z1")),
             (QStringList{QStringLiteral("1/2/400400"), QStringLiteral("1/1/300300")}));
    QCOMPARE(caption(QStringLiteral("s1z1")), text::formatAmount(1099.5));

    // Moving everything away empties the seat: its panel shows its number again.
    move(QStringLiteral("s2z2"), [](TFpresun &d) {
        moveOne(d, QStringLiteral("1"));
        d.Hotovo();
    });
    QCOMPARE(t.orderLines(QStringLiteral("2z1")), QStringList());
    QCOMPARE(caption(QStringLiteral("s2z1")), QStringLiteral("1"));
    QCOMPARE(label(), QStringLiteral("2z2"));

    // "ZPĚT" after several moves changes nothing and goes back to the source.
    t.chooseOnMap(QStringLiteral("s1z1"));
    move(QStringLiteral("s3"), [](TFpresun &d) {
        moveOne(d, QStringLiteral("1"));
        moveOne(d, QStringLiteral("1"));
        d.reject();
    });
    QCOMPARE(label(), QStringLiteral("1z1"));
    QCOMPARE(t.orderLines(QStringLiteral("1z1")),
             (QStringList{QStringLiteral("1/2/400400"), QStringLiteral("1/1/300300")}));
    QCOMPARE(t.orderLines(QStringLiteral("3")), QStringList());
    QCOMPARE(t.screen->sale().total(), 1099.5);
}

void TestTableScreen::stornoCopyGoesToItsOwnOrder()
{
    start(QStringLiteral("s1z1"));
    t.enter(QStringLiteral("400400"), QStringLiteral("2"));
    t.enter(QStringLiteral("500500"), QStringLiteral("1"));
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F6); }); // by card
    const qint64 number = t.screen->session()
                              .scalar(QStringLiteral("select max(cisuctenky) from uctenky"))
                              .toLongLong();
    t.chooseOnMap(QStringLiteral("s1z2"));
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));

    // Ctrl+F5 twice copies the receipt into "xx"; a second copy replaces the first.
    auto *today = t.screen->findChild<QTableView *>(QStringLiteral("todayReceipts"));
    for (int copy = 0; copy < 2; ++copy) {
        press(Qt::CTRL | Qt::Key_F5);
        QTRY_VERIFY(today->hasFocus());
        press(Qt::CTRL | Qt::Key_F5);
        QTRY_COMPARE(label(), QStringLiteral("xx"));
        QTRY_VERIFY(t.codeField()->hasFocus());
    }
    QCOMPARE(t.orderLines(QStringLiteral("xx")),
             (QStringList{QStringLiteral("1/2/400400"), QStringLiteral("1/1/500500")}));
    QCOMPARE(t.screen->sale().total(), 209.5);
    // Every open line keeps a number of its own (F8 and the price change go by it).
    QCOMPARE(t.count(QStringLiteral("from tmp05uct")),
             t.count(QStringLiteral("from (select distinct id2 from tmp05uct) d")));

    // "VRATKA" refunds order "xx" with the card's payment type; 1z2 stays open.
    press(Qt::CTRL | Qt::Key_F6);
    QTRY_COMPARE(t.orderLines(QStringLiteral("xx")), QStringList());
    QCOMPARE(t.count(QStringLiteral("from uctenky where cisuctenky=%1 and typplatby='K' and "
                                    "cenar<0 and stul='xx'")
                         .arg(number + 1)),
             2);
    QCOMPARE(t.orderLines(QStringLiteral("1z2")), QStringList{QStringLiteral("1/1/300300")});
}

void TestTableScreen::commandsActOnTheCurrentOrderOnly()
{
    start(QStringLiteral("s2"));
    t.enter(QStringLiteral("400400"), QStringLiteral("1,5")); // pieces, yet a decimal quantity
    QTRY_COMPARE(t.orderLines(QStringLiteral("2")), QStringList{QStringLiteral("1/1.5/400400")});
    t.enter(QStringLiteral("2°°500500"));
    QTRY_COMPARE(t.orderLines(QStringLiteral("2")).size(), 2);
    QCOMPARE(t.orderLines(QStringLiteral("2")).last(), QStringLiteral("2/2/500500"));

    // Typed as it is: no keyboard repair turns "~~" into the separator.
    t.enter(QStringLiteral("~~5"));
    QTRY_COMPARE(t.watcher->texts(), QStringList{CounterSale::kNotFound});
    QCOMPARE(t.orderLines(QStringLiteral("2")).size(), 2);

    // The price change has its own button; table lines carry no purchase price.
    QString purchase = QStringLiteral("not shown");
    t.inModal(
        QStringLiteral("Změna prodejní ceny"),
        [&](QWidget &w) {
            purchase = w.findChild<QLabel *>(QStringLiteral("purchasePrice"))->text();
            w.close();
        },
        [this] { t.screen->findChild<QPushButton *>(QStringLiteral("zmenaCeny"))->click(); });
    QCOMPARE(purchase, QString());

    // Ctrl+F8 empties table 2 and leaves table 3 alone.
    t.chooseOnMap(QStringLiteral("s3"));
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));
    t.chooseOnMap(QStringLiteral("s2"));
    press(Qt::CTRL | Qt::Key_F8);
    QTRY_COMPARE(t.orderLines(QStringLiteral("2")), QStringList());
    QCOMPARE(t.orderLines(QStringLiteral("3")), QStringList{QStringLiteral("1/1/300300")});

    // A cancelled payment still ends on the map, which shows the order's total.
    // No customer card is offered at a table.
    t.chooseOnMap(QStringLiteral("s3"));
    t.pay([](TFplatit &d) {
        QVERIFY(!d.findChild<QPushButton *>(QStringLiteral("customer"))->isEnabled());
        QTest::keyClick(&d, Qt::Key_F2);
        QVERIFY(!d.findChild<QLineEdit *>(QStringLiteral("cardField"))->isVisible());
        d.reject();
    });
    QCOMPARE(caption(QStringLiteral("s3")), text::formatAmount(1000));
    QCOMPARE(t.count(QStringLiteral("from uctenky")), 0);
    QCOMPARE(label(), QStringLiteral("3"));
}

void TestTableScreen::printsWithTheTableTemplates()
{
    // Each template names its own (missing) printer: the message tells which one printed.
    QTemporaryDir templates;
    for (const char *base : {"uct1", "uct2", "uct3", "uct1_s", "uct2_s", "uct3_s"}) {
        QFile f(templates.filePath(QLatin1String(base) + QStringLiteral(".fr3")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("<meta name=\"printer\" content=\"tiskarna-") + base +
                "\">{{first.cisuctenky}}");
    }
    start(QStringLiteral("s1"), {.switches = LaunchSwitches{}, .templateFolder = templates.path()});
    t.enter(QStringLiteral("500500"), QStringLiteral("1"));
    payCash(200);
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY2(t.watcher->texts().first().contains(QStringLiteral("tiskarna-uct2_s")),
             qPrintable(t.watcher->texts().first()));

    // The reprint goes to a printer too (not to a preview), with the same template.
    t.watcher->clear();
    QTRY_VERIFY(t.codeField()->hasFocus());
    t.inModal(
        QStringLiteral("Tisk účtenky"),
        [](QWidget &dialog) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        },
        [this] { QTest::keyClick(t.codeField(), Qt::Key_F9); });
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY2(t.watcher->texts().first().contains(QStringLiteral("tiskarna-uct2_s")),
             qPrintable(t.watcher->texts().first()));
}

QTEST_MAIN(TestTableScreen)
#include "test_table_screen.moc"
