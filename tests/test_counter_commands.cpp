#include "sale/keypad.h"
#include "sale/keypad_window.h"
#include "sale/price_change_dialog.h"
#include "support/counter_screen.h"
#include "support/test_db.h"
#include "support/typing.h"

#include "devices/text_utils.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

// The counter-sale screen's commands: correction, copy and refund, delete all,
// price change and the on-screen keypad, driven by their keys.
class TestCounterCommands : public QObject
{
    Q_OBJECT
private slots:
    void init() { CounterScreen::loadShop(); }
    void cleanup() { t.stop(); }
    void correctionNeedsTwoPresses();
    void correctionThenPaymentWritesStornoPair();
    void copyAbandonsCorrectionAndRefundIsOneNegativeReceipt();
    void refundRefusedWhileCorrectionPending();
    void failedCorrectionLeavesReceiptWhole();
    void deleteAll();
    void priceChange_data();
    void priceChange();
    void keypadTyping_data();
    void keypadTyping();
    void keypadDrivesEntry();

private:
    // Sells 1 × 121 Kč at 21 %, 1 × 110 Kč at 10 % and 2 × 49.75 Kč at 15 %, cash 400.
    qint64 sellThreeLines();
    void press(QKeyCombination keys);
    QStringList storedRows(qint64 number);

    CounterScreen t;
};

void TestCounterCommands::press(QKeyCombination keys)
{
    QTRY_VERIFY(t.screen->isActiveWindow());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : t.screen.get(),
                    keys.key(), keys.keyboardModifiers());
}

qint64 TestCounterCommands::sellThreeLines()
{
    testdb::rootSql(QStringLiteral(
        "insert into seznam set stredisko='777', jkpov='121121', nazev='Víno', povaha='K',"
        " mj='ks', pcsd=121, dph=21, stav=10, aktivni='A';"));
    t.enter(QStringLiteral("1°°121121"));
    t.enter(QStringLiteral("1°°500500"));
    t.enter(QStringLiteral("2°°400400"));
    [&] { QTRY_COMPARE(t.lines().size(), 3); }();
    t.pay([](TFplatit &d) {
        QTest::keyClicks(d.findChild<QSpinBox *>(QStringLiteral("paid")), QStringLiteral("400"));
        QTest::keyClick(&d, Qt::Key_F5);
    });
    [&] { QTRY_COMPARE(t.lines(), QStringList()); }();
    return t.screen->session()
        .scalar(QStringLiteral("select max(cisuctenky) from uctenky"))
        .toLongLong();
}

QStringList TestCounterCommands::storedRows(qint64 number)
{
    QStringList rows;
    QSqlQuery q =
        t.screen->session().query(QStringLiteral("select mnoz, cenar, cenar0, soucetu, z23, d23, "
                                                 "z1, d1, z5, d5, vydejka, typplatby, platil "
                                                 "from uctenky where cisuctenky=%1 order by id2")
                                      .arg(number));
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < 13; ++i)
            cells << q.value(i).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

void TestCounterCommands::correctionNeedsTwoPresses()
{
    t.start();
    const qint64 old = sellThreeLines();
    auto *today = t.screen->findChild<QTableView *>(QStringLiteral("todayReceipts"));
    QTRY_VERIFY(t.codeField()->hasFocus());
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_VERIFY(today->hasFocus());
    QCOMPARE(t.lines(), QStringList());
    QVERIFY(t.screen->hotKeysOn());
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_COMPARE(t.lines().size(), 3);
    QCOMPARE(t.screen->sale().receipt().correctedReceipt, old);
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
    // Dated now, as new lines: no purchase price, no delivery mark.
    QCOMPARE(t.count(QStringLiteral(
                 "from tmp05uct where nc=0 and vydejka=0 and datum > NOW() - INTERVAL 1 MINUTE")),
             3);
    QFile a4(QStringLiteral("a4.txt"));
    QVERIFY(a4.open(QIODevice::ReadOnly));
    QVERIFY(a4.readAll().contains("tmp05uct4"));
}

