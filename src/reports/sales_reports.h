#pragma once

#include "store/vat_rates.h"

#include <QSqlQuery>

#include <QDate>
#include <QString>
#include <QStringList>

class DbSession;
class Report;

// The takings reports of a period: nine kinds, each a fixed sequence of statements
// on the workstation's work tables tmp<PC>trz1..3, the last one giving the data set.
struct SalesReportRequest
{
    int kind = 0;
    QDate from;
    QDate to;
    QString stredisko; // empty: all branches
    QString jkpov;     // empty: all products
    QString cisloPC;
    VatRates vat; // the titles of the VAT columns
    // The scratch tables are kept in memory up to this size each (the server's
    // max_heap_table_size for the report's session); a period that needs more
    // runs again with the tables on disk.
    qint64 memoryLimit = 256 * 1024 * 1024;
};

enum class ScratchTables { InMemory, OnDisk };

// The captions of the kinds, in order.
QStringList salesReportKinds();
// The template file of a kind: "trz1.fr3", "trz1d.fr3", "trz2.fr3" ... "trz8.fr3".
QString salesReportTemplate(int kind);
// Every statement of a kind, in order; the last one is the query of the data set.
QStringList salesReportStatements(const SalesReportRequest &request,
                                  ScratchTables scratch = ScratchTables::InMemory);
// The statements that drop the work tables when the dialog closes.
QStringList salesReportCleanUp(const QString &cisloPC);

// Runs the statements of the kind in turn, the last one saved to "a.txt" first;
// returns the query of the data set.
QSqlQuery querySalesReport(DbSession &session, const SalesReportRequest &request);
// The same, bound to the report with the variables "oddata" and "dodata", and the
// kind's template loaded from `templateFolder`.
void runSalesReport(DbSession &session, const SalesReportRequest &request,
                    const QString &templateFolder, Report &report);
