#include "app/station.h"
#include "devices/customer_display.h"
#include "devices/text_utils.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"
#include "support/counter_screen.h"
#include "support/pty_pair.h"
#include "support/test_db.h"
#include "support/typing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// The counter-sale screen driven as a cashier would: typing into the code field,
// Enter, F-keys, the payment dialog; checked in the database afterwards.
class TestCounterSaleWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { CounterScreen::loadShop(); }
    void cleanup() { t.stop(); }
    void itemEntry_data();
    void itemEntry();
    void decimalQuantityOfPiecesAtPrompt();
    void stockRefusalAndAllowOnce();
    void allowBelowStockNeedsStockControl();
    void deletingLines();
    void payingCashWithChange();
    void cardWithDiscount();
    void backForgetsTheCard();
    void failingPrinterKeepsTheReceipt();
    void reprint();
    void customerDisplayFollowsTheSale();
    void cashDrawerOpensWhenCashMoves();
    void badVatRatesAreReportedAndNotUsed();

private:
    CounterScreen t;
};

void TestCounterSaleWindow::itemEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("promptAnswer"); // null: no prompt expected
    QTest::addColumn<QString>("line");         // pocet/mnoz/jkpov, or empty
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("EAN-13, quantity at the prompt") << "8591234567890"
                                                    << "2"
                                                    << "1/2/100123" << none;
    QTest::newRow("extra EAN-8") << "12345670"
                                 << "1,5"
                                 << "1/1.5/200123" << none;
    QTest::newRow("prompt with a point") << "12345670"
                                         << "0.25"
                                         << "1/0.25/200123" << none;
    QTest::newRow("quick number") << "5"
                                  << "1"
                                  << "1/1/100123" << none;
    QTest::newRow("product code") << "100123"
                                  << "3"
                                  << "1/3/100123" << none;
    QTest::newRow("3°°123 weighed") << "3°°200123" << none << "1/3/200123" << none;
    QTest::newRow("2.5°°123 pieces, ties to even") << "2.5°°100123" << none << "2/2/100123" << none;
    QTest::newRow("3.5°°123 pieces") << "3.5°°100123" << none << "4/4/100123" << none;
    QTest::newRow("1°°123 pieces, no prompt") << "1°°100123" << none << "1/1/100123" << none;
    QTest::newRow("1°°123 weighed, prompt") << "1°°200123"
                                            << "2"
                                            << "1/2/200123" << none;
    QTest::newRow("separator first") << "°°100123" << none << "1/1/100123" << none;
    QTest::newRow("~~5: separator and quick number") << "~~5" << none << "1/1/100123" << none;
    QTest::newRow("scanner typed on Czech layout")
        << "+ěěšřě" << none << "" << CounterSale::kNotFound;
    QTest::newRow("prompt 0 writes nothing") << "100123"
                                             << "0"
                                             << "" << none;
    QTest::newRow("prompt empty writes nothing") << "100123"
                                                 << ""
                                                 << "" << none;
    QTest::newRow("unknown code") << "999999" << none << "" << CounterSale::kNotFound;
    QTest::newRow("short code is a quick number") << "x1" << none << "" << CounterSale::kNotFound;
    QTest::newRow("zero pieces") << "0°°100123" << none << "" << CounterSale::kNotPositive;
    QTest::newRow("negative weight") << "-2°°200123" << none << "" << CounterSale::kNotPositive;
    QTest::newRow("negative at the prompt") << "200123"
                                            << "-1"
                                            << "" << CounterSale::kNotPositive;
    QTest::newRow("quantity not a number")
        << "abc°°200123" << none << "" << QStringLiteral("„abc“ není platné číslo.");
    QTest::newRow("quote in the code") << "1'°°20012'" << none << "" << CounterSale::kNotFound;
}

void TestCounterSaleWindow::itemEntry()
{
    QFETCH(QString, typed);
    QFETCH(QString, promptAnswer);
    QFETCH(QString, line);
    QFETCH(QString, message);
    t.start();
    t.enter(typed, promptAnswer);
    QTRY_VERIFY(t.codeField()->hasFocus());
    QTRY_COMPARE(t.watcher->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.lines(), line.isEmpty() ? QStringList() : QStringList{line});
    QCOMPARE(t.codeField()->text(), QString());
    QVERIFY(!t.quantityField()->isVisible());
    QVERIFY(t.screen->hotKeysOn());
}

