#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// The workstation's own tables, named "tmp" + CisloPC + a suffix, so that
// workstations sharing the database never meet in them.
class WorkTables
{
public:
    explicit WorkTables(const QString &cisloPC);

    QString name(const QString &suffix) const;
    // The work receipt table, "tmp<CisloPC>uct".
    QString receipt() const;
    QString storno() const; // "tmp<CisloPC>uct4"

    // DROP, CREATE (an empty copy of uctenky) and ALTER (id2 numbers the lines in
    // entry order): the counter sale's fresh work receipt. The table is InnoDB, so
    // that it takes part in the commit's transaction and a failed commit leaves it
    // exactly as it was; open orders of table service also survive a server crash.
    QStringList createReceiptStatements() const;
    // The query that finds an existing work receipt table.
    QString showReceiptTableStatement() const;
    // The close script: the work receipt table (when asked) and the storno and
    // left-over tables, in one transaction frame.
    QStringList dropScript(bool withReceiptTable) const;

    // Counter sale: an unfinished receipt never survives a start.
    void createForCounterSale(DbSession &session) const;
    // Table service: the open orders survive; the table is created only when missing.
    // Returns true when it had to be created.
    bool ensureForTableService(DbSession &session) const;
    bool receiptHasLines(DbSession &session) const;
    // Counter sale drops everything; table service keeps a work receipt with lines.
    void dropAtClose(DbSession &session, bool keepReceiptWithLines) const;

private:
    QString m_cisloPC;
};
