// libFuzzer target: the INI reader. Any file content must parse without a crash,
// and no value read from it carries a line break or a NUL.
#include "app/ini_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const IniFile ini = IniFile::parse(content);
    for (const char *key : {"IP", "SQLport", "CisloPC", "Stredisko", "Port", "BaudRate"}) {
        for (const char *section : {"LogON", "ComPort1", ""}) {
            const QString value =
                ini.value(QLatin1String(section), QLatin1String(key), QStringLiteral("-"));
            if (value.contains(QLatin1Char('\n')) || value.contains(QChar(0)))
                __builtin_trap();
        }
    }
    return 0;
}