void TestCounterSaleWindow::decimalQuantityOfPiecesAtPrompt()
{
    t.start();
    t.enter(QStringLiteral("100123"), QStringLiteral("1.5"));
    QTRY_COMPARE(t.watcher->texts(), QStringList{CounterSale::kWholePieces});
    QTRY_VERIFY(t.quantityField()->hasFocus());
    QVERIFY(t.quantityField()->isVisible());
    QCOMPARE(t.quantityField()->text(), QStringLiteral("1,5"));
    QCOMPARE(t.lines(), QStringList());
    t.quantityField()->selectAll();
    QTest::keyClicks(t.quantityField(), QStringLiteral("2"));
    QTest::keyClick(t.quantityField(), Qt::Key_Return);
    QTRY_COMPARE(t.lines(), QStringList{QStringLiteral("1/2/100123")});
    // The line carries the item discount: 20 - 2.50 = 17.50 a piece.
    QSqlQuery q = t.screen->session().query(
        QStringLiteral("select pcsd0, pcsd, cenar0, cenar, dph, datum, cisuctenky "
                       "from tmp05uct"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 20.0);
    QCOMPARE(q.value(1).toDouble(), 17.5);
    QCOMPARE(q.value(2).toDouble(), 40.0);
    QCOMPARE(q.value(3).toDouble(), 35.0);
    QCOMPARE(q.value(4).toInt(), 15);
    QVERIFY(q.value(5).toDateTime().secsTo(QDateTime::currentDateTime()) < 60);
    QCOMPARE(q.value(6).toLongLong(), 0LL);
    QCOMPARE(t.screen->findChild<QLabel *>(QStringLiteral("totalLabel"))->text(),
             text::formatAmount(35));
    QFile au(QStringLiteral("au.txt"));
    QVERIFY(au.open(QIODevice::ReadOnly));
    QVERIFY(au.readAll().startsWith("insert into tmp05uct\nSET nazev='Rohl"));
}

void TestCounterSaleWindow::stockRefusalAndAllowOnce()
{
    t.start({.stockControl = true});
    t.enter(QStringLiteral("3°°100123")); // stock 5
    QTRY_COMPARE(t.lines().size(), 1);
    t.enter(QStringLiteral("3°°100123"));
    QTRY_COMPARE(t.watcher->texts(), QStringList{CounterSale::kNotInStock});
    QCOMPARE(t.lines().size(), 1);

    t.watcher->clear();
    t.watcher->answerWith(QStringLiteral("Povolit"));
    QTRY_VERIFY(t.codeField()->hasFocus());
    QTest::keyClick(t.codeField(), Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(t.watcher->texts(), QStringList{QStringLiteral("Povolit položku do mínusu?")});
    QVERIFY(t.screen->sale().allowBelowStock());
    t.enter(QStringLiteral("3°°100123"));
    QTRY_COMPARE(t.lines().size(), 2);
    QVERIFY(!t.screen->sale().allowBelowStock());

    // The next line is checked again, also at the prompt.
    t.watcher->clear();
    t.enter(QStringLiteral("100123"), QStringLiteral("1"));
    QTRY_COMPARE(t.watcher->texts(), QStringList{CounterSale::kNotInStock});
    QCOMPARE(t.lines().size(), 2);
}

void TestCounterSaleWindow::allowBelowStockNeedsStockControl()
{
    t.start({.stockControl = false});
    QTRY_VERIFY(t.codeField()->hasFocus());
    QTest::keyClick(t.codeField(), Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::qWait(100);
    QCOMPARE(t.watcher->texts(), QStringList());
    QVERIFY(!t.screen->sale().allowBelowStock());
    t.enter(QStringLiteral("9°°100123")); // stock 5, but no stock control
    QTRY_COMPARE(t.lines().size(), 1);
}

void TestCounterSaleWindow::deletingLines()
{
    t.start();
    for (const char *typed : {"1°°100123", "2°°100123", "3°°100123"})
        t.enter(QString::fromUtf8(typed));
    QTRY_COMPARE(t.lines().size(), 3);
    auto *list = t.screen->findChild<QTableView *>(QStringLiteral("receiptLines"));

    // F8 first only moves to the list, the second press deletes its selected line.
    QTest::keyClick(t.codeField(), Qt::Key_F8);
    QTRY_VERIFY(list->hasFocus());
    QCOMPARE(t.lines().size(), 3);
    QCOMPARE(list->currentIndex().row(), 2);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_F8);
    QTRY_COMPARE(t.lines(),
                 (QStringList{QStringLiteral("1/1/100123"), QStringLiteral("3/3/100123")}));
    QTRY_VERIFY(t.codeField()->hasFocus());

    // A double click deletes the line clicked.
    const auto doubleClickFirst = [list] {
        const QPoint at = list->visualRect(list->model()->index(0, 2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClickFirst();
    QTRY_COMPARE(t.lines(), QStringList{QStringLiteral("3/3/100123")});
    doubleClickFirst();
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(t.screen->findChild<QLabel *>(QStringLiteral("totalLabel"))->text(),
             text::formatAmount(0));
    QCOMPARE(list->model()->rowCount(), 0);

    // F8 on an empty list does nothing.
    QTest::keyClick(t.codeField(), Qt::Key_F8);
    QTRY_VERIFY(t.codeField()->hasFocus());
}

void TestCounterSaleWindow::payingCashWithChange()
{
    t.start();
    t.enter(QStringLiteral("2°°400400")); // 2 x 49.75 = 99.50
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) {
        QCOMPARE(d.amountDueShown(), 100);
        auto *paid = d.findChild<QSpinBox *>(QStringLiteral("paid"));
        QTRY_VERIFY(paid->hasFocus());
        QTest::keyClicks(paid, QStringLiteral("200"));
        QCOMPARE(paid->value(), 200);
        auto *change = d.findChild<QLineEdit *>(QStringLiteral("change"));
        QCOMPARE(change->text(), text::formatWholeAmount(100));
        paid->selectAll();
        QTest::keyClicks(paid, QStringLiteral("50"));
        QCOMPARE(change->text(), text::formatWholeAmount(-50));
        QCOMPARE(change->palette().color(QPalette::Text), QColor(Qt::red));
        paid->selectAll();
        QTest::keyClicks(paid, QStringLiteral("200"));
        QTest::keyClick(paid, Qt::Key_F5); // HOTOVĚ
    });
    QTRY_COMPARE(t.lines(), QStringList());
    DbSession &db = t.screen->session();
    QSqlQuery q = db.query(
        QStringLiteral("select cisuctenky, platil, typplatby, soucetu, soucetuzao, cislokarty "
                       "from uctenky"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toLongLong(),
             firstReceiptNumber(QDate::currentDate().year(), QStringLiteral("777")));
    QCOMPARE(q.value(1).toInt(), 200);
    QCOMPARE(q.value(2).toString(), QStringLiteral("H"));
    QCOMPARE(q.value(3).toDouble(), 99.5);
    QCOMPARE(q.value(4).toDouble(), 100.0);
    QVERIFY(q.value(5).isNull());
    QVERIFY(!q.next());
    // Today's list shows the receipt; the screen is ready for the next customer.
    auto *today = t.screen->findChild<QTableView *>(QStringLiteral("todayReceipts"));
    QTRY_COMPARE(today->model()->rowCount(), 1);
    QCOMPARE(t.screen->findChild<QLabel *>(QStringLiteral("totalLabel"))->text(),
             text::formatAmount(0));
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
    QCOMPARE(t.screen->sale().receipt().cardDiscount, 0);
    QCOMPARE(t.watcher->texts(), QStringList()); // "/NETISK": not even a printer message
}

void TestCounterSaleWindow::cardWithDiscount()
{
    t.start();
    t.enter(QStringLiteral("1°°300300")); // 1000
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) {
        QCOMPARE(d.amountDueShown(), 1000);
        QTest::keyClick(&d, Qt::Key_F2);
        auto *card = d.findChild<QLineEdit *>(QStringLiteral("cardField"));
        QTRY_VERIFY(card->isVisible() && card->hasFocus());
        QTest::keyClicks(card, QStringLiteral("777001"));
        QTest::keyClick(card, Qt::Key_Return);
        QTRY_COMPARE(d.amountDueShown(), 930);
        QVERIFY(!card->isVisible());
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("customer"))->text(),
                 QStringLiteral("Firma Sedm"));
        QTRY_VERIFY(d.findChild<QSpinBox *>(QStringLiteral("paid"))->hasFocus());
        QTest::keyClick(&d, Qt::Key_F6); // KARTA
    });
    QTRY_COMPARE(t.lines(), QStringList());
    QSqlQuery q = t.screen->session().query(QStringLiteral(
        "select typplatby, cislokarty, pcsd, cenar, sleva, soucetu, platil from uctenky"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("K"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("777001"));
    QCOMPARE(q.value(2).toDouble(), 930.0);
    QCOMPARE(q.value(3).toDouble(), 930.0);
    QCOMPARE(q.value(4).toDouble(), 70.0);
    QCOMPARE(q.value(5).toDouble(), 930.0);
    QCOMPARE(q.value(6).toInt(), 0);
}

void TestCounterSaleWindow::backForgetsTheCard()
{
    t.start();
    t.enter(QStringLiteral("1°°300300"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) {
        QTest::keyClick(&d, Qt::Key_F2);
        auto *card = d.findChild<QLineEdit *>(QStringLiteral("cardField"));
        QTRY_VERIFY(card->hasFocus());
        QTest::keyClicks(card, QStringLiteral("777015"));
        QTest::keyClick(card, Qt::Key_Return);
        QTRY_COMPARE(d.amountDueShown(), 850);
        // A number missing from the list takes the discount away again.
        QTest::keyClick(&d, Qt::Key_F2);
        QTRY_VERIFY(card->hasFocus());
        QTest::keyClicks(card, QStringLiteral("999"));
        QTest::keyClick(card, Qt::Key_Return);
        QTRY_COMPARE(d.amountDueShown(), 1000);
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("customer"))->text(),
                 QStringLiteral("Zákaznická karta 999 nenalezena"));
        QTest::keyClick(&d, Qt::Key_F2);
        QTRY_VERIFY(card->hasFocus());
        QTest::keyClicks(card, QStringLiteral("777015"));
        QTest::keyClick(card, Qt::Key_Return);
        QTRY_COMPARE(d.amountDueShown(), 850);
        d.findChild<QPushButton *>(QStringLiteral("back"))->click(); // ZPĚT
    });
    QCOMPARE(t.lines().size(), 1);
    QCOMPARE(t.screen->session().scalar(QStringLiteral("select count(*) from uctenky")).toInt(), 0);
    QCOMPARE(t.screen->sale().receipt().cardDiscount, 0);
    QCOMPARE(t.screen->sale().receipt().cardNumber, QString());
    QTRY_VERIFY(t.screen->hotKeysOn());

    // The next payment starts without the card.
    t.pay([](TFplatit &d) {
        QCOMPARE(d.amountDueShown(), 1000);
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("customer"))->text(), QString());
        QTest::keyClick(d.findChild<QSpinBox *>(QStringLiteral("paid")), Qt::Key_Escape);
    });
    QCOMPARE(t.lines().size(), 1);
}

