#pragma once

#include <QDate>
#include <QString>

class DbSession;

// Every document that moved one product at one branch, collected into the work
// table tmp<PC>histo: goods receipts "P", delivery notes and invoices "V", sales
// receipts "U".
class ItemHistory
{
public:
    ItemHistory(DbSession &session, QString cisloPC, QString jkpov, QString stredisko);

    QString table() const;
    // Rebuilds the work table. Throws DbError.
    void build();
    // Total quantity of a kind over the whole table, as text ("0" when none).
    struct Sums
    {
        QString received = QStringLiteral("0");  // P
        QString delivered = QStringLiteral("0"); // V
        QString sold = QStringLiteral("0");      // U
    };
    Sums sums();
    // The query of the grid: the checked kinds, from a day on when given.
    QString filterQuery(bool received, bool delivered, bool sold, const QDate &from) const;
    void drop();

private:
    DbSession &m_session;
    QString m_cisloPC;
    QString m_jkpov;
    QString m_stredisko;
};
