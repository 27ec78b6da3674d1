#pragma once

#include <QString>
#include <QStringList>

// Building SQL text. Every value that reaches a statement goes through sqlQuote;
// numbers go through sqlPoint or sqlNumber so that SQL always gets a full stop.
namespace sql {

// A MySQL string literal in single quotes. Escapes the backslash as well as the
// quote (the session runs without NO_BACKSLASH_ESCAPES), and NUL, CR, LF, Ctrl+Z,
// so no value can end the literal early.
QString quote(const QString &value);

// Number text as the workstation writes it (decimal comma) made fit for SQL.
QString point(const QString &numberText);
// A computed number: up to 15 significant digits, full stop.
QString number(double value);

// Splits a script at each ";" outside quoted strings and comments. Statements may
// span lines; blank statements are dropped; the ";" itself is not kept.
QStringList splitScript(const QString &script);

} // namespace sql
