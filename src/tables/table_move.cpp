#include "tables/table_move.h"

#include "store/db_session.h"
#include "store/sql_text.h"

TableMove::TableMove(DbSession &session, QString cisloPC, QString source, QString target)
    : m_session(session), m_cisloPC(std::move(cisloPC)), m_source(std::move(source)),
      m_target(std::move(target))
{}

QString TableMove::table(const char *suffix) const
{
    return QStringLiteral("tmp") + m_cisloPC + QLatin1String(suffix);
}

QStringList TableMove::openScript() const
{
    return {
        QStringLiteral("DROP table IF EXISTS ") + table("uct1") + QLatin1Char(';'),
        QStringLiteral("CREATE table ") + table("uct1") + QStringLiteral(" ENGINE=MyISAM"),
        QStringLiteral(" SELECT * from ") + table("uct"),
        QStringLiteral("  where stul=") + sql::quote(m_source) + QLatin1Char(';'),
        QStringLiteral("UPDATE ") + table("uct1") + QStringLiteral(" SET id=0;"),
        QStringLiteral("DROP table IF EXISTS ") + table("uctx") + QLatin1Char(';'),
        QStringLiteral("CREATE table ") + table("uctx") + QStringLiteral(" ENGINE=MyISAM"),
        QStringLiteral(" SELECT * from uctenky LIMIT 0;"),
        QStringLiteral("ALTER TABLE ") + table("uctx") + QLatin1Char(' '),
        QStringLiteral(
            " CHANGE COLUMN `id` `id` INT(11) NOT NULL AUTO_INCREMENT,  ADD INDEX `id` (`id`);")};
}

void TableMove::open()
{
    m_session.runScript(openScript(), Trace::Ax);
}

QString TableMove::sourceLinesQuery() const
{
    return QStringLiteral("select * from ") + table("uct1") +
           QStringLiteral("\n  where mnoz <> 0;");
}

void TableMove::moveLine(int id2, double quantity)
{
    const QString q = sql::quote(sql::number(quantity));
    const QString line = QStringLiteral(" where id2=") + QString::number(id2);
    // The part comes from the source copy, whose id is 0: the new id is its own.
    m_session.exec(QStringLiteral("insert into ") + table("uctx") +
                   QStringLiteral("\n select * from ") + table("uct1") + line);
    m_session.exec(QStringLiteral("UPDATE ") + table("uctx") + QStringLiteral(" \n SET mnoz=") + q +
                   QStringLiteral("\n ,cenar=pcsd*mnoz\n where id = LAST_INSERT_ID()"));
    m_session.exec(QStringLiteral("UPDATE ") + table("uct1") +
                   QStringLiteral(" \n SET mnoz=mnoz-") + q +
                   QStringLiteral("\n ,cenar=pcsd*mnoz\n") + line);
}

double TableMove::movedTotal()
{
    return m_session.scalar(QStringLiteral("select sum(cenar) from ") + table("uctx")).toDouble();
}

QStringList TableMove::doneScript() const
{
    // The scratch table's ALTER comes first: inside the transaction it would commit
    // half of the move.
    return {QStringLiteral("ALTER TABLE ") + table("uctx") + QLatin1Char(' '),
            QStringLiteral(" CHANGE COLUMN `id` `id` INT(11) NOT NULL FIRST,  DROP INDEX `id`;"),
            QStringLiteral("START TRANSACTION;"),
            QStringLiteral("DELETE from ") + table("uct"),
            QStringLiteral("  where stul=") + sql::quote(m_source) + QLatin1Char(';'),
            QStringLiteral("UPDATE ") + table("uct1") + QStringLiteral(" SET id2=0;"),
            QStringLiteral("insert into ") + table("uct"),
            QStringLiteral(" select * from ") + table("uct1"),
            QStringLiteral("  where mnoz != 0;"),
            QStringLiteral("UPDATE ") + table("uctx") + QLatin1Char(' '),
            QStringLiteral(" SET id=0, id2=0, stul=") + sql::quote(m_target) + QLatin1Char(';'),
            QStringLiteral("insert into ") + table("uct"),
            QStringLiteral(" select * from ") + table("uctx"),
            QStringLiteral("  where mnoz != 0;"),
            QStringLiteral("commit;")};
}

void TableMove::done()
{
    m_session.runScript(doneScript(), Trace::Ax);
}

double TableMove::sourceTotalAfterMove()
{
    return m_session
        .scalar(QStringLiteral("select sum(cenar) as sumas from ") + table("uct1") +
                QStringLiteral(" where stul=") + sql::quote(m_source))
        .toDouble();
}
