#pragma once

#include <QString>

class DbSession;
struct Config;

// Today's cash takings of the branch, the shop's cash-book balance, and their sum:
// the cash that should be in the till.
struct DayTotals
{
    double cash = 0;
    double cashBook = 0;
    double total() const { return cash + cashBook; }
};

// Reads the figures on the session. The cash book is read only when the
// configuration names its branch (`pokladnaSTREDISKO`); its database name must be
// a plain name (UserError otherwise). Throws DbError on server errors.
DayTotals readDayTotals(DbSession &session, const Config &config, const QString &cisloPC,
                        const QString &stredisko);
// The message box text: three lines, amounts as currency of the system's settings.
QString dayTotalsMessage(const DayTotals &totals);
