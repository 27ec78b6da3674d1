#include "devices/report.h"

#include "devices/text_utils.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QTextDocument>

#include <kainjow/mustache.hpp>

namespace mustache = kainjow::mustache;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

bool isNumeric(const QSqlField &field, const QVariant &value)
{
    switch (field.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        break;
    }
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Money as a receipt shows it: "1 234,50", "0,43", "-8,38".
QString moneyText(double value)
{
    QString t = text::formatAmount(value).trimmed();
    const QChar separator = text::systemDecimalSeparator();
    if (t.startsWith(separator))
        t.prepend(QLatin1Char('0'));
    else if (t.startsWith(QLatin1Char('-')) && t.size() > 1 && t.at(1) == separator)
        t.insert(1, QLatin1Char('0'));
    return t;
}

// The keys one value gives a template, into `object`.
void putValue(mustache::data &object, const QString &name, const QVariant &value, bool numeric,
              bool isDate = false)
{
    if (isDate && !value.isNull()) {
        object.set(s(name), s(value.toDate().toString(QStringLiteral("d. M. yyyy"))));
        object.set(s(QStringLiteral("has_") + name), true);
        return;
    }
    if (value.metaType().id() == QMetaType::Bool) {
        object.set(s(name), value.toBool());
        return;
    }
    if (value.isNull()) {
        object.set(s(name), std::string());
        object.set(s(QStringLiteral("has_") + name), false);
        return;
    }
    if (numeric) {
        const double number = value.toDouble();
        object.set(s(name), s(text::formatNumber(number)));
        object.set(s(name + QStringLiteral("_kc")), s(moneyText(number)));
        const QString whole = text::formatWholeAmount(number).trimmed();
        object.set(s(name + QStringLiteral("_cele")),
                   s(whole.isEmpty() || whole == QLatin1String("-") ? QStringLiteral("0") : whole));
        object.set(s(QStringLiteral("has_") + name), number != 0);
        return;
    }
    if (value.metaType().id() == QMetaType::QDateTime ||
        value.metaType().id() == QMetaType::QDate) {
        const QDateTime t = value.toDateTime();
        object.set(s(name), s(t.toString(QStringLiteral("d. M. yyyy H:mm"))));
        object.set(s(name + QStringLiteral("_datum")), s(t.toString(QStringLiteral("d. M. yyyy"))));
        object.set(s(name + QStringLiteral("_cas")), s(t.toString(QStringLiteral("H:mm"))));
        object.set(s(QStringLiteral("has_") + name), true);
        return;
    }
    const QString text = value.toString();
    object.set(s(name), s(text));
    object.set(s(QStringLiteral("has_") + name), !text.isEmpty());
}

mustache::data rowData(const QSqlRecord &record)
{
    mustache::data row;
    QMap<QString, mustache::data> byTable;
    QSet<QString> seen;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        const QString name = field.name().toLower();
        const bool numeric = isNumeric(field, field.value());
        const bool isDate = field.metaType().id() == QMetaType::QDate;
        if (!seen.contains(name)) {
            seen.insert(name);
            putValue(row, name, field.value(), numeric, isDate);
        }
        if (!field.tableName().isEmpty())
            putValue(byTable[field.tableName().toLower()], name, field.value(), numeric, isDate);
    }
    for (auto it = byTable.cbegin(); it != byTable.cend(); ++it)
        row.set(s(it.key()), it.value());
    return row;
}

mustache::data sums(const QList<QSqlRecord> &rows)
{
    mustache::data sum;
    if (rows.isEmpty())
        return sum;
    const QSqlRecord &first = rows.first();
    for (int i = 0; i < first.count(); ++i) {
        if (!isNumeric(first.field(i), first.value(i)))
            continue;
        double total = 0;
        for (const QSqlRecord &r : rows)
            total += r.value(i).toDouble();
        putValue(sum, first.fieldName(i).toLower(), total, true);
    }
    return sum;
}

double metaNumber(const QString &templateText, const char *name, double fallback,
                  bool *automatic = nullptr)
{
    const QRegularExpression re(
        QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(QLatin1String(name)),
        QRegularExpression::CaseInsensitiveOption);
    const QString content = re.match(templateText).captured(1).trimmed();
    if (automatic)
        *automatic = content.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0;
    bool ok = false;
    const double value = QString(content).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && value >= 0 ? value : fallback;
}

QString metaText(const QString &templateText, const char *name)
{
    const QRegularExpression re(
        QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(QLatin1String(name)),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(templateText).captured(1).trimmed();
}

} // namespace

PageSettings PageSettings::fromTemplate(const QString &templateText)
{
    PageSettings p;
    p.widthMm = metaNumber(templateText, "page-width", p.widthMm);
    bool roll = false;
    p.heightMm = metaNumber(templateText, "page-height", p.heightMm, &roll);
    if (roll)
        p.heightMm = 0;
    p.marginMm = metaNumber(templateText, "margin", p.marginMm);
    p.printer = metaText(templateText, "printer");
    p.copies = std::max(1, static_cast<int>(metaNumber(templateText, "copies", 1)));
    return p;
}

