#include "sale/receipt_scripts.h"

#include "store/sql_text.h"

namespace {

QString uct(const QString &pc)
{
    return QStringLiteral("tmp") + pc + QStringLiteral("uct");
}

// The receipt's lines into the work receipt, dated now, as new sale lines.
QStringList loadIntoWorkReceipt(const QString &pc, qint64 number)
{
    const QString n = QString::number(number);
    return {QStringLiteral("DELETE from ") + uct(pc) + QLatin1Char(';'),
            QStringLiteral("INSERT into ") + uct(pc), QStringLiteral(" (select * from uctenky"),
            QStringLiteral(" where cisuctenky=") + n + QStringLiteral(");"),
            QStringLiteral("UPDATE ") + uct(pc) +
                QStringLiteral(" SET datum=NOW(), vydejka=0, nc=0;")};
}

} // namespace

QStringList correctionScript(const QString &pc, qint64 number)
{
    const QString uct4 = uct(pc) + QLatin1Char('4');
    const QString n = QString::number(number);
    QStringList s{QStringLiteral("CREATE table IF NOT EXISTS ") + uct4 +
                      QStringLiteral(" ENGINE=InnoDB SELECT * from uctenky LIMIT 0;"),
                  QStringLiteral("START TRANSACTION;")};
    s << loadIntoWorkReceipt(pc, number);
    s << QStringLiteral("DELETE from ") + uct4 + QLatin1Char(';')
      << QStringLiteral("INSERT into ") + uct4 << QStringLiteral(" (select * from uctenky")
      << QStringLiteral(" where cisuctenky=") + n + QStringLiteral(");")
      << QStringLiteral("UPDATE ") + uct4 + QStringLiteral(" SET id=0, mnoz=-mnoz, datum=NOW(),")
      << QStringLiteral(" pocet=-pocet, cenar=-cenar, soucetu=-soucetu, soucetuzao=-soucetuzao,")
      << QStringLiteral(" sleva=-sleva,platil=-platil,z0=-z0,z5=-z5,z23=-z23,d5=-d5,d23=-d23, "
                        "nc=0,cenar0=-cenar0,"
                        " z1=-z1,d1=-d1;")
      << QStringLiteral("UPDATE ") + uct4 + QStringLiteral(" SET vydejka=-4 where vydejka>0;")
      << QStringLiteral("commit;");
    return s;
}

QStringList copyForRefundScript(const QString &pc, qint64 number)
{
    QStringList s{QStringLiteral("START TRANSACTION;")};
    s << loadIntoWorkReceipt(pc, number) << QStringLiteral("commit;")
      << QStringLiteral("DROP table IF EXISTS ") + uct(pc) + QStringLiteral("4;");
    return s;
}

QStringList deleteAllScript(const QString &pc)
{
    return {QStringLiteral("START TRANSACTION;"),
            QStringLiteral("DELETE from ") + uct(pc) + QLatin1Char(';'), QStringLiteral("commit;")};
}

QStringList tableCopyForRefundScript(const QString &pc, qint64 number, const QString &stul,
                                     const QString &columns)
{
    const QString order = sql::quote(stul);
    const QString n = QString::number(number);
    return {QStringLiteral("START TRANSACTION;"),
            QStringLiteral("DELETE from ") + uct(pc),
            QStringLiteral(" WHERE stul=") + order + QLatin1Char(';'),
            QStringLiteral("INSERT into ") + uct(pc),
            QStringLiteral(" (select ") + columns + QStringLiteral(" from uctenky"),
            QStringLiteral(" where cisuctenky=") + n + QStringLiteral(" order by id2);"),
            QStringLiteral("UPDATE ") + uct(pc) +
                QStringLiteral(" SET datum=NOW(), vydejka=0, nc=0, stul=") + order,
            QStringLiteral(" where cisuctenky=") + n + QLatin1Char(';'),
            QStringLiteral("commit;"),
            QStringLiteral("DROP table IF EXISTS ") + uct(pc) + QStringLiteral("4;")};
}

QStringList deleteOrderScript(const QString &pc, const QString &stul)
{
    return {QStringLiteral("START TRANSACTION;"), QStringLiteral("DELETE from ") + uct(pc),
            QStringLiteral(" WHERE stul=") + sql::quote(stul) + QLatin1Char(';'),
            QStringLiteral("commit;")};
}

QString priceChangeStatement(const QString &pc, int id2, double newPrice, int percent,
                             double discountKc)
{
    QStringList s{QStringLiteral("UPDATE ") + uct(pc),
                  QStringLiteral(" SET pcsd=") + sql::quote(QString::number(newPrice, 'f', 2)),
                  QStringLiteral(" ,cenar=pcsd*mnoz"), QStringLiteral(" ,pc=pcsd*100/(100+dph)")};
    if (percent > 0) {
        s << QStringLiteral(" ,slevakc=") + sql::quote(QString::number(discountKc, 'f', 2))
          << QStringLiteral(" ,slevaproc=") + QString::number(percent);
    }
    s << QStringLiteral(" where id2=") + QString::number(id2);
    return s.join(QLatin1Char('\n'));
}
