#pragma once

#include "sale/counter_sale.h"

// Table service's logic, apart from its window: the counter sale's, per open
// order. All open orders of the workstation live in its work receipt table, keyed
// by `stul`, across runs; everything here reads and writes the current order only.
class TableSale : public CounterSale
{
public:
    // The order a copy for refund goes into.
    static inline const QString kStornoOrder = QStringLiteral("xx");

    using CounterSale::CounterSale;

    // Settings, connection and the work receipt table, created only when missing
    // (open orders stay). No `Ico`, no stock control, no customer display.
    void start(const Config &config) override;
    // Drops the storno and left-over tables, and the work receipt only when no
    // order is open.
    void close() override;

    const QString &currentTable() const { return m_currentTable; }
    // Switches to another order; SpoctiSoucet() then gives its total.
    void setCurrentTable(const QString &tableId);

    void ZapisFofr(const QSqlRecord &product, int pocet, double unitQuantity) override;
    double SpoctiSoucet() override;
    bool hasLines() override;
    // Commits the current order only; a refund keeps the payment type of its lines.
    qint64 UlozUcte() override;
    // Copies the receipt into order "xx", replacing what that order held, and
    // makes it the current order.
    void copyForRefund(qint64 number) override;
    // Deletes the lines of the current order only.
    void deleteAllLines() override;
    QString receiptLinesQuery() const override;

protected:
    bool decimalPiecesAllowed() const override { return true; }

private:
    QString orderCondition() const;

    QString m_currentTable;
    QString m_copyColumns; // the committed lines' columns, as the copy for refund reads them
};
