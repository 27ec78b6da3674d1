#include "reports/product_list_window.h"
#include "reports/product_search_dialog.h"
#include "support/counter_screen.h"
#include "support/test_db.h"
#include "support/typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

// The product list, its search and the other windows the counter-sale screen
// opens: day totals and the sales reports.
class TestProductList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { t.stop(); }
    void listsActiveProductsOfTheBranch();
    void keepsItsRowBetweenShowings();
    void takeOverEntersTheProduct();
    void purchasePriceColumn();
    void search();
    void searchWithoutValueList();
    void recomputesStock();
    void dayTotalsOnDoubleClick();
    void salesReportsWindow();

private:
    // Opens the list with F3 and runs `act` in it.
    void inList(const std::function<void(TFnabcen &)> &act);
    static QStringList names(QTableView *list);

    CounterScreen t;
};

void TestProductList::init()
{
    CounterScreen::loadShop();
    testdb::rootSql(QStringLiteral(
        "insert into seznam set stredisko='777', jkpov='900900', nazev='Aktivní ne', aktivni='N';"
        "insert into seznam set stredisko='001', jkpov='100123', nazev='Cizí rohlík', "
        "aktivni='A';"));
}

void TestProductList::inList(const std::function<void(TFnabcen &)> &act)
{
    QTRY_VERIFY(t.codeField()->hasFocus());
    t.inModal(
        QStringLiteral("Zboží"), [&](QWidget &w) { act(static_cast<TFnabcen &>(w)); },
        [&] { QTest::keyClick(t.codeField(), Qt::Key_F3); });
}

QStringList TestProductList::names(QTableView *list)
{
    QStringList out;
    for (int r = 0; r < list->model()->rowCount(); ++r) {
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            if (list->model()->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Název"))
                out << list->model()->index(r, c).data().toString();
        }
    }
    return out;
}

void TestProductList::listsActiveProductsOfTheBranch()
{
    t.start();
    inList([](TFnabcen &list) {
        QCOMPARE(names(list.list()),
                 (QStringList{QStringLiteral("Kávovar"), QStringLiteral("Kniha"),
                              QStringLiteral("Pečivo mix"), QStringLiteral("Rohlík"),
                              QStringLiteral("Sýr Eidam")}));
        QTest::keyClick(list.list(), Qt::Key_Escape);
    });
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->hotKeysOn());
    QCOMPARE(t.lines(), QStringList());
}

void TestProductList::keepsItsRowBetweenShowings()
{
    t.start();
    inList([](TFnabcen &list) {
        QTRY_VERIFY(list.list()->hasFocus());
        QTest::keyClick(list.list(), Qt::Key_Down);
        QTest::keyClick(list.list(), Qt::Key_Down);
        QCOMPARE(list.currentJkpov(), QStringLiteral("400400"));
        QTest::keyClick(list.list(), Qt::Key_Escape);
    });
    inList([](TFnabcen &list) {
        QCOMPARE(list.currentJkpov(), QStringLiteral("400400"));
        list.reject();
    });
}

void TestProductList::takeOverEntersTheProduct()
{
    t.start();
    inList([](TFnabcen &list) {
        QTRY_VERIFY(list.list()->hasFocus());
        QTest::keyClick(list.list(), Qt::Key_Return); // Kávovar, the first by name
    });
    // The code is entered as if typed: the quantity prompt asks.
    QTRY_VERIFY(t.quantityField()->isVisible() && t.quantityField()->hasFocus());
    typeText(t.quantityField(), QStringLiteral("2"));
    QTest::keyClick(t.quantityField(), Qt::Key_Return);
    QTRY_COMPARE(t.lines(), QStringList{QStringLiteral("1/2/300300")});
}

void TestProductList::purchasePriceColumn()
{
    t.start();
    int ncColumn = -1;
    inList([&](TFnabcen &list) {
        for (int c = 0; c < list.list()->model()->columnCount(); ++c) {
            if (list.list()->model()->headerData(c, Qt::Horizontal).toString() ==
                QStringLiteral("Nákup.cena"))
                ncColumn = c;
        }
        QVERIFY(ncColumn >= 0);
        QVERIFY(list.list()->isColumnHidden(ncColumn));
        list.findChild<QCheckBox *>(QStringLiteral("zobrazitNC"))->click();
        QVERIFY(!list.list()->isColumnHidden(ncColumn));
        list.reject();
    });
    inList([&](TFnabcen &list) {
        QVERIFY(!list.list()->isColumnHidden(ncColumn)); // kept for the next showing
        list.reject();
    });
}

