#include "app/ini_file.h"

#include "devices/cp1250.h"

#include <QFile>
#include <QStringDecoder>

namespace {

QString decodeText(QByteArray content)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(content.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(content);
    if (!utf8.hasError())
        return asUtf8;
    return cp1250::decode(content);
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

IniFile IniFile::parse(const QByteArray &content)
{
    IniFile ini;
    QString section;
    const QStringList lines = decodeText(content).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        // A NUL ends the line, as for the C string functions that read these files
        // on Windows: a binary file yields no value carrying control bytes.
        const QString line = raw.left(raw.indexOf(QChar(0))).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            section = line.mid(1, end < 0 ? -1 : end - 1).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        const QString key = slot(section, line.left(eq).trimmed());
        if (!ini.m_values.contains(key))
            ini.m_values.insert(key, value);
    }
    return ini;
}

QString IniFile::slot(const QString &section, const QString &key)
{
    return section.toLower() + QLatin1Char('\n') + key.toLower();
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return m_values.contains(slot(section, key));
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    return m_values.value(slot(section, key), fallback);
}
