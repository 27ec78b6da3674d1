#include "store/sql_text.h"

namespace sql {

QString quote(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    out.append(QLatin1Char('\''));
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\'':
            out.append(QLatin1String("\\'"));
            break;
        case u'\\':
            out.append(QLatin1String("\\\\"));
            break;
        case u'\0':
            out.append(QLatin1String("\\0"));
            break;
        case u'\n':
            out.append(QLatin1String("\\n"));
            break;
        case u'\r':
            out.append(QLatin1String("\\r"));
            break;
        case 0x1A:
            out.append(QLatin1String("\\Z"));
            break;
        default:
            out.append(c);
        }
    }
    out.append(QLatin1Char('\''));
    return out;
}

QString point(const QString &numberText)
{
    QString out = numberText;
    return out.replace(QLatin1Char(','), QLatin1Char('.'));
}

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

QStringList splitScript(const QString &script)
{
    QStringList statements;
    QString current;
    QChar quoteChar; // the quote that opened the string we are in, or null
    enum class Comment { None, Line, Block } comment = Comment::None;

    auto flush = [&] {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
        current.clear();
    };

    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < script.size() ? script.at(i + 1) : QChar();

        if (comment == Comment::Line) {
            current.append(c);
            if (c == QLatin1Char('\n'))
                comment = Comment::None;
            continue;
        }
        if (comment == Comment::Block) {
            current.append(c);
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                current.append(next);
                ++i;
                comment = Comment::None;
            }
            continue;
        }
        if (!quoteChar.isNull()) {
            current.append(c);
            if (c == QLatin1Char('\\') && quoteChar != QLatin1Char('`') && !next.isNull()) {
                current.append(next); // escaped character, never a closing quote
                ++i;
            } else if (c == quoteChar) {
                if (next == quoteChar) { // doubled quote stays inside
                    current.append(next);
                    ++i;
                } else {
                    quoteChar = QChar();
                }
            }
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quoteChar = c;
            current.append(c);
        } else if (c == QLatin1Char(';')) {
            flush();
        } else if (c == QLatin1Char('#') ||
                   (c == QLatin1Char('-') && next == QLatin1Char('-') &&
                    (i + 2 >= script.size() || script.at(i + 2).isSpace()))) {
            comment = Comment::Line;
            current.append(c);
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            comment = Comment::Block;
            current.append(c);
            current.append(next);
            ++i;
        } else {
            current.append(c);
        }
    }
    flush();
    return statements;
}

} // namespace sql
