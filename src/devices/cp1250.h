#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of Czech Windows: INI files written there and the
// customer pole display speak it.
namespace cp1250 {

QString decode(const QByteArray &bytes);
// Characters the code page lacks become '?'.
QByteArray encode(const QString &text);
// True when every character of the text has a byte in the code page.
bool canEncode(const QString &text);

} // namespace cp1250
