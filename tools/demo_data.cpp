// Writes SQL that fills an empty shop database with a believable demo shop:
// branches, products with EANs and quick numbers, customer cards, a year of
// receipts, goods receipts, delivery notes, terminal notes and a cash book.
// The same arguments always give the same data.

#include "devices/text_utils.h"
#include "store/sql_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace {

// splitmix64: small, fast, and the same on every platform.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % std::uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t m_state;
};

struct Base
{
    const char *name;
    const char *shortName;
    const char *mj;
    bool pieces;  // sold in whole pieces only
    double price; // with VAT
    int dph;
    const char *group;
};

const std::array<Base, 40> kBases = {{
    {"Rohlík tukový", "Rohlik", "ks", true, 3.9, 15, "pečivo"},
    {"Chléb kmínový", "Chleb kmin", "ks", true, 39.9, 15, "pečivo"},
    {"Houska cereální", "Houska cer", "ks", true, 7.5, 15, "pečivo"},
    {"Mléko polotučné 1 l", "Mleko 1l", "ks", true, 24.9, 15, "mléčné"},
    {"Máslo 250 g", "Maslo", "ks", true, 54.9, 15, "mléčné"},
    {"Jogurt bílý 150 g", "Jogurt bily", "ks", true, 12.9, 15, "mléčné"},
    {"Eidam 30 %", "Eidam 30", "kg", false, 189.0, 15, "mléčné"},
    {"Tvaroh měkký 250 g", "Tvaroh", "ks", true, 29.9, 15, "mléčné"},
    {"Šunka dušená", "Sunka dus", "kg", false, 249.0, 15, "uzeniny"},
    {"Salám Vysočina", "Vysocina", "kg", false, 329.0, 15, "uzeniny"},
    {"Párky jemné", "Parky", "kg", false, 159.0, 15, "uzeniny"},
    {"Kuřecí prsní řízky", "Kure rizky", "kg", false, 219.0, 15, "maso"},
    {"Vepřová krkovice", "Krkovice", "kg", false, 169.0, 15, "maso"},
    {"Jablka červená", "Jablka", "kg", false, 39.9, 15, "ovoce"},
    {"Banány", "Banany", "kg", false, 34.9, 15, "ovoce"},
    {"Brambory konzumní", "Brambory", "kg", false, 19.9, 15, "zelenina"},
    {"Cibule žlutá", "Cibule", "kg", false, 24.9, 15, "zelenina"},
    {"Rajčata keříková", "Rajcata", "kg", false, 79.9, 15, "zelenina"},
    {"Mouka hladká 1 kg", "Mouka hl", "ks", true, 19.9, 15, "trvanlivé"},
    {"Cukr krystal 1 kg", "Cukr", "ks", true, 24.9, 15, "trvanlivé"},
    {"Těstoviny vřetena 500 g", "Testoviny", "ks", true, 29.9, 15, "trvanlivé"},
    {"Rýže dlouhozrnná 1 kg", "Ryze", "ks", true, 44.9, 15, "trvanlivé"},
    {"Káva mletá 250 g", "Kava", "ks", true, 99.9, 15, "trvanlivé"},
    {"Čaj černý 20 sáčků", "Caj cerny", "ks", true, 34.9, 15, "trvanlivé"},
    {"Čokoláda mléčná 100 g", "Cokolada", "ks", true, 32.9, 15, "sladkosti"},
    {"Sušenky máslové", "Susenky", "ks", true, 24.9, 15, "sladkosti"},
    {"Minerální voda 1,5 l", "Voda 1,5l", "ks", true, 14.9, 15, "nápoje"},
    {"Limonáda pomerančová 2 l", "Limonada", "ks", true, 29.9, 21, "nápoje"},
    {"Pivo světlé výčepní 0,5 l", "Pivo 10", "ks", true, 17.9, 21, "nápoje"},
    {"Víno bílé suché 0,75 l", "Vino bile", "ks", true, 119.0, 21, "nápoje"},
    {"Prací prášek 3 kg", "Praci pr", "ks", true, 219.0, 21, "drogerie"},
    {"Mýdlo tekuté 500 ml", "Mydlo tek", "ks", true, 49.9, 21, "drogerie"},
    {"Toaletní papír 8 rolí", "Toal papir", "ks", true, 89.9, 21, "drogerie"},
    {"Zubní pasta 75 ml", "Zub pasta", "ks", true, 44.9, 21, "drogerie"},
    {"Baterie AA 4 ks", "Baterie AA", "ks", true, 79.0, 21, "ostatní"},
    {"Noviny denní", "Noviny", "ks", true, 25.0, 10, "tisk"},
    {"Časopis týdeník", "Casopis", "ks", true, 49.0, 10, "tisk"},
    {"Kniha křížovek", "Krizovky", "ks", true, 39.0, 10, "tisk"},
    {"Dárkový poukaz", "Poukaz", "ks", true, 500.0, 0, "ostatní"},
    {"Igelitová taška", "Taska", "ks", true, 2.0, 21, "ostatní"},
}};

