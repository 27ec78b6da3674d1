#pragma once

#include <QString>

class DbSession;
struct Config;

// The station values every window reads: workstation number, branch and the
// branch's company identification.
class Station
{
public:
    QString cisloPC = QStringLiteral("00");
    QString stredisko = QStringLiteral("777");
    QString ico;

    // Takes `CisloPC` and `Stredisko` from the configuration.
    void reload(const Config &config);

    // `CisloPC` becomes part of table names, unquoted: only ASCII letters, digits
    // and the underscore, at most 50 of them.
    static bool isValidWorkstationNumber(const QString &cisloPC);
    // The Czech message shown when `CisloPC` is refused, or empty when it is fine.
    QString workstationNumberProblem() const;

    // Sets `Ico` from the branch's row of `strediska` (empty when there is none).
    void readIco(DbSession &session);

    // The first steps of a receipt screen's start: takes the station values from
    // the configuration, refuses an unusable `CisloPC` (UserError) and opens the
    // session on the configured server (DbError).
    void openSession(const Config &config, DbSession &session);
};
