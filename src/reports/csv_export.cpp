#include "reports/csv_export.h"

#include "devices/cp1250.h"

#include <QDateTime>
#include <QFile>
#include <QSqlField>

namespace {

QString field(const QVariant &value)
{
    QString text;
    switch (value.metaType().id()) {
    case QMetaType::Double:
        text = QString::number(value.toDouble(), 'g', 15);
        break;
    case QMetaType::QDateTime:
        text = value.toDateTime().toString(QStringLiteral("d.M.yyyy H:mm:ss"));
        break;
    case QMetaType::QDate:
        text = value.toDate().toString(QStringLiteral("d.M.yyyy"));
        break;
    default:
        text = value.toString();
    }
    return text;
}

QString quoted(QString text)
{
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

bool isNumber(const QSqlField &f)
{
    const int id = f.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Int || id == QMetaType::LongLong ||
           id == QMetaType::UInt || id == QMetaType::ULongLong;
}

} // namespace

QByteArray csvText(const QList<QSqlRecord> &rows, CsvEncoding encoding)
{
    QStringList lines;
    if (!rows.isEmpty()) {
        QStringList header;
        for (int i = 0; i < rows.first().count(); ++i)
            header << quoted(rows.first().fieldName(i));
        lines << header.join(QLatin1Char(';'));
    }
    for (const QSqlRecord &r : rows) {
        QStringList cells;
        for (int i = 0; i < r.count(); ++i) {
            QString text = field(r.value(i));
            if (isNumber(r.field(i)))
                text.replace(QLatin1Char('.'), QLatin1Char(','));
            cells << quoted(text);
        }
        lines << cells.join(QLatin1Char(';'));
    }
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    if (encoding == CsvEncoding::Windows1250)
        return cp1250::encode(text);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsv(const QList<QSqlRecord> &rows, const QString &path, CsvEncoding encoding)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(csvText(rows, encoding)) >= 0;
}
