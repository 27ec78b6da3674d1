#pragma once

#include "store/vat_rates.h"

#include <QList>
#include <QMap>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

class QPagedPaintDevice;
class QSqlQuery;
class QImage;

// Page settings a template carries in its <meta> tags (see the README).
struct PageSettings
{
    double widthMm = 210;
    double heightMm = 297; // 0: as long as the content (a roll of paper)
    double marginMm = 10;
    QString printer; // empty: the system's default printer
    int copies = 1;

    static PageSettings fromTemplate(const QString &templateText);
};

// A report: a template file, one data set and named variables, rendered to HTML
// that QTextDocument lays out for the printer, the preview, PDF or an image.
//
// Templates are HTML with Mustache tags. The data set's rows are `rows`, its first
// row `first`, column sums `sum`, the row count `count`; variables are top-level.
// Every column c of a row gives {{c}}, and for numbers also {{c_kc}} ("1 234,50",
// "0,43") and {{c_cele}} ("1 235"); {{#has_c}} is true when c is not empty, NULL
// or zero.
// A column whose name repeats (a join) is reached as {{table.c}}.
class Report
{
public:
    // Loads a template. A missing file leaves the report empty; no error.
    // Returns whether the file was there.
    bool loadFromFile(const QString &path);
    void setTemplateText(const QString &text);
    QString templateText() const { return m_template; }
    QString fileName() const { return m_fileName; }
    bool isEmpty() const { return m_template.trimmed().isEmpty(); }

    // Binds the data set: every row the query returns, read at once.
    void setData(QSqlQuery &query);
    void setData(const QList<QSqlRecord> &rows);
    const QList<QSqlRecord> &rows() const { return m_rows; }
    void setVariable(const QString &name, const QVariant &value);
    void clear();

    // Renders the template on the data. False when the template is broken; error()
    // then says why. An empty template prepares an empty report.
    bool prepare();
    bool isPrepared() const { return m_prepared; }
    QString error() const { return m_error; }
    QString html() const { return m_html; }
    PageSettings page() const { return PageSettings::fromTemplate(m_template); }

private:
    QString m_fileName;
    QString m_template;
    QList<QSqlRecord> m_rows;
    QMap<QString, QVariant> m_variables;
    QString m_html;
    QString m_error;
    bool m_prepared = false;
};

// Lays the prepared report out on a printer or a PDF writer and paints it:
// fixed pages are paginated, a roll gets one page as long as the content.
void paintReport(const Report &report, QPagedPaintDevice &device);
// Writes the prepared report as a PDF file. False (and `error`) when it cannot.
bool exportPdf(const Report &report, const QString &path, QString *error = nullptr);
// The prepared report as one image (all pages one under another) at the given dpi.
QImage renderImage(const Report &report, int dpi);

// The VAT rates of the column pairs as the templates show them:
// {{sazba_z1}}, {{sazba_z5}}, {{sazba_z23}}.
void setVatRateVariables(Report &report, const VatRates &rates);