void TestCounterSaleWindow::failingPrinterKeepsTheReceipt()
{
    // Templates that name a printer this machine does not have.
    QTemporaryDir templates;
    QFile source(QStringLiteral(PRODEJ_TEMPLATE_DIR "/uct2.fr3"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(source.readAll());
    text.replace(QStringLiteral("<meta name=\"printer\" content=\"\">"),
                 QStringLiteral("<meta name=\"printer\" content=\"Bon-neni\">"));
    QFile target(templates.filePath(QStringLiteral("uct2.fr3")));
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write(text.toUtf8());
    target.close();

    t.start({.switches = LaunchSwitches{}, .templateFolder = templates.path()});
    t.enter(QStringLiteral("2°°400400"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) {
        QTest::keyClicks(d.findChild<QSpinBox *>(QStringLiteral("paid")), QStringLiteral("100"));
        QTest::keyClick(&d, Qt::Key_F5);
    });
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    const QString message = t.watcher->texts().first();
    QVERIFY2(message.contains(QStringLiteral("je uložena")) &&
                 message.contains(QStringLiteral("Bon-neni")),
             qPrintable(message));
    QCOMPARE(t.screen->session().scalar(QStringLiteral("select count(*) from uctenky")).toInt(), 1);
    QCOMPARE(t.lines(), QStringList());
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
}

void TestCounterSaleWindow::reprint()
{
    t.start();
    t.enter(QStringLiteral("1°°400400"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());

    // F9 suggests the receipt selected in today's list; Esc prints nothing.
    QStringList seen;
    QTRY_VERIFY(t.codeField()->hasFocus());
    QTimer::singleShot(0, this, [&] {
        QWidget *dialog = nullptr;
        QTRY_VERIFY((dialog = QApplication::activeModalWidget()) != nullptr);
        const auto closeOnFailure = qScopeGuard([dialog] { dialog->close(); });
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Tisk účtenky"));
        seen << QString::number(dialog->findChild<QSpinBox *>(QStringLiteral("year"))->value())
             << QString::number(dialog->findChild<QSpinBox *>(QStringLiteral("branch"))->value())
             << QString::number(dialog->findChild<QSpinBox *>(QStringLiteral("running"))->value());
        QVERIFY(dialog->findChild<QSpinBox *>(QStringLiteral("branch"))->isReadOnly());
        QTRY_VERIFY(dialog->findChild<QSpinBox *>(QStringLiteral("running"))->hasFocus());
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(t.codeField(), Qt::Key_F9);
    QTRY_COMPARE(seen, (QStringList{QString::number(QDate::currentDate().year() - 2000),
                                    QStringLiteral("777"), QStringLiteral("1")}));

    // Ctrl+Enter confirms and the receipt opens in the preview.
    QTRY_VERIFY(t.codeField()->hasFocus());
    bool previewed = false;
    QTimer poll; // closes the preview once it is up, without blocking its way there
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->windowTitle() == QStringLiteral("Náhled")) {
            previewed = true;
            modal->close();
        }
    });
    poll.start(20);
    QTimer::singleShot(0, this, [&] {
        QWidget *dialog = nullptr;
        QTRY_VERIFY((dialog = QApplication::activeModalWidget()) != nullptr);
        const auto closeOnFailure = qScopeGuard([dialog] { dialog->close(); });
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Tisk účtenky"));
        QTRY_VERIFY(dialog->isActiveWindow() && dialog->focusWidget() != nullptr);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    });
    QTest::keyClick(t.codeField(), Qt::Key_F9);
    QTRY_VERIFY(previewed);
}

void TestCounterSaleWindow::customerDisplayFollowsTheSale()
{
    testdb::rootSql(QStringLiteral("insert into seznam set stredisko='777', jkpov='600600', "
                                   "nazev='Čaj zelený', zkratka='Čaj', povaha='K', mj='ks', "
                                   "pcsd=12.5, dph=12, aktivni='A';"));
    PtyPair pty;
    QTemporaryDir dir;
    PortSettings settings;
    settings.port = pty.port();
    const QString panelIni = dir.filePath(QStringLiteral("panel.ini"));
    settings.save(panelIni);
    t.start({.panel = 1, .panelIni = panelIni});
    QCOMPARE(t.screen->customerDisplay().level(), 1);
    QVERIFY(pty.received().endsWith("       Vortel       \r"));

    const QByteArray price = text::formatAmount(12.5).toLatin1();
    const QByteArray total = text::formatAmount(25).toLatin1();
    t.enter(QStringLiteral("2~~600600"));
    QTRY_COMPARE(t.lines().size(), 1);
    QCOMPARE(pty.received(), "Caj" + QByteArray(17 - price.size(), ' ') + price + "\r" +
                                 QByteArray(20 - total.size(), ' ') + total + "\r");
    t.pay([&](TFplatit &d) {
        // The amount due is on the display before the dialog opens.
        const QByteArray due = text::formatAmount(25).toLatin1();
        QCOMPARE(pty.received(), "Celkem" + QByteArray(14 - due.size(), ' ') + due + "\r" +
                                     QByteArray(20, ' ') + "\r");
        QTest::keyClick(&d, Qt::Key_F5);
    });
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(pty.received(), QByteArray(20, ' ') + "\r" + "     Dobry den      \r");

    // Unplugged: the sale goes on, the display is off for the run.
    pty.stop();
    t.enter(QStringLiteral("600600"), QStringLiteral("1"));
    QTRY_COMPARE(t.lines().size(), 1);
    QCOMPARE(t.screen->customerDisplay().level(), 0);
    QVERIFY(t.watcher->texts().isEmpty());
}

void TestCounterSaleWindow::cashDrawerOpensWhenCashMoves()
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("lp0"));
    CounterScreen::Options o;
    o.extraSettings =
        QStringLiteral("OtevreniSupliku=27,112,0,25,250\nSuplikZarizeni=%1\n").arg(device);
    t.start(o);
    const auto sent = [&] {
        QFile f(device);
        return f.open(QIODevice::ReadOnly) ? f.readAll().size() : 0;
    };
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F6); }); // card: the drawer stays shut
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(sent(), 0);
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(sent(), 5);
    QVERIFY(t.watcher->texts().isEmpty());

    // A value that is not five bytes: said once at start, the drawer never opens.
    o.extraSettings = QStringLiteral("OtevreniSupliku=27,112\nSuplikZarizeni=%1\n").arg(device);
    t.start(o);
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY(t.watcher->texts().first().contains(QStringLiteral("OtevreniSupliku")));
    QVERIFY(!t.screen->cashDrawer().isConfigured());
}

void TestCounterSaleWindow::badVatRatesAreReportedAndNotUsed()
{
    CounterScreen::Options o;
    o.extraSettings = QStringLiteral("DPHz1=21\n"); // the same as DPHz23
    t.start(o);
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY(t.watcher->texts().first().contains(QStringLiteral("DPHz1")));
    QCOMPARE(t.screen->sale().config().vatRates, VatRates{});
}

QTEST_MAIN(TestCounterSaleWindow)
#include "test_counter_sale_window.moc"
