#include "sale/counter_sale.h"

#include "app/station.h"
#include "app/user_error.h"
#include "devices/cp1250.h"
#include "devices/text_utils.h"
#include "reports/terminal_notes.h"
#include "sale/item_entry.h"
#include "sale/receipt_commit.h"
#include "sale/receipt_lines.h"
#include "sale/receipt_scripts.h"
#include "store/db_session.h"
#include "store/sql_text.h"

#include <cmath>

namespace {

const QString kNotANumber = QStringLiteral("„%1“ není platné číslo.");

} // namespace

CounterSale::CounterSale(Station &station, DbSession &session)
    : m_station(station), m_session(session)
{}

void CounterSale::start(const Config &config)
{
    m_tables.reset();
    m_entry.reset();
    m_config = config;
    m_station.openSession(config, m_session);
    m_station.readIco(m_session);
    const WorkTables tables(m_station.cisloPC);
    tables.createForCounterSale(m_session);
    m_tables = tables;
    m_allowBelowStock = false;
    m_receipt = ReceiptState{};
    SpoctiSoucet();
}

void CounterSale::close()
{
    if (!m_tables)
        return;
    m_tables->dropAtClose(m_session, false);
    m_tables.reset();
}

std::optional<QSqlRecord> CounterSale::findProduct(QString code)
{
    // No stored code holds a character of another script; comparing with one
    // would only make the server refuse the statement.
    if (!cp1250::canEncode(code))
        return std::nullopt;
    const QString branch = sql::quote(m_station.stredisko);
    if (isQuickNumberCode(code)) {
        if (!isValidQuickNumber(code))
            return std::nullopt;
        QSqlQuery q = m_session.query(
            QStringLiteral("select FOFRCISLO,JKPOV from seznam\n where STREDISKO=") + branch +
            QStringLiteral("\n and FOFRCISLO=") + sql::quote(code) +
            QStringLiteral("\n and AKTIVNI=\"A\";"));
        if (!q.next())
            return std::nullopt;
        code = q.value(1).toString();
    }
    if (isEanCode(code)) {
        QSqlQuery q = m_session.query(
            QStringLiteral("select EAN,JKPOV from seznamean\n where STREDISKO=") + branch +
            QStringLiteral("\n and EAN=") + sql::quote(code) +
            QStringLiteral("\nUNION \nselect EAN,JKPOV from seznam\n where STREDISKO=") + branch +
            QStringLiteral("\n and EAN=") + sql::quote(code) +
            QStringLiteral("\n and AKTIVNI=\"A\""));
        if (!q.next())
            return std::nullopt;
        code = q.value(1).toString();
    }
    QSqlQuery q = m_session.query(QStringLiteral("select * from seznam\n where STREDISKO=") +
                                  branch + QStringLiteral("\n and JKPOV=") + sql::quote(code));
    if (!q.next())
        return std::nullopt;
    return q.record();
}

double CounterSale::quantityOnReceipt(const QString &jkpov)
{
    QSqlQuery q = m_session.query(QStringLiteral("select jkpov, mnoz from ") + m_tables->receipt() +
                                  QStringLiteral(" where jkpov=") + sql::quote(jkpov));
    double sum = 0;
    while (q.next()) {
        if (q.value(0).toString() == jkpov) // exactly, as the cashier's code
            sum += q.value(1).toDouble();
    }
    return sum;
}

bool CounterSale::passesStockCheck(const Entry &e) const
{
    if (!m_config.nepovolitDoMinusu || m_allowBelowStock)
        return true;
    const double stav = e.product.value(QStringLiteral("stav")).toDouble();
    return !(e.pocet * e.unitQuantity > stav - e.onReceipt);
}

EntryOutcome CounterSale::writeChecked(const Entry &e, const QString &refusal)
{
    EntryOutcome out;
    if (!passesStockCheck(e)) {
        out.result = EntryOutcome::Result::Abandoned;
        out.message = refusal;
        return out;
    }
    ZapisFofr(e.product, e.pocet, e.unitQuantity);
    out.result = EntryOutcome::Result::Written;
    return out;
}

