#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>

// A report's data set as a CSV file a Czech spreadsheet opens as it is:
// semicolons between fields, decimal comma, a header line of column names.
enum class CsvEncoding { Utf8WithBom, Windows1250 };

QByteArray csvText(const QList<QSqlRecord> &rows, CsvEncoding encoding);
bool writeCsv(const QList<QSqlRecord> &rows, const QString &path, CsvEncoding encoding);
