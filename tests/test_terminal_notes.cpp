#include "reports/terminal_notes_window.h"
#include "sale/counter_sale.h"
#include "support/counter_screen.h"
#include "support/test_db.h"

#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QtTest>

// Terminal delivery notes on the counter-sale screen: listed per customer, taken
// over into the receipt, deleted by the commit that bills them.
class TestTerminalNotes : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { t.stop(); }
    void buttonFollowsTheSetting_data();
    void buttonFollowsTheSetting();
    void collectionsBecomeOneReceiptAtTodaysPrices();
    void backAfterTakeOverKeepsTheNote();
    void deleteAsksFirst();
    void emptyListEmptiesTheReceipt();

private:
    void startWithTerminal();
    // Opens "TERMINÁL" and runs `act` in the notes window.
    void inNotes(const std::function<void(TFztermuc &)> &act);
    // Chooses the note of `customer` and presses the button `button`.
    static void choose(TFztermuc &window, const QString &customer, const QString &button);
    QStringList noteCustomers();

    CounterScreen t;
};

static const QString kQuoted = QStringLiteral("O'B\\rien");

void TestTerminalNotes::init()
{
    CounterScreen::loadShop();
    // Customer ABC collected twice at old prices; O'B\rien once; another branch's note.
    QString sql;
    const auto add = [&sql](const QString &customer, const QString &when, const char *jkpov,
                            double mnoz, double pcsd, const char *branch = "777") {
        sql += QStringLiteral("insert into dlterm set odberatel=%1, datumcas='%2', datum='%3', "
                              "cas='%4', stredisko='%5', jkpov='%6', mnoz=%7, nazev='staré', "
                              "mj='ks', pc=%8, dph=15, pcsd=%8;")
                   .arg(QStringLiteral("'") +
                            QString(customer)
                                .replace(QLatin1String("\\"), QLatin1String("\\\\"))
                                .replace(QLatin1String("'"), QLatin1String("''")) +
                            QStringLiteral("'"),
                        when, when.left(10), when.mid(11, 5), QLatin1String(branch),
                        QLatin1String(jkpov))
                   .arg(mnoz)
                   .arg(pcsd);
    };
    add(QStringLiteral("ABC"), QStringLiteral("2026-12-10 08:00:00"), "100123", 2, 15);
    add(QStringLiteral("ABC"), QStringLiteral("2026-12-10 09:30:00"), "200123", 0.5, 80);
    add(kQuoted, QStringLiteral("2026-12-10 10:00:00"), "300300", 1, 900);
    add(QStringLiteral("ABC"), QStringLiteral("2026-12-10 10:00:00"), "100123", 9, 15, "888");
    testdb::rootSql(sql);
}

void TestTerminalNotes::startWithTerminal()
{
    CounterScreen::Options o;
    o.extraSettings = QStringLiteral("Terminal=1\n");
    t.start(o);
}

void TestTerminalNotes::inNotes(const std::function<void(TFztermuc &)> &act)
{
    QTRY_VERIFY(t.codeField()->hasFocus() && t.screen->hotKeysOn());
    t.inModal(
        QStringLiteral("Seznam pro vytvoření účtenky"),
        [&](QWidget &w) { act(static_cast<TFztermuc &>(w)); },
        [this] { t.screen->findChild<QPushButton *>(QStringLiteral("terminal"))->click(); });
    QTRY_VERIFY(t.codeField()->hasFocus() && t.screen->hotKeysOn());
}

void TestTerminalNotes::choose(TFztermuc &window, const QString &customer, const QString &button)
{
    auto *notes = window.findChild<QTableView *>(QStringLiteral("notes"));
    for (int row = 0; row < notes->model()->rowCount(); ++row) {
        notes->setCurrentIndex(notes->model()->index(row, 2));
        if (window.currentCustomer() == customer)
            break;
    }
    QCOMPARE(window.currentCustomer(), customer);
    window.findChild<QPushButton *>(button)->click();
}

QStringList TestTerminalNotes::noteCustomers()
{
    QStringList out;
    QSqlQuery q = t.screen->session().query(
        QStringLiteral("select distinct odberatel from dlterm where stredisko='777' order by 1"));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void TestTerminalNotes::buttonFollowsTheSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("missing") << "" << false;
    QTest::newRow("0") << "Terminal=0\n" << false;
    QTest::newRow("1") << "Terminal=1\n" << true;
    QTest::newRow("5") << "Terminal=5\n" << true;
}

void TestTerminalNotes::buttonFollowsTheSetting()
{
    QFETCH(QString, setting);
    QFETCH(bool, enabled);
    CounterScreen::Options o;
    o.extraSettings = setting;
    t.start(o);
    QCOMPARE(t.screen->findChild<QPushButton *>(QStringLiteral("terminal"))->isEnabled(), enabled);
}

