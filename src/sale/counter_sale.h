#pragma once

#include "app/config.h"
#include "store/commit_script.h"
#include "store/work_tables.h"

#include <QSqlRecord>
#include <QString>

#include <optional>

class DbSession;
class Station;

// The labels of the quantity prompt.
struct QuantityPrompt
{
    QString name;
    QString price;
    QString stock;
    QString unit;
};

// What an entry step asks of the window.
struct EntryOutcome
{
    enum class Result {
        Nothing,      // nothing written, no message (e.g. quantity "0")
        Written,      // a line is in the work receipt
        Abandoned,    // nothing written; `message` says why
        Prompt,       // open the quantity prompt with `prompt`
        StayInPrompt, // the prompt stays open; `message` says why
    };
    Result result = Result::Nothing;
    QString message;
    QuantityPrompt prompt;
};

// The receipt-level values the commit consumes.
struct ReceiptState
{
    PaymentMode paymentMode = PaymentMode::Cash;
    int paid = 0;
    int cardDiscount = 0;
    QString cardNumber;
    qint64 correctedReceipt = 0;
    QString deliveryCustomer;
};

// The counter sale's logic, apart from its window: start-up, item entry, the
// receipt's lines and total, and the commit.
class CounterSale
{
public:
    static inline const QString kNotFound = QStringLiteral("Položka nenalezena");
    static inline const QString kNotPositive = QStringLiteral("Množství nesmí být záporné");
    static inline const QString kNotInStock = QStringLiteral("Nelze! Není na skladě.");
    static inline const QString kWholePieces = QStringLiteral("Položka je na KS");
    static inline const QString kRefundDuringCorrection =
        QStringLiteral("Účtenka je načtena k opravě (Ctrl+F4). Opravu dokončete tlačítkem PLATBA,\n"
                       "nebo ji zrušte načtením účtenky k vratce (Ctrl+F5).");

    CounterSale(Station &station, DbSession &session);
    virtual ~CounterSale() = default;

    // Start-up as far as the work receipt: settings, connection, `Ico`, and a
    // fresh work receipt table. Throws UserError or DbError; nothing is prepared then.
    virtual void start(const Config &config);
    // Drops the workstation's work tables, when the start got that far.
    virtual void close();

    bool isReady() const { return m_tables.has_value(); }
    const Config &config() const { return m_config; }
    const WorkTables &tables() const { return *m_tables; }
    const Station &station() const { return m_station; }

    // Item entry from the code field's text (already repaired by the window).
    // Database errors throw DbError.
    EntryOutcome enterCode(const QString &code);
    // The quantity prompt's exit with the text of its field.
    EntryOutcome leaveQuantityPrompt(const QString &quantity);

    // The next line may exceed the stock, once.
    void allowBelowStockOnce() { m_allowBelowStock = true; }
    bool allowBelowStock() const { return m_allowBelowStock; }

    // Writes a line of the product into the work receipt.
    virtual void ZapisFofr(const QSqlRecord &product, int pocet, double unitQuantity);
    // The product of the line written last (the customer display shows it).
    const QSqlRecord &lastProduct() const { return m_lastProduct; }
    // Re-reads the receipt's total from the work receipt.
    virtual double SpoctiSoucet();
    double total() const { return m_total; }
    // Deletes the line with this id2; returns its amount `cenar`.
    double deleteLine(int id2);

    virtual bool hasLines();

    // Correction: loads a committed receipt into the work receipt and its negated
    // copy into the storno table; the next commit writes both.
    void loadForCorrection(qint64 number);
    // Copy for refund: loads a committed receipt; a pending correction is dropped.
    virtual void copyForRefund(qint64 number);
    // "VRATKA": commits the work receipt as a refund. Refused (UserError) while a
    // correction is pending: the old receipt would be reversed twice.
    qint64 refund();
    // Terminal delivery notes: the receipt becomes the note of `odberatel`; the
    // commit then deletes the note.
    void takeOverNote(const QString &odberatel);
    // Deletes all lines; nothing (and no trace) when there are none.
    virtual void deleteAllLines();
    // A line's list price and purchase price, for the price change.
    struct LinePrices
    {
        double listPrice = 0;
        double purchasePrice = 0;
    };
    LinePrices linePrices(int id2);
    void changePrice(int id2, double newPrice, int percent, double discountKc);

    ReceiptState &receipt() { return m_receipt; }
    // Commits the work receipt with the receipt state; afterwards the corrected
    // receipt and the delivery-note customer are cleared. Returns the number.
    virtual qint64 UlozUcte();

    // Queries of the window's lists.
    virtual QString receiptLinesQuery() const;
    QString todayReceiptsQuery() const;

protected:
    // Whether the quantity prompt takes a decimal quantity of a product sold by the piece.
    virtual bool decimalPiecesAllowed() const { return false; }
    CommitInput commitInput() const;

    Station &m_station;
    DbSession &m_session;
    Config m_config;
    std::optional<WorkTables> m_tables;
    double m_total = 0;
    ReceiptState m_receipt;
    QSqlRecord m_lastProduct;

private:
    struct Entry
    {
        QSqlRecord product;
        int pocet = 1;
        double unitQuantity = 1;
        double onReceipt = 0;
    };
    std::optional<QSqlRecord> findProduct(QString code);
    double quantityOnReceipt(const QString &jkpov);
    bool passesStockCheck(const Entry &entry) const;
    EntryOutcome writeChecked(const Entry &entry, const QString &refusal);

    std::optional<Entry> m_entry; // between the code field and the quantity prompt
    bool m_allowBelowStock = false;
};