void TestCounterCommands::correctionThenPaymentWritesStornoPair()
{
    t.start();
    const qint64 old = sellThreeLines();
    const QStringList oldRows = storedRows(old);
    press(Qt::CTRL | Qt::Key_F4);
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_COMPARE(t.lines().size(), 3);
    t.pay(
        [](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F6); }); // the corrected receipt paid by card
    QTRY_COMPARE(t.lines(), QStringList());

    const qint64 corrected = old + 1, storno = old + 2;
    QCOMPARE(
        t.count(QStringLiteral("from uctenky where cisuctenky=%1 and vydejka=0 and typplatby='K'")
                    .arg(corrected)),
        3);
    QCOMPARE(
        t.count(
            QStringLiteral("from uctenky where cisuctenky=%1 and vydejka=%2").arg(old).arg(storno)),
        3);
    // The storno: every amount of the old receipt negated, the old payment type, linked to it.
    const QStringList stornoRows = storedRows(storno);
    QCOMPARE(stornoRows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList o = oldRows.at(i).split(QLatin1Char('|'));
        const QStringList n = stornoRows.at(i).split(QLatin1Char('|'));
        for (int c = 0; c < 10; ++c)
            QCOMPARE(n.at(c).toDouble(), -o.at(c).toDouble());
        QCOMPARE(n.at(10).toLongLong(), old);
        QCOMPARE(n.at(11), QStringLiteral("H"));
        QCOMPARE(n.at(12).toInt(), -400);
    }
    QVERIFY(oldRows.first().split(QLatin1Char('|')).at(6).toDouble() > 0); // z1 was there to negate
    QCOMPARE(t.screen->sale().receipt().correctedReceipt, 0LL);
}

