#pragma once

#include "store/vat_rates.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Payment modes of a receipt.
enum class PaymentMode { Cash = 0, Card = 1, Refund = 6 };

// A line of the work receipt as the stock update needs it.
struct StockLine
{
    QString mnoz; // as the database gives it
    QString stredisko;
    QString jkpov;
};

// Everything the commit of a counter-sale receipt is built from.
struct CommitInput
{
    QString cisloPC;
    QString stredisko;
    // Year of the receipt number's prefix: that of the line the list points at.
    int receiptYear = 2000;
    PaymentMode paymentMode = PaymentMode::Cash;
    int paid = 0;
    int cardDiscount = 0;
    QString cardNumber;
    qint64 correctedReceipt = 0;
    QString deliveryCustomer;
    bool stockControl = false;
    VatRates vat;
    QList<StockLine> stockLines; // only read with stock control on
};

// Receipt numbers: (year - 2000) followed by the branch code, read as a number,
// times 100000, plus the running number within branch and year. 64-bit.
qint64 receiptNumberPrefix(int year, const QString &stredisko);
qint64 firstReceiptNumber(int year, const QString &stredisko);
qint64 lastReceiptNumber(int year, const QString &stredisko);

// The commit script, line by line. The highest number is searched in the
// prefix's own number range (an index range, and the same year as the prefix),
// and the number is left NULL when the range is used up, so that the receipt is
// refused instead of numbered twice.
QStringList counterSaleCommitScript(const CommitInput &input);

// The commit of one open order of table service (lines of `stul`): numbering as
// above, the VAT split and totals of that order only; a refund keeps the payment
// type its lines carry. No card discount, correction or delivery notes.
QStringList tableCommitScript(const CommitInput &input, const QString &stul);
