#include "store/commit_script.h"

#include "store/sql_text.h"

qint64 receiptNumberPrefix(int year, const QString &stredisko)
{
    return (QString::number(year - 2000) + stredisko).toLongLong();
}

qint64 firstReceiptNumber(int year, const QString &stredisko)
{
    return receiptNumberPrefix(year, stredisko) * 100000 + 1;
}

qint64 lastReceiptNumber(int year, const QString &stredisko)
{
    return receiptNumberPrefix(year, stredisko) * 100000 + 99999;
}

namespace {

QStringList numberingLines(const CommitInput &in)
{
    const qint64 first = firstReceiptNumber(in.receiptYear, in.stredisko);
    const qint64 last = lastReceiptNumber(in.receiptYear, in.stredisko);
    // The branch's row first: committers of one branch queue on it, instead of
    // taking the same gap locks of the number range and deadlocking at the INSERT.
    return {QStringLiteral("select stredisko from strediska where stredisko = ") +
                sql::quote(in.stredisko) + QStringLiteral(" FOR UPDATE;"),
            QStringLiteral("select @PoDoU := max(cisuctenky) from uctenky"),
            QStringLiteral(" where stredisko = ") + sql::quote(in.stredisko) +
                QStringLiteral(" AND cisuctenky BETWEEN ") + QString::number(first - 1) +
                QStringLiteral(" AND ") + QString::number(last),
            QStringLiteral(" FOR UPDATE;"),
            QStringLiteral("SET @CiUc = IF(@PoDoU is NULL,") + QString::number(first) +
                QStringLiteral(",IF(@PoDoU<") + QString::number(last) +
                QStringLiteral(",@PoDoU+1,NULL));")};
}

} // namespace

namespace {

// The VAT split: the sums per rate, up to the table name (the caller ends the
// statement, with or without an order's condition) ...
QStringList vatSumLines(const VatRates &vat, const QString &uct)
{
    return {QStringLiteral("select @s0:=sum(IF(dph=0,cenar,0)),@s5:=sum(IF(dph=") +
                QString::number(vat.z5) + QStringLiteral(",cenar,0)),@s10:=sum(IF(dph=") +
                QString::number(vat.z1) + QStringLiteral(",cenar,0)),"),
            QStringLiteral(" @s23:=sum(IF(dph=") + QString::number(vat.z23) +
                QStringLiteral(",cenar,0)) from ") + uct};
}

// ... then bases and taxes on every line of the work receipt.
QStringList vatColumnLines(const VatRates &vat, const QString &uct)
{
    return {QStringLiteral("UPDATE ") + uct + QStringLiteral(" set z0=@s0, z5=@s5/") +
                vatDivisor(vat.z5) + QStringLiteral(", z1=@s10/") + vatDivisor(vat.z1) +
                QLatin1Char(','),
            QStringLiteral("  z23=@s23/") + vatDivisor(vat.z23) +
                QStringLiteral(",d5=@s5-z5, d23=@s23-z23, d1=@s10-z1;")};
}

} // namespace

QStringList tableCommitScript(const CommitInput &in, const QString &stul)
{
    const QString uct = QStringLiteral("tmp") + in.cisloPC + QStringLiteral("uct");
    const QString order = QStringLiteral(" WHERE stul=") + sql::quote(stul) + QLatin1Char(';');
    QStringList s{QStringLiteral("START TRANSACTION;")};
    s << numberingLines(in);
    s << vatSumLines(in.vat, uct) << order;
    s << vatColumnLines(in.vat, uct);
    if (in.paymentMode == PaymentMode::Refund) {
        s << QStringLiteral("UPDATE ") + uct +
                 QStringLiteral(
                     " set "
                     "pocet=-pocet,mnoz=-mnoz,cenar=-cenar,sleva=-sleva,z0=-z0,z5=-z5,z23=-z23,"
                     "d5=-d5,d23=-d23,z1=-z1,d1=-d1,cenar0=-cenar0")
          << order;
    }
    s << QStringLiteral("select @SouUct:=sum(cenar) from ") + uct << order;
    s << QStringLiteral("UPDATE ") + uct + QStringLiteral(" set cisuctenky=@CiUc,")
      << QStringLiteral(" soucetu=@SouUct, soucetuzao=ROUND(@SouUct),");
    if (in.paymentMode == PaymentMode::Card)
        s << QStringLiteral("typplatby=\"K\",");
    else if (in.paymentMode == PaymentMode::Cash)
        s << QStringLiteral("typplatby=\"H\",");
    s << QStringLiteral("id=0, platil=") + QString::number(in.paid) << order;
    s << QStringLiteral("INSERT into uctenky select * from ") + uct << order;
    s << QStringLiteral("DELETE from ") + uct << order;
    s << QStringLiteral("commit;");
    return s;
}