void TestProductList::search()
{
    t.start();
    inList([this](TFnabcen &list) {
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(list.list(), Qt::Key_Down);
        QCOMPARE(list.currentJkpov(), QStringLiteral("100123")); // Rohlík
        t.inModal(
            QStringLiteral("Hledat"),
            [&](QWidget &dialog) {
                auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("coHledat"));
                auto *values = dialog.findChild<QListWidget *>(QStringLiteral("hodnoty"));
                QTRY_VERIFY(text->hasFocus());
                typeText(text, QStringLiteral("EČ"));
                QCOMPARE(values->count(), 1); // "Pečivo mix", whatever the case
                QCOMPARE(list.currentJkpov(), QStringLiteral("400400"));
                text->clear();
                typeText(text, QStringLiteral("k"));
                QCOMPARE(values->count(), 3); // Kávovar, Kniha, Rohlík
                QCOMPARE(list.currentJkpov(), QStringLiteral("300300"));
                QTest::keyClick(text, Qt::Key_Down);
                QCOMPARE(list.currentJkpov(), QStringLiteral("500500"));
                // Another column searches its own values.
                auto *column = dialog.findChild<QComboBox *>(QStringLiteral("sloupec"));
                column->setCurrentIndex(column->findText(QStringLiteral("JKP")));
                text->clear();
                typeText(text, QStringLiteral("3003"));
                QCOMPARE(values->count(), 1);
                QCOMPARE(values->item(0)->text(), QStringLiteral("300300"));
                QCOMPARE(list.currentJkpov(), QStringLiteral("300300"));
                // "storno" puts the cursor back where it was.
                QTest::keyClick(text, Qt::Key_Escape);
            },
            [&] { QTest::keyClick(list.list(), Qt::Key_F3); });
        QCOMPARE(list.currentJkpov(), QStringLiteral("100123"));
        t.inModal(
            QStringLiteral("Hledat"),
            [&](QWidget &dialog) {
                auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("coHledat"));
                QTRY_VERIFY(text->hasFocus());
                typeText(text, QStringLiteral("sýr"));
                dialog.findChild<QPushButton *>(QStringLiteral("prevzit"))->click();
            },
            [&] {
                QTRY_VERIFY(list.isActiveWindow());
                QTest::keyClick(list.list(), Qt::Key_F3);
            });
        QCOMPARE(list.currentJkpov(), QStringLiteral("200123"));
        list.reject();
    });
}

void TestProductList::searchWithoutValueList()
{
    t.start();
    inList([this](TFnabcen &list) {
        t.inModal(
            QStringLiteral("Hledat"),
            [&](QWidget &dialog) {
                dialog.findChild<QCheckBox *>(QStringLiteral("zobrazitVyber"))->click();
                auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("coHledat"));
                typeText(text, QStringLiteral("rohl")); // a part only: not found
                dialog.findChild<QPushButton *>(QStringLiteral("prevzit"))->click();
                QTRY_COMPARE(t.watcher->texts(), QStringList{ProductSearchDialog::kNotFound});
                QVERIFY(dialog.isVisible());
                text->clear();
                typeText(text, QStringLiteral("ROHLÍK"));
                dialog.findChild<QPushButton *>(QStringLiteral("prevzit"))->click();
            },
            [&] { QTest::keyClick(list.list(), Qt::Key_F3); });
        QCOMPARE(list.currentJkpov(), QStringLiteral("100123"));
        list.reject();
    });
}

void TestProductList::recomputesStock()
{
    testdb::rootSql(QStringLiteral(
        "insert into prijem set cislodokla='P1';"
        "insert into prirad set cislodokla='P1', stredisko='777', jkpov='300300', mnoz=40;"
        "insert into prirad set cislodokla='P2', stredisko='777', jkpov='300300', mnoz=9.5;"
        "insert into uctenky set cisuctenky=1, stredisko='777', jkpov='300300', mnoz=2;"
        "insert into dlrad set cislodokla='D1', stredisko='777', jkpov='300300', mnoz=5.5;"
        "insert into prirad set cislodokla='P3', stredisko='888', jkpov='300300', mnoz=1000;"));
    t.start();
    inList([](TFnabcen &list) {
        int stock = -1;
        for (int c = 0; c < list.list()->model()->columnCount(); ++c) {
            if (list.list()->model()->headerData(c, Qt::Horizontal).toString() ==
                QStringLiteral("Stav"))
                stock = c;
        }
        QCOMPARE(list.list()->model()->index(0, stock).data().toDouble(), 3.0); // Kávovar
        list.findChild<QPushButton *>(QStringLiteral("prepocitat"))->click();
        // received 49.5, sold 2, delivered 5.5; another branch's goods apart
        QCOMPARE(list.list()->model()->index(0, stock).data().toDouble(), 42.0);
        list.reject();
    });
}

void TestProductList::dayTotalsOnDoubleClick()
{
    t.start();
    t.enter(QStringLiteral("2°°400400"));
    QTRY_COMPARE(t.lines().size(), 1);
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());
    t.watcher->clear();
    QTest::mouseDClick(t.screen->findChild<QLabel *>(QStringLiteral("totalLabel")), Qt::LeftButton);
    QTRY_COMPARE(t.watcher->texts().size(), 1);
    QVERIFY2(t.watcher->texts().first().startsWith(QStringLiteral("hotově     ")),
             qPrintable(t.watcher->texts().first()));
    QVERIFY(t.watcher->texts().first().contains(QStringLiteral("100")));
}

void TestProductList::salesReportsWindow()
{
    t.start();
    QTRY_VERIFY(t.codeField()->hasFocus());
    t.inModal(
        QStringLiteral("Tržby za období"),
        [](QWidget &dialog) {
            auto *branch = dialog.findChild<QLineEdit *>(QStringLiteral("stredisko"));
            QCOMPARE(branch->text(), QStringLiteral("777"));
            QVERIFY(branch->isReadOnly());
            dialog.close();
        },
        [&] { QTest::keyClick(t.codeField(), Qt::Key_F10); });
    // Closing dropped the work tables, absent or not.
    QTRY_VERIFY(t.codeField()->hasFocus());
    QVERIFY(t.screen->session().scalar(QStringLiteral("show tables like 'tmp05trz%'")).isNull());
}

QTEST_MAIN(TestProductList)
#include "test_product_list.moc"
