#pragma once

#include <QString>

class QWidget;
class Report;

// Prints a prepared report on the template's printer (the default one when it
// names none), with the printer dialog first when asked. False, with `error`,
// when there is no printer or printing fails; a cancelled dialog is no error.
bool printReport(Report &report, bool printerDialog, QWidget *parent, QString *error);
// Shows a prepared report in a preview window, from which it can be printed or
// saved as PDF.
void previewReport(Report &report, QWidget *parent);
// Opens the designer on the loaded template, modally.
void designReport(Report &report, QWidget *parent);
// The reports' output: the designer with "/ES", else the preview of the prepared
// report, or the template's error.
void showReport(Report &report, bool designer, QWidget *parent);