bool Report::loadFromFile(const QString &path)
{
    m_fileName = path;
    m_prepared = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_template.clear();
        return false;
    }
    m_template = QString::fromUtf8(file.readAll());
    return true;
}

void Report::setTemplateText(const QString &text)
{
    m_template = text;
    m_prepared = false;
}

void Report::setData(QSqlQuery &query)
{
    QList<QSqlRecord> rows;
    while (query.next())
        rows.append(query.record());
    setData(rows);
}

void Report::setData(const QList<QSqlRecord> &rows)
{
    m_rows = rows;
    m_prepared = false;
}

void Report::setVariable(const QString &name, const QVariant &value)
{
    m_variables.insert(name, value);
    m_prepared = false;
}

void Report::clear()
{
    *this = Report{};
}

bool Report::prepare()
{
    m_prepared = false;
    m_html.clear();
    m_error.clear();
    if (isEmpty()) {
        m_prepared = true;
        return true;
    }
    mustache::mustache tmpl(s(m_template));
    if (!tmpl.is_valid()) {
        m_error = QString::fromStdString(tmpl.error_message());
        return false;
    }
    mustache::data data;
    mustache::data list{mustache::data::type::list};
    for (const QSqlRecord &r : std::as_const(m_rows))
        list.push_back(rowData(r));
    data.set("rows", list);
    data.set("first", m_rows.isEmpty() ? mustache::data{} : rowData(m_rows.first()));
    data.set("sum", sums(m_rows));
    data.set("count", std::to_string(m_rows.size()));
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it) {
        const bool numeric = it.value().metaType().id() == QMetaType::Double ||
                             it.value().metaType().id() == QMetaType::Int ||
                             it.value().metaType().id() == QMetaType::LongLong;
        putValue(data, it.key(), it.value(), numeric);
    }
    const std::string html = tmpl.render(data);
    if (!tmpl.is_valid()) {
        m_error = QString::fromStdString(tmpl.error_message());
        return false;
    }
    m_html = QString::fromStdString(html);
    m_prepared = true;
    return true;
}

namespace {

// Lays the HTML out for a device; returns the document, sized for its pages.
void layOut(QTextDocument &doc, const Report &report, QPaintDevice &device, double printableWidthMm)
{
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDocumentMargin(0);
    doc.setHtml(report.html());
    doc.setTextWidth(printableWidthMm / 25.4 * device.logicalDpiX());
}

} // namespace

void paintReport(const Report &report, QPagedPaintDevice &device)
{
    const PageSettings page = report.page();
    const double printableWidth = std::max(10.0, page.widthMm - 2 * page.marginMm);
    QTextDocument doc;
    layOut(doc, report, device, printableWidth);
    const QMarginsF margins(page.marginMm, page.marginMm, page.marginMm, page.marginMm);
    if (page.heightMm > 0) {
        device.setPageLayout(
            QPageLayout(QPageSize(QSizeF(page.widthMm, page.heightMm), QPageSize::Millimeter),
                        QPageLayout::Portrait, margins, QPageLayout::Millimeter));
        doc.setPageSize(QSizeF(doc.textWidth(),
                               (page.heightMm - 2 * page.marginMm) / 25.4 * device.logicalDpiY()));
        doc.print(&device);
        return;
    }
    // A roll: one page exactly as long as the content.
    const double contentMm = doc.size().height() / device.logicalDpiY() * 25.4;
    device.setPageLayout(
        QPageLayout(QPageSize(QSizeF(page.widthMm, contentMm + 2 * page.marginMm),
                              QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, margins, QPageLayout::Millimeter));
    QPainter painter(&device);
    doc.drawContents(&painter);
}

bool exportPdf(const Report &report, const QString &path, QString *error)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Prodej"));
    paintReport(report, writer);
    QFile check(path);
    if (!check.exists() || check.size() == 0) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat.").arg(path);
        return false;
    }
    return true;
}

QImage renderImage(const Report &report, int dpi)
{
    const PageSettings page = report.page();
    const double printableWidth = std::max(10.0, page.widthMm - 2 * page.marginMm);
    const int dpm = qRound(dpi / 0.0254);
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(dpm);
    probe.setDotsPerMeterY(dpm);
    QTextDocument doc;
    layOut(doc, report, probe, printableWidth);
    const int margin = qRound(page.marginMm / 25.4 * dpi);
    QImage image(qRound(page.widthMm / 25.4 * dpi), qCeil(doc.size().height()) + 2 * margin,
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(margin, margin);
    doc.drawContents(&painter);
    return image;
}

void setVatRateVariables(Report &report, const VatRates &rates)
{
    report.setVariable(QStringLiteral("sazba_z1"), rates.z1);
    report.setVariable(QStringLiteral("sazba_z5"), rates.z5);
    report.setVariable(QStringLiteral("sazba_z23"), rates.z23);
}
