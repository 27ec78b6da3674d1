#pragma once

#include <QDateTime>
#include <QSqlRecord>
#include <QString>

// The Ico whose branches do not print the product descriptions on sale lines.
inline const QString kIcoWithoutDescriptions = QStringLiteral("29518406");

// The line write of table service: the line belongs to an order, its descriptions
// are always written and it carries no purchase price.
QString tableLineInsertStatement(const QString &cisloPC, const QSqlRecord &product, int pocet,
                                 double unitQuantity, const QString &stredisko, const QString &stul,
                                 const QDateTime &now);

// The statement that writes one line into the work receipt `ZapisFofr` runs:
// values from the product row, line count, unit quantity, time of entry. Later
// assignments use columns assigned earlier in the same statement.
QString lineInsertStatement(const QString &cisloPC, const QSqlRecord &product, int pocet,
                            double unitQuantity, const QString &ico, const QString &stredisko,
                            const QDateTime &now);

// The receipt line list, in entry order.
QString receiptLinesQuery(const QString &cisloPC);
// The lines of one open order of table service, in entry order.
QString receiptLinesQuery(const QString &cisloPC, const QString &stul);
// Today's receipts of the branch, newest first; `cislo` is the running number.
QString todayReceiptsQuery(const QString &stredisko);
