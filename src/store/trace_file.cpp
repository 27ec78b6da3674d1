#include "store/trace_file.h"

#include <QDir>
#include <QFile>

QString traceFileName(Trace trace)
{
    switch (trace) {
    case Trace::Au:
        return QStringLiteral("au.txt");
    case Trace::A4:
        return QStringLiteral("a4.txt");
    case Trace::A:
        return QStringLiteral("a.txt");
    case Trace::Ax:
        return QStringLiteral("ax.txt");
    case Trace::None:
        break;
    }
    return {};
}

void writeTrace(Trace trace, const QString &text)
{
    const QString name = traceFileName(trace);
    if (name.isEmpty())
        return;
    QFile file(QDir::current().filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}
