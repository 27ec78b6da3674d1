#pragma once

#include <QString>

#include <optional>

// What the cashier typed into the code field, split at the quantity separator
// "°°": "3°°123" is three of product 123, "°°123" the same as "1°°123".
struct TypedCode
{
    bool hasSeparator = false;
    QString quantityText = QStringLiteral("1"); // with the decimal comma
    QString code;
};

TypedCode splitTypedCode(const QString &fixedText);

// A quantity as the cashier types it, with a decimal comma or point. Empty when
// it is not a number (or not a sensible one: infinite, or a million or more).
std::optional<double> parseQuantity(const QString &text);

// Codes of 1 to 4 characters are quick numbers, of 8 or 13 EAN codes.
bool isQuickNumberCode(const QString &code);
bool isEanCode(const QString &code);
// A quick number is a positive whole number; other short codes find nothing.
bool isValidQuickNumber(const QString &code);
