#pragma once

#include "devices/report.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

// The report designer: the template's text beside a live preview on the report's
// data set; "Uložit" writes the template file.
class ReportDesigner : public QDialog
{
    Q_OBJECT
public:
    ReportDesigner(Report &report, QWidget *parent = nullptr);

private:
    void refreshPreview();
    void save();

    Report &m_report;
    QPlainTextEdit *m_source;
    QTextBrowser *m_preview;
    QLabel *m_status;
    QPushButton *m_save;
    QTimer m_debounce;
};
