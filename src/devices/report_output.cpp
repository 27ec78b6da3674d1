#include "devices/report_output.h"

#include "app/error_box.h"
#include "devices/report.h"
#include "devices/report_designer.h"
#include "reports/csv_export.h"

#include <QAction>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>

namespace {

// The printer a template names, or the default one; false when there is none.
bool choosePrinter(QPrinter &printer, const PageSettings &page, QString *error)
{
    const QPrinterInfo info = page.printer.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                     : QPrinterInfo::printerInfo(page.printer);
    if (info.isNull()) {
        if (error) {
            *error = page.printer.isEmpty()
                         ? QStringLiteral("Není nastavena žádná tiskárna.")
                         : QStringLiteral("Tiskárna „%1“ není k dispozici.").arg(page.printer);
        }
        return false;
    }
    printer.setPrinterName(info.printerName());
    printer.setCopyCount(page.copies);
    return true;
}

} // namespace

bool printReport(Report &report, bool printerDialog, QWidget *parent, QString *error)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer, report.page(), error))
        return false;
    if (printerDialog) {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return true;
    }
    paintReport(report, printer);
    if (printer.printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("Tiskárna „%1“ hlásí chybu.").arg(printer.printerName());
        return false;
    }
    return true;
}

void previewReport(Report &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    choosePrinter(printer, report.page(), nullptr);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Náhled"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter *target) { paintReport(report, *target); });
    if (auto *toolbar = preview.findChild<QToolBar *>()) {
        QAction *pdf = toolbar->addAction(QStringLiteral("Uložit PDF"));
        QObject::connect(pdf, &QAction::triggered, &preview, [&report, &preview] {
            const QString path = QFileDialog::getSaveFileName(
                &preview, QStringLiteral("Uložit PDF"), QString(), QStringLiteral("PDF (*.pdf)"));
            if (!path.isEmpty())
                exportPdf(report, path.endsWith(QLatin1String(".pdf"))
                                      ? path
                                      : path + QStringLiteral(".pdf"));
        });
    }
    preview.resize(900, 800);
    preview.exec();
}

void designReport(Report &report, QWidget *parent)
{
    ReportDesigner designer(report, parent);
    designer.exec();
}

void showReport(Report &report, bool designer, QWidget *parent)
{
    if (designer)
        designReport(report, parent);
    else if (report.prepare())
        previewReport(report, parent);
    else
        showError(parent, report.error());
}