EntryOutcome CounterSale::enterCode(const QString &text)
{
    m_entry.reset();
    EntryOutcome out;
    out.result = EntryOutcome::Result::Abandoned;
    if (!isReady() || text.isEmpty()) {
        out.result = EntryOutcome::Result::Nothing;
        return out;
    }
    const TypedCode typed = splitTypedCode(text);
    const std::optional<QSqlRecord> product = findProduct(typed.code);
    if (!product) {
        out.message = kNotFound;
        return out;
    }
    Entry e;
    e.product = *product;
    const QString jkpov = product->value(QStringLiteral("jkpov")).toString();
    // Only the stock check needs it: no query on every scan without stock control.
    e.onReceipt = m_config.nepovolitDoMinusu ? quantityOnReceipt(jkpov) : 0;

    const std::optional<double> quantity = parseQuantity(typed.quantityText);
    if (!quantity) {
        out.message = kNotANumber.arg(typed.quantityText);
        return out;
    }
    const bool wholePieces =
        product->value(QStringLiteral("povaha")).toString() == QLatin1String("K");
    if (wholePieces && typed.hasSeparator) {
        e.pocet = static_cast<int>(std::nearbyint(*quantity)); // ties to even
    } else {
        e.unitQuantity = *quantity;
        if (e.unitQuantity == 1) {
            const QString mj = product->value(QStringLiteral("mj")).toString();
            const double stock =
                product
                    ->value(m_config.nepovolitDoMinusu ? QStringLiteral("stav")
                                                       : QStringLiteral("zustatek"))
                    .toDouble();
            out.result = EntryOutcome::Result::Prompt;
            out.prompt = {
                product->value(QStringLiteral("nazev")).toString(),
                text::formatAmount(product->value(QStringLiteral("pcsd")).toDouble()).trimmed() +
                    QStringLiteral(" Kč"),
                text::formatNumber(stock) + QLatin1Char(' ') + mj, mj};
            m_entry = e;
            return out;
        }
    }
    if (e.pocet <= 0 || e.unitQuantity <= 0) {
        out.message = kNotPositive;
        return out;
    }
    return writeChecked(e, kNotInStock);
}

EntryOutcome CounterSale::leaveQuantityPrompt(const QString &quantity)
{
    EntryOutcome out;
    if (!m_entry)
        return out;
    QString text = quantity;
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const bool wholePieces =
        m_entry->product.value(QStringLiteral("povaha")).toString() == QLatin1String("K");
    if (wholePieces && !decimalPiecesAllowed() && text.contains(QLatin1Char(','))) {
        out.result = EntryOutcome::Result::StayInPrompt;
        out.message = kWholePieces;
        return out;
    }
    Entry e = *m_entry;
    m_entry.reset();
    if (text.isEmpty() || text == QLatin1String("0"))
        return out;
    const std::optional<double> value = parseQuantity(text);
    out.result = EntryOutcome::Result::Abandoned;
    if (!value) {
        out.message = kNotANumber.arg(text);
        return out;
    }
    if (*value <= 0) {
        out.message = kNotPositive;
        return out;
    }
    e.unitQuantity = *value;
    return writeChecked(e, kNotInStock);
}

void CounterSale::ZapisFofr(const QSqlRecord &product, int pocet, double unitQuantity)
{
    m_lastProduct = product;
    m_session.exec(lineInsertStatement(m_station.cisloPC, product, pocet, unitQuantity,
                                       m_station.ico, m_station.stredisko,
                                       QDateTime::currentDateTime()),
                   Trace::Au);
    m_allowBelowStock = false;
    SpoctiSoucet();
}

