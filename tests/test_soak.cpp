#include "app/station.h"
#include "sale/counter_sale.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "support/test_db.h"
#include "support/working_folder.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <map>
#include <memory>
#include <mutex>

// A busy day: eight workstations commit at once — cash, card with a discount,
// refunds and corrections — in branches they partly share. Afterwards every
// number is used once and without gaps, every work receipt is empty and the
// stored amounts are what was entered. PRODEJ_SOAK_RECEIPTS sets the receipts per
// workstation (40 by default; the README's soak command runs 500).
class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void busyDay();

private:
    TemporaryWorkingFolder m_dir; // trace files land here
};

namespace {

const QStringList kCodes{QStringLiteral("8590000000011"), QStringLiteral("8590000000028"),
                         QStringLiteral("8590000000035"), QStringLiteral("8590000000042")};

// What one workstation did, for the checks afterwards.
struct Tally
{
    QString stredisko;
    QList<qint64> numbers;  // every number its commits were given
    double entered = 0;     // list prices entered, refunds and reversals negative
    double cardEntered = 0; // of that, paid by card with the 10 % discount
    int retried = 0;        // commits tried again after a failure
    bool workReceiptEmpty = false;
    QString problem; // what went wrong, when something did
};

// The cashier presses PLATBA again after a failure; the receipt is still whole.
qint64 commitWithRetries(Tally &tally, const std::function<qint64()> &commit)
{
    for (int attempt = 1;; ++attempt) {
        try {
            return commit();
        } catch (const DbError &) {
            if (attempt == 5)
                throw;
            ++tally.retried;
        }
    }
}

void runWorkstation(int index, int receipts, Tally &tally)
{
    Station station;
    DbSession session;
    CounterSale sale(station, session);
    sale.start(testdb::config(QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0')),
                              tally.stredisko));
    QList<std::pair<qint64, double>> ownCash; // committed cash receipts and their totals
    for (int r = 0; r < receipts; ++r) {
        const int kind = r % 5;
        if (kind == 3 && !ownCash.isEmpty()) { // refund of an earlier receipt
            const auto [number, total] = ownCash.takeFirst();
            sale.copyForRefund(number);
            if (qRound64(sale.total() * 100) != qRound64(total * 100))
                tally.problem = QStringLiteral("receipt %1 copied with %2 instead of %3")
                                    .arg(number)
                                    .arg(sale.total())
                                    .arg(total);
            tally.numbers << commitWithRetries(tally, [&] { return sale.refund(); });
            tally.entered -= total;
            continue;
        }
        if (kind == 4 && !ownCash.isEmpty()) { // correction: the old one reversed, a new one
            const auto [number, total] = ownCash.takeFirst();
            sale.loadForCorrection(number);
            sale.enterCode(QStringLiteral("1°°") + kCodes.at(r % kCodes.size()));
            const double corrected = sale.SpoctiSoucet();
            sale.receipt().paymentMode = PaymentMode::Cash;
            sale.receipt().paid = 100000;
            const qint64 n = commitWithRetries(tally, [&] { return sale.UlozUcte(); });
            tally.numbers << n << n + 1; // the new receipt and the reversal after it
            tally.entered += corrected - total;
            continue;
        }
        for (int line = 0; line <= r % 3; ++line) {
            const EntryOutcome o = sale.enterCode(
                QStringLiteral("%1°°%2").arg(line + 1).arg(kCodes.at((r + line) % 4)));
            if (o.result != EntryOutcome::Result::Written)
                tally.problem =
                    QStringLiteral("not written: %1 %2").arg(int(o.result)).arg(o.message);
        }
        const double total = sale.SpoctiSoucet();
        const bool card = kind == 1;
        sale.receipt().paymentMode = card ? PaymentMode::Card : PaymentMode::Cash;
        sale.receipt().cardDiscount = card ? 10 : 0;
        sale.receipt().cardNumber = card ? QStringLiteral("900001") : QString();
        sale.receipt().paid = card ? 0 : 100000;
        const qint64 n = commitWithRetries(tally, [&] { return sale.UlozUcte(); });
        tally.numbers << n;
        tally.entered += total;
        if (card)
            tally.cardEntered += total;
        else
            ownCash << std::pair{n, total};
    }
    tally.workReceiptEmpty = !sale.hasLines();
    sale.close();
}

void workstation(int index, int receipts, Tally &tally)
{
    try {
        runWorkstation(index, receipts, tally);
    } catch (const std::exception &e) {
        tally.problem = QString::fromUtf8(e.what());
    }
}

} // namespace

