#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

// Small text and number routines whose exact results reach the cashier, the
// customer display, the receipt and the SQL text.
namespace text {

// A scanner that types like a keyboard produces the top row's characters for
// digits under a Czech layout (ěščřžýáíé) or with Shift stuck (!@#$%^&*()).
// Repairs them; "~" becomes "°" so that "~~" types the quantity separator.
// The text is cut to 255 characters.
QString fixScannerDigits(const QString &typed);

// Half away from zero to a whole number.
double roundHalfAway(double value);
// Half away from zero to the given number of decimals (negative: tens, hundreds...).
double roundToDigits(int digits, double value);

// The decimal separator of the machine's regional settings.
QChar systemDecimalSeparator();
// "### ###.00": 1234.5 -> "1 234,50", 12.5 -> " 12,50", 0 -> " ,00".
QString formatAmount(double value, QChar decimalSeparator = systemDecimalSeparator());
// "### ###": 1234 -> "1 234", 0 -> " ".
QString formatWholeAmount(double value);

// A number as the workstation writes it: up to 15 significant digits, the
// system's decimal separator ("2,5", "1577700001").
QString formatNumber(double value);

QString padLeft(const QString &text, int width);
QString padRight(const QString &text, int width);
// Blanks added at the end, then in front, alternately, until the width is reached.
QString centre(const QString &text, int width);
QString blanks(int count);
QString leftPart(const QString &text, int count);
QString rightPart(const QString &text, int count);
// The index-th field between separators, from 0; empty when there are fewer.
QString wordAt(const QString &text, QChar separator, int index);
QString replaceChar(const QString &text, QChar character, const QString &replacement);
QString replaceTextNoCase(const QString &text, const QString &search, const QString &replacement);

// The running program's folder, with a trailing separator.
QString executableFolder();

int yearOf(const QDate &date);
// "yyyy-mm-dd" and "yyyy-mm-dd hh:nn:ss".
QString formatDate(const QDate &date);
QString formatDateTime(const QDateTime &dateTime);

} // namespace text