void TestCounterCommands::copyAbandonsCorrectionAndRefundIsOneNegativeReceipt()
{
    // Each template names its own (missing) printer, so the message tells which one printed.
    QTemporaryDir templates;
    for (const char *base : {"uct1", "uct2", "uct3"}) {
        QFile f(templates.filePath(QLatin1String(base) + QStringLiteral(".fr3")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("<meta name=\"printer\" content=\"tiskarna-") + base +
                "\">{{first.cisuctenky}}");
    }
    t.start({.switches = LaunchSwitches{}, .templateFolder = templates.path()});
    const qint64 old = sellThreeLines();
    t.watcher->clear();
    press(Qt::CTRL | Qt::Key_F4);
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_COMPARE(t.screen->sale().receipt().correctedReceipt, old);
    press(Qt::CTRL | Qt::Key_F5);
    press(Qt::CTRL | Qt::Key_F5);
    QTRY_COMPARE(t.screen->sale().receipt().correctedReceipt, 0LL);
    QTRY_COMPARE(t.lines().size(), 3);
    QCOMPARE(t.screen->session().scalar(QStringLiteral("show tables like 'tmp05uct4'")),
             QVariant());

    press(Qt::CTRL | Qt::Key_F6); // VRATKA
    QTRY_COMPARE(t.lines(), QStringList());
    const qint64 refund = old + 1;
    QCOMPARE(t.count(QStringLiteral("from uctenky")), 6);
    QCOMPARE(
        t.count(QStringLiteral(
                    "from uctenky where cisuctenky=%1 and cenar<0 and mnoz<0 and soucetu=-330.5 "
                    "and typplatby='H' and platil=0")
                    .arg(refund)),
        3);
    QCOMPARE(t.count(QStringLiteral("from uctenky where vydejka<>0")), 0); // no storno pair
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY2(t.watcher->texts().first().contains(QStringLiteral("tiskarna-uct1")),
             qPrintable(t.watcher->texts().first()));
    QVERIFY(t.screen->hotKeysOn());
}

void TestCounterCommands::refundRefusedWhileCorrectionPending()
{
    t.start();
    const qint64 old = sellThreeLines();
    press(Qt::CTRL | Qt::Key_F4);
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_COMPARE(t.lines().size(), 3);
    t.screen->findChild<QPushButton *>(QStringLiteral("vratka"))->click();
    QTRY_COMPARE(t.watcher->texts(), QStringList{CounterSale::kRefundDuringCorrection});
    QCOMPARE(t.count(QStringLiteral("from uctenky")), 3);
    QCOMPARE(t.lines().size(), 3);
    QCOMPARE(t.screen->sale().receipt().correctedReceipt, old);
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
}

void TestCounterCommands::failedCorrectionLeavesReceiptWhole()
{
    t.start();
    sellThreeLines();
    t.enter(QStringLiteral("2°°300300"));
    QTRY_COMPARE(t.lines().size(), 1);
    // A storno table that cannot take the receipt's lines.
    t.screen->session().exec(QStringLiteral("create table tmp05uct4 (a int)"));
    press(Qt::CTRL | Qt::Key_F4);
    press(Qt::CTRL | Qt::Key_F4);
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QCOMPARE(t.lines(), QStringList{QStringLiteral("2/2/300300")});
    QCOMPARE(t.screen->sale().receipt().correctedReceipt, 0LL);
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
    QVERIFY(!QApplication::activeModalWidget());
    auto *list = t.screen->findChild<QTableView *>(QStringLiteral("receiptLines"));
    QCOMPARE(list->model()->rowCount(), 1);
}

void TestCounterCommands::deleteAll()
{
    t.start();
    QFile::remove(QStringLiteral("au.txt"));
    press(Qt::CTRL | Qt::Key_F8);
    QTest::qWait(50);
    QVERIFY(!QFile::exists(QStringLiteral("au.txt")));
    t.enter(QStringLiteral("1°°300300"));
    t.enter(QStringLiteral("1°°400400"));
    QTRY_COMPARE(t.lines().size(), 2);
    QTRY_VERIFY(t.codeField()->hasFocus());
    press(Qt::CTRL | Qt::Key_F8);
    QTRY_COMPARE(t.lines(), QStringList());
    QFile au(QStringLiteral("au.txt"));
    QVERIFY(au.open(QIODevice::ReadOnly));
    QCOMPARE(au.readAll(), QByteArray("START TRANSACTION;\nDELETE from tmp05uct;\ncommit;"));
    QCOMPARE(t.screen->findChild<QTableView *>(QStringLiteral("receiptLines"))->model()->rowCount(),
             0);
}

void TestCounterCommands::priceChange_data()
{
    QTest::addColumn<double>("listPrice");
    QTest::addColumn<QString>("newPrice");   // typed first; empty: untouched
    QTest::addColumn<QString>("percent");    // typed into the percent field; empty: not reached
    QTest::addColumn<QString>("discountKc"); // typed into the crowns field; empty: not reached
    QTest::addColumn<QString>("stored");     // pcsd|cenar|slevakc|slevaproc
    QTest::newRow("10 % of 120") << 120.0 << ""
                                 << "10"
                                 << ""
                                 << "108|216|12|10";
    QTest::newRow("15 % of 9.99 rounds the discount half away") << 9.99 << ""
                                                                << "15"
                                                                << ""
                                                                << "8.49|16.98|1.5|15";
    QTest::newRow("typed price, Ctrl+Enter at once") << 120.0 << "99"
                                                     << ""
                                                     << ""
                                                     << "99|198|2|5";
    QTest::newRow("Enter through the percent field") << 120.0 << "99"
                                                     << "0"
                                                     << ""
                                                     << "120|240|2|5";
    QTest::newRow("discount in crowns") << 120.0 << ""
                                        << "0"
                                        << "30"
                                        << "90|180|2|5";
    QTest::newRow("confirmed untouched") << 120.0 << ""
                                         << ""
                                         << ""
                                         << "0|0|2|5";
}

void TestCounterCommands::priceChange()
{
    QFETCH(double, listPrice);
    QFETCH(QString, newPrice);
    QFETCH(QString, percent);
    QFETCH(QString, discountKc);
    QFETCH(QString, stored);
    // A line with an earlier discount of 2 Kč (5 %), so that keeping it shows.
    testdb::rootSql(
        QStringLiteral(
            "insert into seznam set stredisko='777', jkpov='600600', nazev='Dort', povaha='K', "
            "mj='ks', pcsd=%1, slevakc=2, slevaproc=5, dph=21, nc=60, aktivni='A';")
            .arg(listPrice + 2));
    t.start();
    t.enter(QStringLiteral("2°°600600"));
    QTRY_COMPARE(t.lines().size(), 1);
    // The list price of the line is what the dialog shows as the old price.
    t.screen->session().exec(QStringLiteral("update tmp05uct set pcsd0=%1").arg(listPrice));

    bool ran = false;
    QTRY_VERIFY(t.codeField()->hasFocus());
    QTimer::singleShot(0, this, [&] {
        TFzmenac *dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<TFzmenac *>(QApplication::activeModalWidget())) !=
                    nullptr);
        const auto closeOnFailure = qScopeGuard([&ran, dialog] {
            if (!ran)
                dialog->reject();
        });
        QTRY_VERIFY(dialog->isActiveWindow());
        QCOMPARE(dialog->findChild<QDoubleSpinBox *>(QStringLiteral("listPrice"))->value(),
                 listPrice);
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("purchasePrice"))->text(),
                 text::formatAmount(60));
        auto *price = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("newPrice"));
        QTRY_VERIFY(price->hasFocus());
        if (!newPrice.isEmpty()) {
            price->selectAll();
            QTest::keyClicks(price, newPrice);
        }
        if (!percent.isEmpty()) {
            QTest::keyClick(price, Qt::Key_Return);
            auto *field = dialog->findChild<QSpinBox *>(QStringLiteral("percent"));
            QTRY_VERIFY(field->hasFocus());
            field->selectAll();
            QTest::keyClicks(field, percent);
            QTest::keyClick(field, Qt::Key_Return);
            auto *crowns = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("discountKc"));
            QTRY_VERIFY(crowns->hasFocus());
            if (!discountKc.isEmpty()) {
                crowns->selectAll();
                QTest::keyClicks(crowns, discountKc);
                QTest::keyClick(crowns, Qt::Key_Return);
            }
        }
        ran = true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    });
    press(Qt::Key_F4);
    QTRY_VERIFY(ran);
    QSqlQuery q = t.screen->session().query(
        QStringLiteral("select pcsd, cenar, slevakc, slevaproc, pc, pcsd0 from tmp05uct"));
    QVERIFY(q.next());
    QCOMPARE(QStringLiteral("%1|%2|%3|%4")
                 .arg(q.value(0).toDouble())
                 .arg(q.value(1).toDouble())
                 .arg(q.value(2).toDouble())
                 .arg(q.value(3).toDouble()),
             stored);
    QCOMPARE(q.value(4).toDouble(), std::round(q.value(0).toDouble() * 100 / 121 * 10000) / 10000);
    QCOMPARE(q.value(5).toDouble(), listPrice); // the list price stays
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
}