struct Product
{
    QString jkpov, nazev, zkratka, mj, ean, skupina;
    bool pieces;
    double pcsd, pc, nc, slevakc;
    int dph, fofr;
};

struct Args
{
    int branches, products, cards, receiptLines, terminalNotes, goodsReceipts, deliveryNotes;
    QDate end;
    std::uint64_t seed;
};

QString q(const QString &v)
{
    return sql::quote(v);
}

QString num(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

double round4(double v)
{
    return std::round(v * 10000.0) / 10000.0;
}

QString branchCode(int i)
{
    return i == 0 ? QStringLiteral("777") : QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}

QString ean13(std::uint64_t body12)
{
    QString digits = QStringLiteral("%1").arg(body12, 12, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits.at(i).digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

// Collects rows and writes them as multi-row INSERTs.
class Inserter
{
public:
    Inserter(QTextStream &out, QString head) : m_out(out), m_head(std::move(head)) {}
    ~Inserter() { flush(); }
    void add(const QString &row)
    {
        m_rows.append(row);
        if (m_rows.size() >= 500)
            flush();
    }
    void flush()
    {
        if (m_rows.isEmpty())
            return;
        m_out << m_head << " VALUES\n" << m_rows.join(QStringLiteral(",\n")) << ";\n";
        m_rows.clear();
    }

private:
    QTextStream &m_out;
    QString m_head;
    QStringList m_rows;
};

std::vector<Product> makeProducts(Rng &rng, int count)
{
    std::vector<Product> products;
    for (int i = 0; i < count; ++i) {
        const Base &b = kBases[i % kBases.size()];
        const int variant = i / int(kBases.size());
        Product p;
        p.jkpov = QString::number(100001 + i);
        p.nazev = QString::fromUtf8(b.name);
        p.zkratka = QString::fromUtf8(b.shortName);
        if (variant > 0) {
            p.nazev = (p.nazev + QStringLiteral(" %1").arg(variant)).left(40);
            p.zkratka = (p.zkratka + QStringLiteral(" %1").arg(variant)).left(20);
        }
        p.mj = QString::fromUtf8(b.mj);
        p.pieces = b.pieces;
        p.skupina = QString::fromUtf8(b.group);
        p.dph = b.dph;
        p.pcsd = round2(b.price * (1.0 + 0.05 * (variant % 7)));
        p.pc = round4(p.pcsd / (1.0 + b.dph / 100.0));
        p.nc = round4(p.pc * (0.7 + 0.01 * rng.below(15)));
        p.slevakc = i % 23 == 5 ? round2(p.pcsd * 0.1) : 0.0;
        p.ean = ean13(859000000000ULL + std::uint64_t(i) * 7 + 3);
        p.fofr = i < std::min(count, 200) && i % 2 == 0 ? i / 2 + 1 : 0;
        products.push_back(p);
    }
    return products;
}

void writeBranches(QTextStream &out, const Args &a)
{
    static const char *towns[] = {"Praha",   "Brno",      "Ostrava", "Plzeň", "Olomouc",
                                  "Liberec", "Pardubice", "Zlín",    "Kolín", "Tábor"};
    Inserter ins(out, QStringLiteral("INSERT INTO strediska (stredisko, nazev, ulice, mesto, psc, "
                                     "telefon, ico, dic, evid_platby)"));
    for (int b = 0; b < a.branches; ++b) {
        const QString town = QString::fromUtf8(towns[b % 10]);
        const QString ico = QString::number(25000000 + b * 1013);
        ins.add(QStringLiteral("(%1,%2,%3,%4,%5,%6,%7,%8,%9)")
                    .arg(q(branchCode(b)), q(QStringLiteral("Smíšené zboží %1").arg(town)),
                         q(QStringLiteral("Nádražní %1").arg(b + 12)), q(town),
                         q(QStringLiteral("%1 00").arg(110 + b * 37)),
                         q(QStringLiteral("+420 602 %1").arg(100200 + b)), q(ico),
                         q(QStringLiteral("CZ") + ico),
                         q(b % 2 ? QStringLiteral("N") : QStringLiteral("A"))));
    }
}

void writeProducts(QTextStream &out, const Args &a, const std::vector<Product> &products)
{
    Inserter ins(
        out, QStringLiteral(
                 "INSERT INTO seznam (stredisko, jkpov, nazev, zkratka, popis, popis2, povaha, mj, "
                 "pc, pcsd, dph, slevaproc, slevakc, nc, pnc, aktivni, fofrcislo, ean, skupina)"));
    Inserter extra(out, QStringLiteral("INSERT INTO seznamean (stredisko, ean, jkpov)"));
    for (int b = 0; b < a.branches; ++b) {
        const QString br = q(branchCode(b));
        for (std::size_t i = 0; i < products.size(); ++i) {
            const Product &p = products[i];
            const bool active = i % 97 != 96;
            ins.add(QStringLiteral(
                        "(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,%15,%16,%17,%18,%19)")
                        .arg(br, q(p.jkpov), q(p.nazev), q(p.zkratka), q(p.skupina), q(QString()),
                             q(p.pieces ? QStringLiteral("K") : QString()), q(p.mj), num(p.pc, 4))
                        .arg(num(p.pcsd, 4), QString::number(p.dph),
                             num(p.slevakc > 0 ? 10.0 : 0.0, 2), num(p.slevakc, 4), num(p.nc, 4),
                             num(p.nc, 4), q(active ? QStringLiteral("A") : QStringLiteral("N")),
                             QString::number(p.fofr), q(p.ean), q(p.skupina)));
            if (i % 10 == 3)
                extra.add(QStringLiteral("(%1,%2,%3)")
                              .arg(br, q(ean13(859100000000ULL + i)), q(p.jkpov)));
        }
    }
}

void writeCards(QTextStream &out, const Args &a)
{
    static const char *firms[] = {"Stavby Novák s.r.o.",  "Pekařství Dvořák", "Hospoda U Lípy",
                                  "Školní jídelna Sever", "Autoservis Král",  "Květinářství Růže"};
    Inserter ins(out, QStringLiteral("INSERT INTO zakarty (cislokarty, sleva, nazevpodni, ico)"));
    for (int c = 0; c < a.cards; ++c) {
        ins.add(QStringLiteral("(%1,%2,%3,%4)")
                    .arg(q(QStringLiteral("%1").arg(2000 + c)), QString::number(5 * (1 + c % 3)),
                         q(QString::fromUtf8(firms[c % 6]) +
                           (c >= 6 ? QStringLiteral(" %1").arg(c) : QString())),
                         q(QString::number(40000000 + c * 17))));
    }
}

struct Line
{
    const Product *p;
    int pocet;
    double mnoz, pcsd, cenar0, cenar, sleva;
};

void writeReceipts(QTextStream &out, Rng &rng, const Args &a, const std::vector<Product> &products)
{
    if (a.receiptLines <= 0 || products.empty())
        return;
    // The 365 days before the end day, so that the demo's "today" starts empty.
    const QDateTime first(a.end.addDays(-365), QTime(7, 0));
    const int receipts = std::max(1, a.receiptLines * 2 / 9); // 4.5 lines on average
    const qint64 span = qint64(365) * 13 * 3600;              // open 7:00 to 20:00
    std::map<std::pair<int, int>, int> running;               // (branch, year) -> last number
    int written = 0;
    Inserter ins(
        out,
        QStringLiteral(
            "INSERT INTO uctenky (cisuctenky, datum, stredisko, jkpov, nazev, zkratka, popis, "
            "popis2, povaha, pocet, mnoz, mj, pc, pcsd0, slevaproc, slevakc, pcsd, dph, cenar0, "
            "cenar, sleva, cislokarty, soucetu, soucetuzao, typplatby, platil, id2, z0, z5, z1, "
            "z23, d5, d1, d23, vydejka, nc, stul, ean)"));
    for (int r = 0; r < receipts && written < a.receiptLines; ++r) {
        const qint64 offset = span * r / receipts;
        const QDateTime when = first.addDays(offset / (13 * 3600)).addSecs(offset % (13 * 3600));
        const int branch = rng.below(a.branches);
        const int number = ++running[{branch, when.date().year()}];
        const qint64 cisuctenky =
            (QString::number(when.date().year() - 2000) + branchCode(branch)).toLongLong() *
                100000 +
            number;
        const bool card = rng.chance(25);
        const int discount = a.cards > 0 && rng.chance(10) ? 5 * (1 + rng.below(3)) : 0;
        const QString cardNumber =
            discount ? QString::number(2000 + rng.below(a.cards)) : QString();

        const int count = std::min(1 + rng.below(8), a.receiptLines - written);
        std::vector<Line> lines;
        std::map<int, double> byRate;
        double total = 0;
        for (int l = 0; l < count; ++l) {
            const Product &p = products[std::size_t(rng.below(int(products.size())))];
            Line line{&p, p.pieces ? 1 + rng.below(3) : 1, 0, 0, 0, 0, 0};
            line.mnoz = p.pieces ? line.pocet : 0.1 * (1 + rng.below(20));
            const double listPrice = p.pcsd - p.slevakc;
            line.pcsd = round4(listPrice * (100 - discount) / 100.0);
            line.cenar0 = round2(p.pcsd * line.mnoz);
            line.cenar = round2(line.pcsd * line.mnoz);
            line.sleva = round2(listPrice * line.mnoz) - line.cenar;
            byRate[p.dph] += line.cenar;
            total += line.cenar;
            lines.push_back(line);
        }
        const double z0 = round2(byRate[0]);
        const double z5 = round2(byRate[15] / 1.15), d5 = round2(byRate[15] - z5);
        const double z1 = round2(byRate[10] / 1.10), d1 = round2(byRate[10] - z1);
        const double z23 = round2(byRate[21] / 1.21), d23 = round2(byRate[21] - z23);
        total = round2(total);
        const double rounded = std::round(total);
        const int paid = card ? 0 : int(std::ceil(rounded / 100.0) * 100);
        for (std::size_t l = 0; l < lines.size(); ++l) {
            const Line &line = lines[l];
            const Product &p = *line.p;
            ins.add(
                QStringLiteral(
                    "(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,%15,%16,%17,%18,%19,"
                    "%20,")
                    .arg(QString::number(cisuctenky), q(text::formatDateTime(when)),
                         q(branchCode(branch)), q(p.jkpov), q(p.nazev), q(p.zkratka), q(p.skupina),
                         q(QString()), q(p.pieces ? QStringLiteral("K") : QString()))
                    .arg(QString::number(line.pocet), num(line.mnoz, 3), q(p.mj), num(p.pc, 4),
                         num(p.pcsd, 4), num(p.slevakc > 0 ? 10.0 : 0.0, 2), num(p.slevakc, 4),
                         num(line.pcsd, 4), QString::number(p.dph))
                    .arg(num(line.cenar0, 2), num(line.cenar, 2)) +
                QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,%15,%16,%17,%18)")
                    .arg(num(line.sleva, 2),
                         cardNumber.isEmpty() ? QStringLiteral("NULL") : q(cardNumber),
                         num(total, 2), num(rounded, 2),
                         q(card ? QStringLiteral("K") : QStringLiteral("H")), QString::number(paid),
                         QString::number(l + 1), num(z0, 2), num(z5, 2))
                    .arg(num(z1, 2), num(z23, 2), num(d5, 2), num(d1, 2), num(d23, 2),
                         QStringLiteral("0"), num(p.nc, 4), q(QString()), q(QString())));
        }
        written += count;
    }
}

void writeStockDocuments(QTextStream &out, Rng &rng, const Args &a,
                         const std::vector<Product> &products)
{
    const QDate start = a.end.addDays(-364);
    {
        Inserter head(out, QStringLiteral("INSERT INTO prijem (cislodokla, datum, nazevpodni)"));
        Inserter lines(
            out,
            QStringLiteral(
                "INSERT INTO prirad (cislodokla, stredisko, jkpov, nazev, mnoz, nc, zustatek)"));
        // An opening stock for every product of every branch, then regular deliveries.
        for (int b = 0; b < a.branches; ++b) {
            const QString doc = QStringLiteral("P%1-0000").arg(branchCode(b));
            head.add(
                QStringLiteral("(%1,%2,%3)")
                    .arg(q(doc), q(text::formatDate(start)), q(QStringLiteral("Počáteční stav"))));
            for (const Product &p : products) {
                const int m = p.pieces ? 50 + rng.below(150) : 20 + rng.below(60);
                lines.add(QStringLiteral("(%1,%2,%3,%4,%5,%6,%7)")
                              .arg(q(doc), q(branchCode(b)), q(p.jkpov), q(p.nazev),
                                   QString::number(m), num(p.nc, 4), QString::number(m)));
            }
        }
        for (int d = 1; d <= a.goodsReceipts && !products.empty(); ++d) {
            const int b = rng.below(a.branches);
            const QString doc =
                QStringLiteral("P%1-%2").arg(branchCode(b)).arg(d, 4, 10, QLatin1Char('0'));
            head.add(QStringLiteral("(%1,%2,%3)")
                         .arg(q(doc), q(text::formatDate(start.addDays(rng.below(365)))),
                              q(QStringLiteral("Velkoobchod Jih a.s."))));
            for (int l = 0; l < 5 + rng.below(10); ++l) {
                const Product &p = products[std::size_t(rng.below(int(products.size())))];
                const int m = 10 + rng.below(50);
                lines.add(QStringLiteral("(%1,%2,%3,%4,%5,%6,%7)")
                              .arg(q(doc), q(branchCode(b)), q(p.jkpov), q(p.nazev),
                                   QString::number(m), num(p.nc, 4), QString::number(m)));
            }
        }
    }
    {
        Inserter head(out, QStringLiteral("INSERT INTO dl (cislodokla, datum, nazevpodni)"));
        Inserter lines(
            out,
            QStringLiteral("INSERT INTO dlrad (cislodokla, stredisko, jkpov, nazev, mnoz, nc)"));
        for (int d = 1; d <= a.deliveryNotes && !products.empty(); ++d) {
            const int b = rng.below(a.branches);
            const QString doc =
                QStringLiteral("D%1-%2").arg(branchCode(b)).arg(d, 4, 10, QLatin1Char('0'));
            head.add(QStringLiteral("(%1,%2,%3)")
                         .arg(q(doc), q(text::formatDate(start.addDays(rng.below(365)))),
                              q(QStringLiteral("Hospoda U Lípy"))));
            for (int l = 0; l < 2 + rng.below(6); ++l) {
                const Product &p = products[std::size_t(rng.below(int(products.size())))];
                lines.add(QStringLiteral("(%1,%2,%3,%4,%5,%6)")
                              .arg(q(doc), q(branchCode(b)), q(p.jkpov), q(p.nazev),
                                   QString::number(1 + rng.below(5)), num(p.nc, 4)));
            }
        }
    }
}

void writeTerminalNotes(QTextStream &out, Rng &rng, const Args &a,
                        const std::vector<Product> &products)
{
    Inserter ins(
        out,
        QStringLiteral("INSERT INTO dlterm (odberatel, datumcas, datum, cas, terminal, stredisko, "
                       "jkpov, mnoz, nazev, mj, pc, dph, pcsd)"));
    for (int n = 0; n < a.terminalNotes && !products.empty(); ++n) {
        const QDateTime when(a.end, QTime(8 + n % 10, (n * 7) % 60));
        const QString customer = QStringLiteral("ODB%1").arg(n + 1, 3, 10, QLatin1Char('0'));
        for (int l = 0; l < 3 + rng.below(6); ++l) {
            const Product &p = products[std::size_t(rng.below(int(products.size())))];
            ins.add(QStringLiteral("(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13)")
                        .arg(q(customer), q(text::formatDateTime(when)),
                             q(when.toString(QStringLiteral("dd.MM.yyyy"))),
                             q(when.toString(QStringLiteral("HH:mm"))), QString::number(1 + n % 2),
                             q(branchCode(0)), q(p.jkpov), QString::number(1 + rng.below(6)),
                             q(p.nazev))
                        .arg(q(p.mj), num(p.pc, 4), QString::number(p.dph), num(p.pcsd, 4)));
        }
    }
}

void writeCostsAndCashBook(QTextStream &out, Rng &rng, const Args &a)
{
    Inserter costs(out, QStringLiteral("INSERT INTO uctenkynakl (stredisko, jkpov, cenar, datum)"));
    Inserter cash(
        out, QStringLiteral("INSERT INTO kordan.pokladna (datum, stredisko, pohyb, kc, text)"));
    for (int b = 0; b < a.branches; ++b) {
        for (int m = 0; m < 12; ++m) {
            const QDate day = a.end.addMonths(-m);
            costs.add(QStringLiteral("(%1,%2,%3,%4)")
                          .arg(q(branchCode(b)), q(QStringLiteral("100001")),
                               num(500 + rng.below(2000), 2),
                               q(text::formatDate(day) + QStringLiteral(" 12:00:00"))));
            cash.add(QStringLiteral("(%1,%2,'P',%3,%4)")
                         .arg(q(text::formatDate(day)), q(branchCode(b)),
                              num(20000 + rng.below(10000), 2), q(QStringLiteral("Tržba"))));
            cash.add(QStringLiteral("(%1,%2,'V',%3,%4)")
                         .arg(q(text::formatDate(day)), q(branchCode(b)),
                              num(15000 + rng.below(8000), 2),
                              q(QStringLiteral("Odvod do banky"))));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes SQL for a demo shop to standard output."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options = {
        {QStringLiteral("branches"), QStringLiteral("Branches (the first is 777)."),
         QStringLiteral("n"), QStringLiteral("2")},
        {QStringLiteral("products"), QStringLiteral("Products of each branch."),
         QStringLiteral("n"), QStringLiteral("1000")},
        {QStringLiteral("cards"), QStringLiteral("Customer cards."), QStringLiteral("n"),
         QStringLiteral("50")},
        {QStringLiteral("receipt-lines"), QStringLiteral("Receipt lines over the last year."),
         QStringLiteral("n"), QStringLiteral("10000")},
        {QStringLiteral("terminal-notes"), QStringLiteral("Terminal delivery notes."),
         QStringLiteral("n"), QStringLiteral("5")},
        {QStringLiteral("goods-receipts"), QStringLiteral("Goods receipts."), QStringLiteral("n"),
         QStringLiteral("50")},
        {QStringLiteral("delivery-notes"), QStringLiteral("Delivery notes."), QStringLiteral("n"),
         QStringLiteral("30")},
        {QStringLiteral("end"), QStringLiteral("The day after the year of receipts (yyyy-mm-dd)."),
         QStringLiteral("date"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("n"),
         QStringLiteral("20151")},
    };
    parser.addOptions(options);
    parser.process(app);
    auto number = [&](const char *name) { return parser.value(QLatin1String(name)).toInt(); };
    Args a{std::max(1, number("branches")),
           std::max(0, number("products")),
           std::max(0, number("cards")),
           std::max(0, number("receipt-lines")),
           std::max(0, number("terminal-notes")),
           std::max(0, number("goods-receipts")),
           std::max(0, number("delivery-notes")),
           QDate::fromString(parser.value(QStringLiteral("end")), QStringLiteral("yyyy-MM-dd")),
           parser.value(QStringLiteral("seed")).toULongLong()};
    if (!a.end.isValid()) {
        QTextStream(stderr) << "--end: expected yyyy-mm-dd\n";
        return 2;
    }

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << "SET NAMES utf8mb4;\nSET autocommit=0;\n";
    Rng rng(a.seed);
    const std::vector<Product> products = makeProducts(rng, a.products);
    writeBranches(out, a);
    writeProducts(out, a, products);
    writeCards(out, a);
    writeReceipts(out, rng, a, products);
    writeStockDocuments(out, rng, a, products);
    writeTerminalNotes(out, rng, a, products);
    writeCostsAndCashBook(out, rng, a);
    out << "COMMIT;\n";
    return 0;
}
