#include "sale/receipt_commit.h"

#include "app/user_error.h"
#include "store/db_error.h"
#include "store/db_session.h"
#include "store/sql_text.h"
#include "store/trace_file.h"

#include <QDateTime>

namespace {

// The lines' stock data and the year of the line written last (of one order).
void readWorkReceipt(DbSession &session, CommitInput &input,
                     const QString &orderCondition = QString())
{
    input.stockLines.clear();
    input.receiptYear = QDate::currentDate().year();
    QSqlQuery q = session.query(QStringLiteral("select mnoz, stredisko, jkpov, datum from tmp") +
                                input.cisloPC + QStringLiteral("uct") + orderCondition +
                                QStringLiteral(" order by id2"));
    while (q.next()) {
        input.stockLines.append(
            {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
        const QDateTime datum = q.value(3).toDateTime();
        if (datum.isValid())
            input.receiptYear = datum.date().year();
    }
}

// After a failed commit: was no number left for the receipt?
bool numberIsUnset(DbSession &session)
{
    try {
        return session.scalar(QStringLiteral("select @CiUc")).isNull();
    } catch (const DbError &) {
        return false;
    }
}

qint64 runCommit(DbSession &session, const CommitInput &input, const QStringList &script,
                 int attempts)
{
    for (int attempt = 1;; ++attempt) {
        try {
            session.runScript(script, Trace::Au);
            return session.scalar(QStringLiteral("select @CiUc")).toLongLong();
        } catch (const DbError &e) {
            if (e.isRetryable() && attempt < attempts)
                continue;
            if (e.code() == 1048 && numberIsUnset(session)) {
                throw UserError(
                    QStringLiteral("Čísla účtenek střediska %1 pro rok %2 jsou vyčerpána "
                                   "(nejvýše 99999 účtenek za rok).")
                        .arg(input.stredisko)
                        .arg(input.receiptYear));
            }
            throw;
        }
    }
}

} // namespace

qint64 UlozUcte(DbSession &session, CommitInput input, int attempts)
{
    readWorkReceipt(session, input);
    return runCommit(session, input, counterSaleCommitScript(input), attempts);
}

qint64 commitTableOrder(DbSession &session, CommitInput input, const QString &stul, int attempts)
{
    readWorkReceipt(session, input, QStringLiteral(" where stul=") + sql::quote(stul));
    return runCommit(session, input, tableCommitScript(input, stul), attempts);
}
