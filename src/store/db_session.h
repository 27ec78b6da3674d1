#pragma once

#include "store/trace_file.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QString>
#include <QStringList>

#include <optional>

struct ConnectionSettings
{
    QString host = QStringLiteral("localhost");
    int port = 3306;
    QString user = QStringLiteral("root");
    QString password;
    QString database = QStringLiteral("prodej");
};

// The run's one connection to the shop's database. Statements of one session run
// on one server connection, so user variables (@CiUc ...) carry from statement to
// statement. Every failure throws DbError with the server's text and code. When the
// server goes away (restarted, network), the failing action reports it and the
// next one connects anew; no statement that may have run is sent twice.
class DbSession
{
public:
    DbSession();
    ~DbSession();
    DbSession(const DbSession &) = delete;
    DbSession &operator=(const DbSession &) = delete;

    void open(const ConnectionSettings &settings);
    void close();
    bool isOpen() const;

    // Runs one statement. Its text goes to the trace file first.
    void exec(const QString &statement, Trace trace = Trace::None);
    // Runs a query and returns it positioned before its first row.
    QSqlQuery query(const QString &statement, Trace trace = Trace::None);
    // The first column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString &statement);

    // Runs a script given as lines (a statement may span lines and ends with ";"),
    // statement by statement. The whole text goes to the trace file first. When a
    // statement fails, an open transaction is rolled back before the error goes on.
    void runScript(const QStringList &lines, Trace trace = Trace::None);

    // Fills a list's model with the rows of a query.
    void fillModel(QSqlQueryModel &model, const QString &statement);

    QSqlDatabase database() const;

private:
    // `startsAction`: not within a script, so a connection found dead after a
    // pause may be replaced before the statement is sent.
    QSqlQuery run(const QString &statement, bool forwardOnly, bool startsAction = true);
    void reconnectIfLost();

    QString m_name;
    std::optional<ConnectionSettings> m_settings;
    bool m_lost = false; // the connection went: the next statement opens a new one
    QElapsedTimer m_idle; // since the last statement
};
