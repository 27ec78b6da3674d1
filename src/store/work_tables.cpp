#include "store/work_tables.h"

#include "store/db_session.h"

WorkTables::WorkTables(const QString &cisloPC) : m_cisloPC(cisloPC) {}

QString WorkTables::name(const QString &suffix) const
{
    return QStringLiteral("tmp") + m_cisloPC + suffix;
}

QString WorkTables::receipt() const
{
    return name(QStringLiteral("uct"));
}

QString WorkTables::storno() const
{
    return name(QStringLiteral("uct4"));
}

QStringList WorkTables::createReceiptStatements() const
{
    return {
        QStringLiteral("DROP table IF EXISTS ") + receipt() + QLatin1Char(';'),
        QStringLiteral("CREATE table ") + receipt() +
            QStringLiteral(" ENGINE=InnoDB SELECT * from uctenky LIMIT 0;"),
        QStringLiteral("ALTER TABLE ") + receipt() +
            QStringLiteral(" CHANGE COLUMN `id2` `id2` INT(11) NOT NULL AUTO_INCREMENT AFTER "
                           "`PLATIL`,  ADD INDEX `id2` (`id2`);"),
    };
}

QString WorkTables::showReceiptTableStatement() const
{
    // "_" is a LIKE wildcard: escaped, workstation "1_2" cannot find "tmp1x2uct".
    QString pattern = receipt();
    pattern.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QStringLiteral("show tables like \"") + pattern + QLatin1Char('"');
}

QStringList WorkTables::dropScript(bool withReceiptTable) const
{
    QStringList script{QStringLiteral("START TRANSACTION;")};
    QStringList suffixes{QStringLiteral("uct4"), QStringLiteral("uct44"),
                         QStringLiteral("vydradv")};
    if (withReceiptTable)
        suffixes.prepend(QStringLiteral("uct"));
    for (const QString &suffix : suffixes)
        script.append(QStringLiteral("DROP table IF EXISTS ") + name(suffix) + QLatin1Char(';'));
    script.append(QStringLiteral("commit;"));
    return script;
}

void WorkTables::createForCounterSale(DbSession &session) const
{
    for (const QString &statement : createReceiptStatements())
        session.exec(statement);
}

bool WorkTables::ensureForTableService(DbSession &session) const
{
    if (session.query(showReceiptTableStatement()).next())
        return false;
    const QStringList statements = createReceiptStatements();
    session.exec(statements.at(1));
    session.exec(statements.at(2));
    return true;
}

bool WorkTables::receiptHasLines(DbSession &session) const
{
    return session.query(QStringLiteral("select 1 from ") + receipt() + QStringLiteral(" limit 1"))
        .next();
}

void WorkTables::dropAtClose(DbSession &session, bool keepReceiptWithLines) const
{
    const bool dropReceipt = !keepReceiptWithLines || !receiptHasLines(session);
    session.runScript(dropScript(dropReceipt));
}
