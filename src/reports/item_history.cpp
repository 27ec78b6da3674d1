#include "reports/item_history.h"

#include "devices/text_utils.h"
#include "store/db_session.h"
#include "store/sql_text.h"

ItemHistory::ItemHistory(DbSession &session, QString cisloPC, QString jkpov, QString stredisko)
    : m_session(session), m_cisloPC(std::move(cisloPC)), m_jkpov(std::move(jkpov)),
      m_stredisko(std::move(stredisko))
{}

QString ItemHistory::table() const
{
    return QStringLiteral("tmp") + m_cisloPC + QStringLiteral("histo");
}

void ItemHistory::build()
{
    const QString product = QStringLiteral(" and r.JKPOV=") + sql::quote(m_jkpov) +
                            QStringLiteral(" and r.stredisko=") + sql::quote(m_stredisko);
    m_session.exec(QStringLiteral("DROP TABLE IF EXISTS ") + table());
    m_session.exec(
        QStringLiteral("CREATE TABLE ") + table() +
        QStringLiteral(
            "\nselect r.CISLODOKLA,\"P\" as TYP,h.DATUM,r.MNOZ,r.NC,r.ZUSTATEK,r.STREDISKO,"
            "h.NAZEVPODNI,r.NAZEV from prirad r, prijem h\n where (h.CISLODOKLA=r.CISLODOKLA)") +
        product);
    m_session.exec(
        QStringLiteral("insert into ") + table() +
        QStringLiteral(
            "\nselect cisuctenky,\"U\",DATUM,MNOZ,NC,0,STREDISKO,\"\",nazev from uctenky\n"
            " where JKPOV=") +
        sql::quote(m_jkpov) + QStringLiteral(" and stredisko=") + sql::quote(m_stredisko));
    m_session.exec(
        QStringLiteral("insert into ") + table() +
        QStringLiteral(
            "\nselect r.CISLODOKLA,\"V\" as TYP,h.DATUM,r.MNOZ,r.NC,0,r.STREDISKO,h.NAZEVPODNI,"
            "r.nazev from dlrad r, dl h\n where (h.CISLODOKLA=r.CISLODOKLA)") +
        product);
}

ItemHistory::Sums ItemHistory::sums()
{
    Sums sums;
    QSqlQuery q = m_session.query(QStringLiteral("select typ,sum(mnoz) as summa from ") + table() +
                                  QStringLiteral("\n group by typ"));
    while (q.next()) {
        const QString kind = q.value(0).toString();
        const QString sum = q.value(1).toString();
        if (kind == QLatin1String("P"))
            sums.received = sum;
        else if (kind == QLatin1String("V"))
            sums.delivered = sum;
        else if (kind == QLatin1String("U"))
            sums.sold = sum;
    }
    return sums;
}

QString ItemHistory::filterQuery(bool received, bool delivered, bool sold, const QDate &from) const
{
    QStringList q{QStringLiteral("select * from ") + table(), QStringLiteral(" where (TYP=\"X\"")};
    if (received)
        q << QStringLiteral(" OR TYP=\"P\"");
    if (delivered)
        q << QStringLiteral(" OR TYP=\"V\"");
    if (sold)
        q << QStringLiteral(" OR TYP=\"U\"");
    q << QStringLiteral(")");
    if (from.isValid())
        q << QStringLiteral(" and datum>=") + sql::quote(text::formatDate(from));
    q << QStringLiteral(" ORDER BY DATUM,cislodokla");
    return q.join(QLatin1Char('\n'));
}

void ItemHistory::drop()
{
    m_session.exec(QStringLiteral("DROP TABLE IF EXISTS ") + table());
}