void TestSoak::initTestCase()
{
    testdb::reset();
    QString products;
    for (const char *branch : {"777", "12", "13"}) {
        for (int i = 0; i < kCodes.size(); ++i)
            products +=
                QStringLiteral("insert into seznam set stredisko='%1', jkpov='P%2', "
                               "nazev='Zboží %2', ean='%3', mj='ks', povaha='K', pcsd=%4, dph=21, "
                               "stav=1000000, aktivni='A';")
                    .arg(QLatin1String(branch))
                    .arg(i + 1)
                    .arg(kCodes.at(i))
                    .arg(12.5 + 10 * i);
        products +=
            QStringLiteral("insert into strediska set stredisko='%1';").arg(QLatin1String(branch));
    }
    testdb::rootSql(products + QStringLiteral("insert into zakarty set cislokarty='900001', "
                                              "sleva=10, nazevpodni='Firma';"));
}

void TestSoak::busyDay()
{
    const int receipts = std::max(5, qEnvironmentVariableIntValue("PRODEJ_SOAK_RECEIPTS") > 0
                                         ? qEnvironmentVariableIntValue("PRODEJ_SOAK_RECEIPTS")
                                         : 40);
    // Four tills in the main shop, two in the second, one each in the others.
    const QStringList branches{QStringLiteral("777"), QStringLiteral("777"), QStringLiteral("777"),
                               QStringLiteral("777"), QStringLiteral("12"),  QStringLiteral("12"),
                               QStringLiteral("13"),  QStringLiteral("777")};
    std::vector<Tally> tallies(branches.size());
    std::vector<std::unique_ptr<QThread>> threads;
    QElapsedTimer clock;
    clock.start();
    for (int w = 0; w < branches.size(); ++w) {
        tallies[w].stredisko = branches.at(w);
        threads.emplace_back(
            QThread::create([w, receipts, &tallies] { workstation(w, receipts, tallies[w]); }));
        threads.back()->start();
    }
    for (auto &t : threads)
        t->wait();
    const double seconds = clock.elapsed() / 1000.0;

    DbSession db;
    db.open(testdb::settings());
    std::map<QString, QList<qint64>> numbersOf;
    double entered = 0, cardEntered = 0;
    int retried = 0, commits = 0;
    for (const Tally &t : tallies) {
        QVERIFY2(t.problem.isEmpty(), qPrintable(t.problem));
        QVERIFY2(t.workReceiptEmpty, qPrintable(t.stredisko));
        numbersOf[t.stredisko] << t.numbers;
        entered += t.entered;
        cardEntered += t.cardEntered;
        retried += t.retried;
        commits += t.numbers.size();
    }
    for (auto &[branch, numbers] : numbersOf) {
        std::sort(numbers.begin(), numbers.end());
        QVERIFY2(std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end(),
                 qPrintable(QStringLiteral("a number of branch %1 given twice").arg(branch)));
        QCOMPARE(numbers.last() - numbers.first() + 1, qint64(numbers.size())); // no gaps
        // The stored receipts are exactly these.
        QSqlQuery q = db.query(
            QStringLiteral("select count(distinct cisuctenky), min(cisuctenky), max(cisuctenky) "
                           "from uctenky where stredisko='%1'")
                .arg(branch));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), qint64(numbers.size()));
        QCOMPARE(q.value(1).toLongLong(), numbers.first());
        QCOMPARE(q.value(2).toLongLong(), numbers.last());
    }
    // Amounts at list price as entered; the card discount only lowers `cenar`.
    const double stored = db.scalar(QStringLiteral("select sum(cenar0) from uctenky")).toDouble();
    QCOMPARE(qRound64(stored * 100), qRound64(entered * 100));
    const double discount =
        db.scalar(QStringLiteral("select sum(cenar0 - cenar) from uctenky")).toDouble();
    QCOMPARE(qRound64(discount * 100), qRound64(cardEntered * 10)); // 10 % of the card receipts
    qInfo("%d workstations, %d receipts each: %d numbers given in %.1f s (%.0f per second), "
          "%d commits tried again, %.2f Kč entered, %.2f Kč card discount",
          int(branches.size()), receipts, commits, seconds, commits / seconds, retried, entered,
          discount);
}

QTEST_GUILESS_MAIN(TestSoak)
#include "test_soak.moc"