void TestTerminalNotes::collectionsBecomeOneReceiptAtTodaysPrices()
{
    startWithTerminal();
    t.enter(QStringLiteral("300300"), QStringLiteral("1")); // replaced by the note
    inNotes([&](TFztermuc &w) {
        auto *notes = w.findChild<QTableView *>(QStringLiteral("notes"));
        QCOMPARE(notes->model()->rowCount(), 2); // one per customer of this branch
        // Today's prices: 2 x 20 + 0.5 x 100.
        auto *model = static_cast<QSqlQueryModel *>(notes->model());
        bool found = false;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->record(row).value(QStringLiteral("odberatel")).toString() ==
                QLatin1String("ABC")) {
                QCOMPARE(model->record(row).value(QStringLiteral("sumasd")).toDouble(), 90.0);
                QCOMPARE(model->record(row).value(QStringLiteral("cas")).toString(),
                         QStringLiteral("09:30"));
                found = true;
            }
        }
        QVERIFY(found);
        choose(w, QStringLiteral("ABC"), QStringLiteral("vytvorit"));
    });
    QCOMPARE(t.lines(),
             (QStringList{QStringLiteral("0/2/100123"), QStringLiteral("0/0.5/200123")}));
    QCOMPARE(t.screen->sale().total(), 90.0);
    QCOMPARE(t.count(QStringLiteral("from tmp05uct where nazev='Rohlík' and povaha='K'")), 1);
    QCOMPARE(t.screen->sale().receipt().deliveryCustomer, QStringLiteral("ABC"));

    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(noteCustomers(), QStringList{kQuoted});
    QCOMPARE(t.count(QStringLiteral("from dlterm where stredisko='888'")), 1);

    // A customer code with a quote and a backslash goes the same way.
    inNotes([&](TFztermuc &w) { choose(w, kQuoted, QStringLiteral("vytvorit")); });
    QCOMPARE(t.lines(), QStringList{QStringLiteral("0/1/300300")});
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(noteCustomers(), QStringList());
}

void TestTerminalNotes::backAfterTakeOverKeepsTheNote()
{
    startWithTerminal();
    inNotes([&](TFztermuc &w) { choose(w, QStringLiteral("ABC"), QStringLiteral("vytvorit")); });
    QCOMPARE(t.lines().size(), 2);
    inNotes([&](TFztermuc &w) { w.findChild<QPushButton *>(QStringLiteral("zpet"))->click(); });
    QCOMPARE(t.lines().size(), 2);
    QCOMPARE(t.screen->sale().receipt().deliveryCustomer, QString());
    t.pay([](TFplatit &d) { QTest::keyClick(&d, Qt::Key_F5); });
    QTRY_COMPARE(t.lines(), QStringList());
    QCOMPARE(noteCustomers(), (QStringList{QStringLiteral("ABC"), kQuoted}));
}

void TestTerminalNotes::deleteAsksFirst()
{
    startWithTerminal();
    t.watcher->answerWith(QStringLiteral("Ne"));
    inNotes([&](TFztermuc &w) {
        choose(w, kQuoted, QStringLiteral("smazat"));
        QCOMPARE(w.findChild<QTableView *>(QStringLiteral("notes"))->model()->rowCount(), 2);
        w.reject();
    });
    QCOMPARE(t.watcher->texts(), QStringList{QStringLiteral("Opravdu smazat záznam?")});
    QCOMPARE(noteCustomers().size(), 2);
    t.watcher->answerWith(QStringLiteral("Smazat"));
    inNotes([&](TFztermuc &w) {
        choose(w, kQuoted, QStringLiteral("smazat"));
        QCOMPARE(w.findChild<QTableView *>(QStringLiteral("notes"))->model()->rowCount(), 1);
        QCOMPARE(w.currentCustomer(), QStringLiteral("ABC")); // the next note and its lines
        QCOMPARE(w.findChild<QTableView *>(QStringLiteral("noteLines"))->model()->rowCount(), 2);
        w.reject();
    });
    QCOMPARE(noteCustomers(), QStringList{QStringLiteral("ABC")});
    QCOMPARE(t.count(QStringLiteral("from dlterm where stredisko='888'")), 1);
}

void TestTerminalNotes::emptyListEmptiesTheReceipt()
{
    testdb::rootSql(QStringLiteral("delete from dlterm;"));
    startWithTerminal();
    t.enter(QStringLiteral("300300"), QStringLiteral("1"));
    QTRY_COMPARE(t.lines().size(), 1);
    inNotes([&](TFztermuc &w) {
        QCOMPARE(w.currentCustomer(), QString());
        QCOMPARE(w.findChild<QTableView *>(QStringLiteral("noteLines"))->model()->rowCount(), 0);
        w.findChild<QPushButton *>(QStringLiteral("vytvorit"))->click();
    });
    QCOMPARE(t.lines(), QStringList());
}

QTEST_MAIN(TestTerminalNotes)
#include "test_terminal_notes.moc"
