#include "reports/terminal_notes.h"

#include "store/sql_text.h"

namespace terminal {

QString refreshStatement()
{
    return QStringLiteral("UPDATE dlterm t, seznam s SET t.NAZEV=s.NAZEV, t.MJ=s.MJ, t.PC=s.PC, "
                          "t.DPH=s.DPH, t.PCSD=s.PCSD where t.JKPOV=s.JKPOV and "
                          "t.STREDISKO=s.STREDISKO;");
}

QString notesQuery(const QString &stredisko)
{
    return QStringList{QStringLiteral("select id, datum, odberatel, max(cas) as cas, "
                                      "SUM(mnoz*pc) as suma, SUM(mnoz*pcsd) as sumasd"),
                       QStringLiteral(" from dlterm where stredisko=") + sql::quote(stredisko),
                       QStringLiteral(" group by odberatel order by datumcas;")}
        .join(QLatin1Char('\n'));
}

QString linesQuery(const QString &stredisko, const QString &odberatel)
{
    return QStringLiteral("select * from dlterm where stredisko=") + sql::quote(stredisko) +
           QStringLiteral("\n and odberatel=") + sql::quote(odberatel);
}

QString deleteStatement(const QString &stredisko, const QString &odberatel)
{
    return QStringLiteral("DELETE from dlterm where stredisko=") + sql::quote(stredisko) +
           QStringLiteral("\n and odberatel=") + sql::quote(odberatel);
}

QStringList takeOverScript(const QString &pc, const QString &stredisko, const QString &odberatel)
{
    const QString uct = QStringLiteral("tmp") + pc + QStringLiteral("uct");
    return {QStringLiteral("START TRANSACTION;"),
            QStringLiteral("DELETE from ") + uct + QLatin1Char(';'),
            QStringLiteral("INSERT into ") + uct,
            QStringLiteral(" (STREDISKO,JKPOV,MNOZ,NAZEV,MJ,PC,DPH,PCSD)"),
            QStringLiteral(" (select STREDISKO,JKPOV,MNOZ,NAZEV,MJ,PC,DPH,PCSD from dlterm"),
            QStringLiteral(" where stredisko=") + sql::quote(stredisko),
            QStringLiteral(" and odberatel=") + sql::quote(odberatel) + QStringLiteral(");"),
            QStringLiteral("UPDATE ") + uct + QStringLiteral(" u, seznam s SET"),
            QStringLiteral(" u.ZKRATKA=s.ZKRATKA, u.POPIS=s.POPIS, u.POPIS2=s.POPIS2, "
                           "u.POVAHA=s.POVAHA"),
            QStringLiteral(" where u.STREDISKO=s.STREDISKO and u.JKPOV=s.JKPOV;"),
            QStringLiteral("UPDATE ") + uct + QStringLiteral(" SET cenar=pcsd*mnoz, datum=NOW();"),
            QStringLiteral("commit;")};
}

} // namespace terminal
