#include "store/db_session.h"

#include "store/db_error.h"
#include "store/sql_text.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace {

// Strict, so that no value is clipped or truncated silently; without ANSI_QUOTES
// (double quotes delimit strings), NO_BACKSLASH_ESCAPES (sql::quote relies on the
// backslash) and ONLY_FULL_GROUP_BY (reports group by some columns only).
const QString kSqlMode =
    QStringLiteral("SET SESSION sql_mode='STRICT_ALL_TABLES,NO_ENGINE_SUBSTITUTION'");

QString uniqueConnectionName()
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("prodej-%1").arg(counter.fetchAndAddRelaxed(1));
}

DbError toDbError(const QSqlError &error, const QString &statement = {})
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return DbError(text, error.nativeErrorCode().toInt(), statement);
}

} // namespace

DbSession::DbSession() : m_name(uniqueConnectionName())
{
    QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
}

DbSession::~DbSession()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void DbSession::open(const ConnectionSettings &settings)
{
    QSqlDatabase db = database();
    db.close();
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setDatabaseName(settings.database);
    db.setNumericalPrecisionPolicy(QSql::HighPrecision); // decimals as exact text
    db.setConnectOptions(QStringLiteral("CLIENT_COMPRESS=1;MYSQL_OPT_CONNECT_TIMEOUT=10"));
    if (!db.open())
        throw toDbError(db.lastError());
    run(kSqlMode, true);
}

void DbSession::close()
{
    if (QSqlDatabase::contains(m_name))
        database().close();
}

bool DbSession::isOpen() const
{
    return database().isOpen();
}

QSqlDatabase DbSession::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QSqlQuery DbSession::run(const QString &statement, bool forwardOnly)
{
    QSqlQuery q(database());
    q.setForwardOnly(forwardOnly);
    if (!q.exec(statement))
        throw toDbError(q.lastError(), statement);
    return q;
}

void DbSession::exec(const QString &statement, Trace trace)
{
    writeTrace(trace, statement);
    run(statement, true);
}

QSqlQuery DbSession::query(const QString &statement, Trace trace)
{
    writeTrace(trace, statement);
    return run(statement, true);
}

QVariant DbSession::scalar(const QString &statement)
{
    QSqlQuery q = run(statement, true);
    return q.next() ? q.value(0) : QVariant();
}

void DbSession::runScript(const QStringList &lines, Trace trace)
{
    const QString script = lines.join(QLatin1Char('\n'));
    writeTrace(trace, script);
    for (const QString &statement : sql::splitScript(script)) {
        try {
            run(statement, true);
        } catch (const DbError &) {
            // Never leave half a script pending: a later START TRANSACTION on this
            // connection would commit it.
            QSqlQuery rollback(database());
            rollback.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
    }
}

void DbSession::fillModel(QSqlQueryModel &model, const QString &statement)
{
    model.setQuery(statement, database());
    if (model.lastError().isValid())
        throw toDbError(model.lastError(), statement);
}
