#pragma once

#include <QString>

#include <stdexcept>

// A failed statement or connection: the server's (or client library's) own text
// and error code. The cashier sees cashierMessage(): Czech, with the server's
// words beneath for the technician.
class DbError : public std::runtime_error
{
public:
    DbError(const QString &text, int code, const QString &statement = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_code(code), m_statement(statement)
    {}

    QString text() const { return m_text; }
    int code() const { return m_code; }
    QString statement() const { return m_statement; }

    // Errors after which the same transaction may simply be tried again: deadlock,
    // lock-wait timeout, and the auto-increment read that InnoDB reports when the
    // insert lost a deadlock while waiting for the table's auto-increment lock.
    bool isRetryable() const { return m_code == 1213 || m_code == 1205 || m_code == 1467; }

    // The connection went (gone away, lost during a query, cannot connect by
    // socket or TCP, lost at reading, killed, timed out); a new one may work.
    bool isConnectionLost() const
    {
        return m_code == 2006 || m_code == 2013 || m_code == 2002 || m_code == 2003 ||
               m_code == 2055 || m_code == 1927 || m_code == 4031;
    }

    QString cashierMessage() const;

private:
    QString m_text;
    int m_code;
    QString m_statement;
};
