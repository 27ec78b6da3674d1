#include "app/station.h"
#include "app/user_error.h"
#include "reports/sales_reports.h"
#include "sale/counter_sale.h"
#include "sale/payment.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "support/test_db.h"
#include "support/working_folder.h"
#include "tables/table_map.h"
#include "tables/table_sale.h"

#include <QtTest>

#include <functional>

// What a person types, and what the database hands back, at its most awkward:
// every field gives a correct result or a Czech message, never a crash, a raw
// database error or a value that runs as SQL.
class TestHostileInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void typedFields_data();
    void typedFields();
    void textFromTheDatabase();

private:
    TemporaryWorkingFolder m_dir; // trace files land here
};

namespace {

// How one attempt ended.
QString outcome(const std::function<QString()> &attempt)
{
    try {
        return attempt();
    } catch (const UserError &e) {
        return QStringLiteral("message: ") + e.message();
    } catch (const DbError &e) {
        // Only errors the cashier gets in Czech words of their own are acceptable.
        return e.cashierMessage().startsWith(QStringLiteral("Chyba databáze."))
                   ? QStringLiteral("RAW DATABASE ERROR %1: %2").arg(e.code()).arg(e.text())
                   : QStringLiteral("message: ") +
                         e.cashierMessage().section(QLatin1Char('\n'), 0, 0);
    }
}

QString entry(const EntryOutcome &o)
{
    switch (o.result) {
    case EntryOutcome::Result::Written:
        return QStringLiteral("written");
    case EntryOutcome::Result::Prompt:
        return QStringLiteral("prompt");
    case EntryOutcome::Result::Nothing:
        return QStringLiteral("nothing");
    default:
        return QStringLiteral("message: ") + o.message;
    }
}

const QString kLong = QString(10000, QLatin1Char('7'));
const QString kNul = QString::fromUtf16(u"12\u00003", 4);

} // namespace

void TestHostileInput::initTestCase()
{
    testdb::reset();
    testdb::rootSql(QStringLiteral(
        "insert into strediska set stredisko='777';"
        "insert into seznam set stredisko='777', jkpov='P1', nazev='Rohlík', ean='8590000000011', "
        "povaha='K', mj='ks', pcsd=12.5, dph=21, stav=1000, aktivni='A';"
        "insert into seznam set stredisko='777', jkpov='V1', nazev='Sýr', ean='8590000000028', "
        "povaha='', mj='kg', pcsd=200, dph=15, stav=1000, aktivni='A';"
        "insert into zakarty set cislokarty='777001', sleva=7, nazevpodni='Firma';"));
}

void TestHostileInput::typedFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // empty: any result but a raw error
    const QList<std::pair<const char *, QString>> awkward{
        {"quote", QStringLiteral("'")},
        {"quote break-out", QStringLiteral("x' or '1'='1")},
        {"backslash", QStringLiteral("\\")},
        {"backslash quote", QStringLiteral("\\'; drop table uctenky; --")},
        {"NUL", kNul},
        {"10,000 characters", kLong},
        {"outside Windows-1250", QStringLiteral("日本語 😀")},
        {"negative", QStringLiteral("-5")},
        {"zero", QStringLiteral("0")},
        {"huge", QStringLiteral("99999999999999999999")},
        {"decimal comma", QStringLiteral("1,5")},
        {"decimal point", QStringLiteral("1.5")},
    };
    for (const char *field : {"code", "quantity before code", "quantity prompt", "card number",
                              "table name", "price change", "report branch", "report product"}) {
        for (const auto &[name, typed] : awkward)
            QTest::addRow("%s: %s", field, name)
                << QString::fromLatin1(field) << typed << QString();
    }
    // Where the answer is known exactly.
    QTest::addRow("code: unknown") << QStringLiteral("code") << QStringLiteral("x' or '1'='1")
                                   << QStringLiteral("message: ") + CounterSale::kNotFound;
    QTest::addRow("quantity before code: negative")
        << QStringLiteral("quantity before code") << QStringLiteral("-5")
        << QStringLiteral("message: ") + CounterSale::kNotPositive;
    QTest::addRow("quantity before code: zero")
        << QStringLiteral("quantity before code") << QStringLiteral("0")
        << QStringLiteral("message: ") + CounterSale::kNotPositive;
    QTest::addRow("code: outside Windows-1250")
        << QStringLiteral("code") << QStringLiteral("日本語")
        << QStringLiteral("message: ") + CounterSale::kNotFound;
    QTest::addRow("report product: outside Windows-1250")
        << QStringLiteral("report product") << QStringLiteral("日本語") << QStringLiteral("0 rows");
    QTest::addRow("quantity prompt: comma")
        << QStringLiteral("quantity prompt") << QStringLiteral("1,5")
        << QStringLiteral("written 300");
    QTest::addRow("quantity prompt: point")
        << QStringLiteral("quantity prompt") << QStringLiteral("1.5")
        << QStringLiteral("written 300");
    QTest::addRow("card number: quote")
        << QStringLiteral("card number") << QStringLiteral("777001'") << QStringLiteral("no card");
    QTest::addRow("table name: quote") << QStringLiteral("table name") << QStringLiteral("U'Nováků")
                                       << QStringLiteral("written U'Nováků");
    QTest::addRow("table name: digit") << QStringLiteral("table name") << QStringLiteral("7")
                                       << QStringLiteral("message: ") + tablemap::kDigitFirst;
    QTest::addRow("report branch: break-out")
        << QStringLiteral("report branch") << QStringLiteral("x' or '1'='1")
        << QStringLiteral("0 rows");
}

