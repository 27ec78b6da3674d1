#pragma once

#include <QString>
#include <QStringList>

// Scripts of the commands that act on whole receipts. Each one is all or nothing:
// the work receipt and the storno table are transactional tables, and no table is
// created or dropped inside a transaction (that would commit it half-way).

// Loads receipt `number` into the work receipt for correction, dated now, and its
// negated copy into the storno table "tmp<PC>uct4".
QStringList correctionScript(const QString &cisloPC, qint64 number);
// Loads receipt `number` into the work receipt for a refund; no storno table.
QStringList copyForRefundScript(const QString &cisloPC, qint64 number);
// Deletes every line of the work receipt.
QStringList deleteAllScript(const QString &cisloPC);

// Table service: loads receipt `number` into open order `stul`, replacing that
// order's lines and leaving the other orders alone. `columns` is the select list
// of `uctenky` with the line number `id2` given as 0, so that the work receipt
// numbers the copied lines anew and no two open lines share a number.
QStringList tableCopyForRefundScript(const QString &cisloPC, qint64 number, const QString &stul,
                                     const QString &columns);
// Table service: deletes the lines of open order `stul`.
QStringList deleteOrderScript(const QString &cisloPC, const QString &stul);
// Gives line `id2` the new price; with a discount in percent above 0 also stores
// the discount in crowns and in percent.
QString priceChangeStatement(const QString &cisloPC, int id2, double newPrice, int percent,
                             double discountKc);
