#pragma once

#include <QHash>
#include <QString>

// A plain INI file as Windows reads it: sections and keys without regard to case,
// the first occurrence wins, values trimmed, a value in double quotes unquoted,
// lines starting with ";" ignored. UTF-8 files (with or without BOM) and files
// written on Windows in Windows-1250 are both read.
class IniFile
{
public:
    // A missing or unreadable file gives an empty IniFile.
    static IniFile load(const QString &path);
    static IniFile parse(const QByteArray &content);

    bool contains(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &fallback = {}) const;

private:
    static QString slot(const QString &section, const QString &key);
    QHash<QString, QString> m_values;
};
