#include "devices/text_utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <cmath>
#include <cstdint>

namespace text {

QString fixScannerDigits(const QString &typed)
{
    static const QString from = QStringLiteral("~!+@ě#š$č%ř^ž&ý*á(í)é");
    static const QString to = QStringLiteral("°11223344556677889900");
    QString out = typed.left(255);
    for (QChar &c : out) {
        const qsizetype at = from.indexOf(c);
        if (at >= 0)
            c = to.at(at);
    }
    return out;
}

double roundHalfAway(double value)
{
    // Beyond 2^52 every double is whole already; this also keeps the cast defined.
    if (!std::isfinite(value) || std::fabs(value) >= 4503599627370496.0)
        return value;
    const auto whole = static_cast<std::int64_t>(value >= 0 ? value + 0.5 : value - 0.5);
    return static_cast<double>(whole);
}

double roundToDigits(int digits, double value)
{
    long double power = 1.0L;
    for (int i = 0; i < std::abs(digits); ++i)
        power *= 10.0L;
    if (digits < 0)
        power = 1.0L / power;
    const auto scaled = static_cast<double>(value * power);
    return static_cast<double>(roundHalfAway(scaled) / power);
}

QChar systemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

namespace {

// |value| rounded half away to the given decimals, taken from its 15-digit
// decimal form so that 2.675 is 268 hundredths as the cashier reads it.
std::int64_t scaledMagnitude(double value, int decimals)
{
    double magnitude = std::fabs(value);
    for (int i = 0; i < decimals; ++i)
        magnitude *= 10.0;
    magnitude = QString::number(magnitude, 'g', 15).toDouble();
    return static_cast<std::int64_t>(std::floor(magnitude + 0.5));
}

QString groupedWholePart(std::int64_t whole)
{
    const QString digits = whole == 0 ? QString() : QString::number(whole);
    if (digits.size() <= 3)
        return QLatin1Char(' ') + digits;
    return digits.left(digits.size() - 3) + QLatin1Char(' ') + digits.right(3);
}

QString withSign(double value, std::int64_t scaled, const QString &text)
{
    return value < 0 && scaled != 0 ? QLatin1Char('-') + text : text;
}

} // namespace

QString formatAmount(double value, QChar decimalSeparator)
{
    const std::int64_t cents = scaledMagnitude(value, 2);
    const QString hundredths = QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
    return withSign(value, cents, groupedWholePart(cents / 100) + decimalSeparator + hundredths);
}

QString formatWholeAmount(double value)
{
    const std::int64_t whole = scaledMagnitude(value, 0);
    return withSign(value, whole, groupedWholePart(whole));
}

QString formatNumber(double value)
{
    QString t = QString::number(value, 'g', 15);
    return t.replace(QLatin1Char('.'), systemDecimalSeparator());
}

QString padLeft(const QString &text, int width)
{
    return text.size() >= width ? text : blanks(width - int(text.size())) + text;
}

QString padRight(const QString &text, int width)
{
    return text.size() >= width ? text : text + blanks(width - int(text.size()));
}

QString centre(const QString &text, int width)
{
    QString out = text;
    bool atEnd = true;
    while (out.size() < width) {
        if (atEnd)
            out.append(QLatin1Char(' '));
        else
            out.prepend(QLatin1Char(' '));
        atEnd = !atEnd;
    }
    return out;
}

QString blanks(int count)
{
    return count > 0 ? QString(count, QLatin1Char(' ')) : QString();
}

QString leftPart(const QString &text, int count)
{
    return text.left(std::max(count, 0));
}

QString rightPart(const QString &text, int count)
{
    return text.right(std::max(count, 0));
}

QString wordAt(const QString &text, QChar separator, int index)
{
    return index < 0 ? QString() : text.split(separator).value(index);
}

QString replaceChar(const QString &text, QChar character, const QString &replacement)
{
    QString out = text;
    return out.replace(character, replacement);
}

QString replaceTextNoCase(const QString &text, const QString &search, const QString &replacement)
{
    if (search.isEmpty())
        return text;
    QString out = text;
    return out.replace(search, replacement, Qt::CaseInsensitive);
}

QString executableFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
}

int yearOf(const QDate &date)
{
    return date.year();
}

QString formatDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString formatDateTime(const QDateTime &dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace text
