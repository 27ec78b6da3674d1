#pragma once

#include "devices/report.h"

#include <QString>

#include <optional>

class DbSession;

enum class ReceiptScreen { CounterSale, TableService };

// The template of a receipt: base uct1 (no payment recorded: the branch does not
// record payments or nothing was paid), uct2 (paid, no card) or uct3 (paid, card).
QString receiptTemplateBase(const QVariant &evidPlatby, const QVariant &platil,
                            const QVariant &cislokarty);
// The family suffix of `typUctenky` on each screen.
QString receiptFamilySuffix(ReceiptScreen screen, int typUctenky);
// Every template file name a screen can ask for.
QStringList receiptTemplateFiles(ReceiptScreen screen);
// The folder of the receipt templates: "fr3" beside the program.
QString receiptTemplateFolder();

// The receipt data set: the receipt's lines joined with their branch; the receipt
// just committed (@CiUc on the same connection) or a given number.
QString receiptQuery(std::optional<qint64> number = std::nullopt);

// The number of the reprint dialog: year field, then the branch code's text as
// configured (043 stays 043), read as a number, times 100000, plus the running
// number. Throws UserError when the branch code is not a whole number.
qint64 reprintReceiptNumber(int yearField, const QString &stredisko, int runningNumber);
// The branch field of the reprint dialog: the branch code read as a whole number.
int branchFieldValue(const QString &stredisko);

// Opens a receipt's data set on the session, chooses its template and loads it,
// ready for output. A missing template file leaves the report empty.
class ReceiptPrint
{
public:
    ReceiptPrint(ReceiptScreen screen, int typUctenky,
                 QString templateFolder = receiptTemplateFolder());

    void setVatRates(const VatRates &rates) { m_vatRates = rates; }
    // Throws DbError when the data set cannot be opened.
    void load(DbSession &session, std::optional<qint64> number = std::nullopt);
    QString templateFile() const { return m_templateFile; }
    Report &report() { return m_report; }

private:
    ReceiptScreen m_screen;
    int m_typUctenky;
    QString m_folder;
    QString m_templateFile;
    Report m_report;
    VatRates m_vatRates;
};
