// libFuzzer target: the splitter of SQL scripts into statements. Any input must
// split without a crash, and every statement is a piece of the script.
#include "store/sql_text.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString script =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QString &statement : sql::splitScript(script)) {
        if (!script.contains(statement.trimmed()))
            __builtin_trap();
    }
    return 0;
}
