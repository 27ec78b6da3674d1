#pragma once

#include "store/db_session.h"

#include <QString>

// Small building blocks for receipts in tests.
namespace fixture {

struct WorkLine
{
    QString jkpov;
    int dph;
    double pcsd;
    double mnoz;
    QString datum = QStringLiteral("2015-03-10 10:00:00");
    QString stredisko = QStringLiteral("777");
    QString stul = {};
};

// A line written straight into the work receipt "tmp<cisloPC>uct".
void addWorkLine(DbSession &session, const QString &cisloPC, const WorkLine &line);
// A product of branch 777 (or the given one) with its stock.
void addProduct(const QString &jkpov, double stav,
                const QString &stredisko = QStringLiteral("777"));
// A committed receipt line.
void addStoredLine(DbSession &session, qint64 cisuctenky, const QString &datum,
                   const QString &stredisko = QStringLiteral("777"));
// Count of rows the statement finds.
int count(DbSession &session, const QString &fromWhere);

} // namespace fixture
