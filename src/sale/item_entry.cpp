#include "sale/item_entry.h"

#include "devices/text_utils.h"

#include <cmath>

TypedCode splitTypedCode(const QString &fixedText)
{
    TypedCode typed;
    typed.code = fixedText;
    const qsizetype p = fixedText.indexOf(QStringLiteral("°°"));
    if (p >= 0) {
        typed.hasSeparator = true;
        if (p > 0)
            typed.quantityText = fixedText.left(p);
        typed.code = fixedText.mid(p + 2).left(20);
        typed.quantityText.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return typed;
}

std::optional<double> parseQuantity(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) >= 1e6)
        return std::nullopt;
    return value;
}

bool isQuickNumberCode(const QString &code)
{
    return code.size() >= 1 && code.size() <= 4;
}

bool isEanCode(const QString &code)
{
    return code.size() == 8 || code.size() == 13;
}

bool isValidQuickNumber(const QString &code)
{
    bool ok = false;
    const int n = code.toInt(&ok);
    if (!ok || n <= 0)
        return false;
    for (const QChar c : code) {
        if (!c.isDigit())
            return false;
    }
    return true;
}