void TestHostileInput::typedFields()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("01")));
    const auto amount = [&] { return QString::number(sale.SpoctiSoucet()); };

    QString got;
    if (field == QLatin1String("code")) {
        got = outcome([&] { return entry(sale.enterCode(typed)); });
    } else if (field == QLatin1String("quantity before code")) {
        got = outcome([&] {
            const QString e = entry(sale.enterCode(typed + QStringLiteral("°°8590000000011")));
            return e == QLatin1String("written") ? e + QLatin1Char(' ') + amount() : e;
        });
    } else if (field == QLatin1String("quantity prompt")) {
        QCOMPARE(entry(sale.enterCode(QStringLiteral("8590000000028"))), QStringLiteral("prompt"));
        got = outcome([&] {
            const QString e = entry(sale.leaveQuantityPrompt(typed));
            return e == QLatin1String("written") ? e + QLatin1Char(' ') + amount() : e;
        });
    } else if (field == QLatin1String("card number")) {
        CardList cards;
        cards.load(session);
        got = outcome(
            [&] { return cards.find(typed) ? QStringLiteral("card") : QStringLiteral("no card"); });
    } else if (field == QLatin1String("table name")) {
        testdb::rootSql(QStringLiteral("drop table if exists tmp02uct")); // no earlier orders
        DbSession tableSession;
        TableSale table(station, tableSession);
        table.start(testdb::config(QStringLiteral("02")));
        got = outcome([&] {
            const tablemap::NameChoice choice = tablemap::nameChoice(typed);
            if (!choice.refusal.isEmpty())
                return QStringLiteral("message: ") + choice.refusal;
            table.setCurrentTable(choice.tableId);
            const QString written = entry(table.enterCode(QStringLiteral("1°°8590000000011")));
            if (written != QLatin1String("written"))
                return written;
            // The order is found again under its name.
            const QList<tablemap::OpenOrder> orders =
                tablemap::openOrders(tableSession, QStringLiteral("02"));
            return orders.size() == 1 && orders.first().tableId == choice.tableId
                       ? QStringLiteral("written ") + choice.tableId
                       : QStringLiteral("order lost");
        });
        table.close();
    } else if (field == QLatin1String("price change")) {
        sale.enterCode(QStringLiteral("1°°8590000000011"));
        const int id2 = session.scalar(QStringLiteral("select max(id2) from tmp01uct")).toInt();
        got = outcome([&] {
            bool ok = false;
            const double price =
                QString(typed).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok)
                return QStringLiteral("not a number"); // the dialog's field takes numbers only
            sale.changePrice(id2, price, 0, 0);
            return QStringLiteral("changed ") + amount();
        });
    } else {
        SalesReportRequest r;
        r.kind = 3;
        r.from = QDate(2015, 1, 1);
        r.to = QDate(2030, 1, 1);
        r.cisloPC = QStringLiteral("01");
        (field == QLatin1String("report branch") ? r.stredisko : r.jkpov) = typed;
        got = outcome([&] {
            QSqlQuery rows = querySalesReport(session, r);
            int n = 0;
            while (rows.next())
                ++n;
            return QStringLiteral("%1 rows").arg(n);
        });
    }
    qInfo("%s", qPrintable(got.left(120)));
    QVERIFY2(!got.startsWith(QStringLiteral("RAW")), qPrintable(got.left(300)));
    QVERIFY2(got != QLatin1String("order lost"), qPrintable(got));
    if (!expected.isEmpty())
        QCOMPARE(got, expected);
    // Nothing ran as SQL: the stored receipts and the product list are as they were.
    QCOMPARE(session.scalar(QStringLiteral("select count(*) from uctenky")).toInt(), 0);
    QCOMPARE(session.scalar(QStringLiteral("select count(*) from seznam")).toInt(), 2);
    sale.close();
}

void TestHostileInput::textFromTheDatabase()
{
    // A product name, a customer card and a terminal customer written by other
    // software, with quotes, backslashes and a statement inside.
    const QString name = QStringLiteral("Rum 'Jamajka' \\; drop table seznam; --");
    const QString cardNo = QStringLiteral("77'\\01");
    testdb::rootSql(QStringLiteral("insert into seznam set stredisko='777', jkpov='R''1', "
                                   "nazev='Rum \\'Jamajka\\' \\\\; drop table seznam; --', "
                                   "ean='8590000000035', povaha='K', mj='ks', pcsd=300, dph=21, "
                                   "stav=10, aktivni='A';"
                                   "insert into zakarty set cislokarty='77\\'\\\\01', sleva=10, "
                                   "nazevpodni='Firma \\'A\\'';"));
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("01")));
    QCOMPARE(entry(sale.enterCode(QStringLiteral("1°°8590000000035"))), QStringLiteral("written"));
    QCOMPARE(session.scalar(QStringLiteral("select nazev from tmp01uct")).toString(), name);
    CardList cards;
    cards.load(session);
    const std::optional<CustomerCard> card = cards.find(cardNo);
    QVERIFY(card);
    sale.receipt().paymentMode = PaymentMode::Card;
    sale.receipt().cardDiscount = card->discount;
    sale.receipt().cardNumber = card->number;
    const qint64 n = sale.UlozUcte();
    QSqlQuery q = session.query(
        QStringLiteral("select nazev, jkpov, cislokarty, cenar from uctenky where cisuctenky=%1")
            .arg(n));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), name);
    QCOMPARE(q.value(1).toString(), QStringLiteral("R'1"));
    QCOMPARE(q.value(2).toString(), cardNo);
    QCOMPARE(q.value(3).toDouble(), 270.0); // the card's 10 %
    QCOMPARE(session.scalar(QStringLiteral("select count(*) from seznam")).toInt(), 3);
    sale.close();
}

QTEST_GUILESS_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