void TestCounterCommands::keypadTyping_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("quantity: first key replaces the suggested 1") << 2 << "1"
                                                                  << "5"
                                                                  << "5";
    QTest::newRow("quantity: then keys extend") << 2 << "1"
                                                << "25"
                                                << "25";
    QTest::newRow("quantity: comma first") << 2 << "1"
                                           << ",5"
                                           << ",5";
    QTest::newRow("code: keys extend") << 1 << ""
                                       << "100123"
                                       << "100123";
    QTest::newRow("code: one comma only") << 1 << ""
                                          << "1,,5,"
                                          << "1,5";
    QTest::newRow("clear") << 1 << ""
                           << "12C3"
                           << "3";
}

void TestCounterCommands::keypadTyping()
{
    QFETCH(int, target);
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    Keypad keypad;
    keypad.open(static_cast<Keypad::Target>(target), shown);
    for (const QChar k : keys) {
        if (k == QLatin1Char(','))
            keypad.pressComma();
        else if (k == QLatin1Char('C'))
            keypad.pressClear();
        else
            keypad.pressDigit(k);
    }
    QCOMPARE(keypad.display(), display);
    QCOMPARE(keypad.buffer(), display);
    keypad.back();
    QCOMPARE(keypad.buffer(), target == 2 ? QString() : display);
}

void TestCounterCommands::keypadDrivesEntry()
{
    t.start({.touchScreen = true});
    t.screen->findChild<QPushButton *>(QStringLiteral("klv"))->click();
    TFnumklav *keypad = t.screen->keypadWindow();
    QVERIFY(keypad);
    QTRY_VERIFY(keypad->isVisible());
    QCOMPARE(keypad->size(), QSize(400, 470));
    QVERIFY(t.screen->keypadUsed());
    for (const QChar k : QStringLiteral("100123"))
        keypad->button(QString(k))->click();
    QCOMPARE(t.codeField()->text(), QStringLiteral("100123")); // the code field mirrors the keypad
    keypad->button(QStringLiteral("Enter"))->click();
    // Item entry ran: the prompt is open and the keypad asks for the quantity.
    QTRY_VERIFY(t.quantityField()->isVisible());
    QTRY_COMPARE(keypad->keypad().target(), Keypad::Target::QuantityField);
    QVERIFY(keypad->isVisible());
    QCOMPARE(keypad->keypad().display(), QStringLiteral("1"));
    QCOMPARE(t.quantityField()->text(), QString());
    keypad->button(QStringLiteral("3"))->click();
    QCOMPARE(keypad->keypad().display(), QStringLiteral("3"));
    keypad->button(QStringLiteral("Enter"))->click();
    QTRY_COMPARE(t.lines(), QStringList{QStringLiteral("1/3/100123")});
    QVERIFY(!keypad->isVisible());
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(!t.screen->keypadUsed()); // cleared when the hot keys came back on

    // Without the keypad in use the prompt takes the keyboard as always.
    t.enter(QStringLiteral("100123"), QStringLiteral("2"));
    QTRY_COMPARE(t.lines().size(), 2);
    QVERIFY(!keypad->isVisible());
}

QTEST_MAIN(TestCounterCommands)
#include "test_counter_commands.moc"