double CounterSale::SpoctiSoucet()
{
    m_total =
        isReady()
            ? m_session.scalar(QStringLiteral("select sum(cenar) from ") + m_tables->receipt())
                  .toDouble()
            : 0.0;
    return m_total;
}

double CounterSale::deleteLine(int id2)
{
    const QString where = QStringLiteral(" where id2=") + QString::number(id2);
    const double amount =
        m_session.scalar(QStringLiteral("select cenar from ") + m_tables->receipt() + where)
            .toDouble();
    m_session.exec(QStringLiteral("delete from ") + m_tables->receipt() + where);
    SpoctiSoucet();
    return amount;
}

CommitInput CounterSale::commitInput() const
{
    CommitInput in;
    in.cisloPC = m_station.cisloPC;
    in.stredisko = m_station.stredisko;
    in.paymentMode = m_receipt.paymentMode;
    in.paid = m_receipt.paid;
    in.cardDiscount = m_receipt.cardDiscount;
    in.cardNumber = m_receipt.cardNumber;
    in.correctedReceipt = m_receipt.correctedReceipt;
    in.deliveryCustomer = m_receipt.deliveryCustomer;
    in.stockControl = m_config.nepovolitDoMinusu;
    in.vat = m_config.vatRates;
    return in;
}

qint64 CounterSale::UlozUcte()
{
    const qint64 number = ::UlozUcte(m_session, commitInput());
    m_receipt.correctedReceipt = 0;
    m_receipt.deliveryCustomer.clear();
    SpoctiSoucet();
    return number;
}

bool CounterSale::hasLines()
{
    return isReady() && m_tables->receiptHasLines(m_session);
}

void CounterSale::loadForCorrection(qint64 number)
{
    m_session.runScript(correctionScript(m_station.cisloPC, number), Trace::A4);
    m_receipt.correctedReceipt = number;
    SpoctiSoucet();
}

void CounterSale::copyForRefund(qint64 number)
{
    m_session.runScript(copyForRefundScript(m_station.cisloPC, number), Trace::A4);
    m_receipt.correctedReceipt = 0;
    SpoctiSoucet();
}

qint64 CounterSale::refund()
{
    if (m_receipt.correctedReceipt > 0)
        throw UserError(kRefundDuringCorrection);
    m_receipt.paymentMode = PaymentMode::Refund;
    m_receipt.paid = 0;
    return UlozUcte();
}

void CounterSale::takeOverNote(const QString &odberatel)
{
    // Only once the lines are in: a failed take-over must not let the next
    // commit delete a note whose lines it does not carry.
    m_receipt.deliveryCustomer.clear();
    m_session.runScript(terminal::takeOverScript(m_station.cisloPC, m_station.stredisko, odberatel),
                        Trace::A4);
    m_receipt.deliveryCustomer = odberatel;
    SpoctiSoucet();
}

void CounterSale::deleteAllLines()
{
    if (!hasLines())
        return;
    m_session.runScript(deleteAllScript(m_station.cisloPC), Trace::Au);
    SpoctiSoucet();
}

CounterSale::LinePrices CounterSale::linePrices(int id2)
{
    QSqlQuery q =
        m_session.query(QStringLiteral("select pcsd0, soucetuzao from ") + m_tables->receipt() +
                        QStringLiteral(" where id2=") + QString::number(id2));
    LinePrices prices;
    if (q.next())
        prices = {q.value(0).toDouble(), q.value(1).toDouble()};
    return prices;
}

void CounterSale::changePrice(int id2, double newPrice, int percent, double discountKc)
{
    m_session.exec(priceChangeStatement(m_station.cisloPC, id2, newPrice, percent, discountKc),
                   Trace::Au);
    SpoctiSoucet();
}

QString CounterSale::receiptLinesQuery() const
{
    return ::receiptLinesQuery(m_station.cisloPC);
}

QString CounterSale::todayReceiptsQuery() const
{
    return ::todayReceiptsQuery(m_station.stredisko);
}
