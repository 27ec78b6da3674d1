#include "sale/receipt_lines.h"

#include "devices/text_utils.h"
#include "store/sql_text.h"

#include <QStringList>

namespace {

QString textOf(const QSqlRecord &r, const char *field)
{
    return sql::quote(r.value(QLatin1String(field)).toString());
}

// A number column as SQL text; a NULL written by other software counts as 0.
QString numberOf(const QSqlRecord &r, const char *field)
{
    const QString text = r.value(QLatin1String(field)).toString();
    return sql::quote(text.isEmpty() ? QStringLiteral("0") : sql::point(text));
}

} // namespace

namespace {

// The line write of both screens; table service puts the line into an order and
// carries no purchase price, counter sale may leave out the descriptions.
QString insertLine(const QString &cisloPC, const QSqlRecord &p, int pocet, double unitQuantity,
                   bool descriptions, bool purchasePrice, const QString &stredisko,
                   const QString *stul, const QDateTime &now)
{
    QStringList s;
    s << QStringLiteral("insert into tmp") + cisloPC + QStringLiteral("uct");
    s << QStringLiteral("SET nazev=") + textOf(p, "nazev");
    s << QStringLiteral(" ,zkratka=") + textOf(p, "zkratka");
    if (descriptions) {
        s << QStringLiteral(" ,popis=") + textOf(p, "popis");
        s << QStringLiteral(" ,popis2=") + textOf(p, "popis2");
    }
    s << QStringLiteral(" ,jkpov=") + textOf(p, "jkpov");
    s << QStringLiteral(" ,povaha=") + textOf(p, "povaha");
    s << QStringLiteral(" ,pocet=") + QString::number(pocet);
    s << QStringLiteral(" ,mnoz=pocet*") + sql::quote(sql::number(unitQuantity));
    s << QStringLiteral(" ,mj=") + textOf(p, "mj");
    s << QStringLiteral(" ,pc=") + numberOf(p, "pc");
    s << QStringLiteral(" ,dph=") + numberOf(p, "dph");
    s << QStringLiteral(" ,datum=") + sql::quote(text::formatDateTime(now));
    s << QStringLiteral(" ,cisuctenky=0");
    s << QStringLiteral(" ,soucetu=") + sql::quote(QStringLiteral("0"));
    if (purchasePrice)
        s << QStringLiteral(" ,soucetuzao=") + numberOf(p, "nc");
    s << QStringLiteral(" ,stredisko=") + sql::quote(stredisko);
    if (stul)
        s << QStringLiteral(" ,stul=") + sql::quote(*stul);
    s << QStringLiteral(" ,pcsd0=") + numberOf(p, "pcsd");
    s << QStringLiteral(" ,cenar0=pcsd0*mnoz");
    s << QStringLiteral(" ,slevaproc=") + numberOf(p, "slevaproc");
    s << QStringLiteral(" ,slevakc=") + numberOf(p, "slevakc");
    s << QStringLiteral(" ,pcsd=pcsd0-slevakc");
    s << QStringLiteral(" ,cenar=pcsd*mnoz");
    return s.join(QLatin1Char('\n'));
}

} // namespace

QString lineInsertStatement(const QString &cisloPC, const QSqlRecord &product, int pocet,
                            double unitQuantity, const QString &ico, const QString &stredisko,
                            const QDateTime &now)
{
    return insertLine(cisloPC, product, pocet, unitQuantity, ico != kIcoWithoutDescriptions, true,
                      stredisko, nullptr, now);
}

QString tableLineInsertStatement(const QString &cisloPC, const QSqlRecord &product, int pocet,
                                 double unitQuantity, const QString &stredisko, const QString &stul,
                                 const QDateTime &now)
{
    return insertLine(cisloPC, product, pocet, unitQuantity, true, false, stredisko, &stul, now);
}

QString receiptLinesQuery(const QString &cisloPC)
{
    return QStringLiteral("select id2, jkpov, nazev, pcsd, mnoz, mj, cenar from tmp") + cisloPC +
           QStringLiteral("uct order by id2");
}

QString receiptLinesQuery(const QString &cisloPC, const QString &stul)
{
    return QStringLiteral("select id2, jkpov, nazev, pcsd, mnoz, mj, cenar from tmp") + cisloPC +
           QStringLiteral("uct where stul=") + sql::quote(stul) + QStringLiteral(" order by id2");
}

QString todayReceiptsQuery(const QString &stredisko)
{
    return QStringList{
        QStringLiteral(
            "select cisuctenky,datum,soucetu,CAST(RIGHT(cisuctenky,5) AS SIGNED) as cislo,"),
        QStringLiteral(" DATE_FORMAT(datum,\"%H:%i\") as cas, typplatby from uctenky"),
        QStringLiteral(" where stredisko=") + sql::quote(stredisko),
        QStringLiteral(" and DATE(datum)=DATE(NOW())"),
        QStringLiteral(" and (vydejka=0 OR vydejka>800000000)"),
        QStringLiteral(" group by cisuctenky order by datum desc"),
    }
        .join(QLatin1Char('\n'));
}