QStringList counterSaleCommitScript(const CommitInput &in)
{
    const QString uct = QStringLiteral("tmp") + in.cisloPC + QStringLiteral("uct");
    const QString uct4 = QStringLiteral("tmp") + in.cisloPC + QStringLiteral("uct4");
    const bool refund = in.paymentMode == PaymentMode::Refund;
    QStringList s;

    s << QStringLiteral("START TRANSACTION;");
    if (in.stockControl) {
        for (const StockLine &line : in.stockLines) {
            s << QStringLiteral("UPDATE seznam set stav=stav")
              << (refund ? QStringLiteral("+") : QStringLiteral("-"))
              << sql::quote(sql::point(line.mnoz))
              << QStringLiteral(" where stredisko = ") + sql::quote(line.stredisko) +
                     QStringLiteral(" AND jkpov = ") + sql::quote(line.jkpov) + QLatin1Char(';');
        }
    }
    s << numberingLines(in);
    if (in.cardDiscount > 0) {
        const QString n = QString::number(in.cardDiscount);
        s << QStringLiteral("UPDATE ") + uct + QStringLiteral(" set pc=pc*(100-") + n +
                 QStringLiteral(")/100,")
          << QStringLiteral(" pcsd=pcsd*(100-") + n + QStringLiteral(")/100, cislokarty=") +
                 sql::quote(in.cardNumber) + QStringLiteral(",sleva=cenar;")
          << QStringLiteral("UPDATE ") + uct + QStringLiteral(" set cenar=pcsd*mnoz;")
          << QStringLiteral("UPDATE ") + uct + QStringLiteral(" set sleva=sleva-cenar;");
    }
    QStringList sums = vatSumLines(in.vat, uct);
    sums.last() += QLatin1Char(';');
    s << sums << vatColumnLines(in.vat, uct);
    if (refund) {
        s << QStringLiteral("UPDATE ") + uct +
                 QStringLiteral(
                     " set "
                     "pocet=-pocet,mnoz=-mnoz,cenar=-cenar,sleva=-sleva,z0=-z0,z5=-z5,z23=-z23,"
                     "d5=-d5,d23=-d23,z1=-z1,d1=-d1,cenar0=-cenar0;");
    }
    s << QStringLiteral("select @SouUct:=sum(cenar) from ") + uct + QLatin1Char(';');
    s << QStringLiteral("UPDATE ") + uct + QStringLiteral(" set cisuctenky=@CiUc,")
      << QStringLiteral(" soucetu=@SouUct, soucetuzao=ROUND(@SouUct),")
      << (in.paymentMode == PaymentMode::Card ? QStringLiteral("typplatby=\"K\",")
                                              : QStringLiteral("typplatby=\"H\","))
      << QStringLiteral("id=0, platil=") + QString::number(in.paid) + QLatin1Char(';');
    s << QStringLiteral("INSERT into uctenky select * from ") + uct + QLatin1Char(';');
    s << QStringLiteral("DELETE from ") + uct + QLatin1Char(';');
    if (in.correctedReceipt > 0) {
        const QString m = QString::number(in.correctedReceipt);
        s << QStringLiteral("UPDATE uctenky set vydejka=@CiUc+1 where vydejka=0 and cisuctenky=") +
                 m + QLatin1Char(';')
          << QStringLiteral("UPDATE ") + uct4 + QStringLiteral(" set cisuctenky=@CiUc+1")
          << QStringLiteral(";")
          << QStringLiteral("UPDATE ") + uct4 + QStringLiteral(" set vydejka=") + m +
                 QStringLiteral(" where vydejka=0;")
          << QStringLiteral("UPDATE ") + uct4 + QStringLiteral(" set vydejka=0 where vydejka=-4;")
          << QStringLiteral("INSERT into uctenky select * from ") + uct4 + QLatin1Char(';')
          << QStringLiteral("DELETE from ") + uct4 + QLatin1Char(';');
    }
    if (!in.deliveryCustomer.isEmpty()) {
        s << QStringLiteral("DELETE from dlterm")
          << QStringLiteral(" where stredisko=") + sql::quote(in.stredisko)
          << QStringLiteral(" and odberatel=") + sql::quote(in.deliveryCustomer) + QLatin1Char(';');
    }
    s << QStringLiteral("commit;");
    return s;
}
