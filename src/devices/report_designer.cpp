#include "devices/report_designer.h"

#include "app/error_box.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

ReportDesigner::ReportDesigner(Report &report, QWidget *parent)
    : QDialog(parent), m_report(report), m_source(new QPlainTextEdit(this)),
      m_preview(new QTextBrowser(this)), m_status(new QLabel(this)),
      m_save(new QPushButton(QStringLiteral("Uložit"), this))
{
    const QString name = report.fileName().isEmpty() ? QStringLiteral("(bez souboru)")
                                                     : QFileInfo(report.fileName()).fileName();
    setWindowTitle(QStringLiteral("Návrh sestavy - ") + name);
    m_source->setObjectName(QStringLiteral("templateSource"));
    m_source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_source->setPlainText(report.templateText());
    m_preview->setObjectName(QStringLiteral("templatePreview"));
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_source);
    splitter->addWidget(m_preview);
    splitter->setSizes({600, 400});
    auto *close = new QPushButton(QStringLiteral("Zavřít"), this);
    m_save->setEnabled(!report.fileName().isEmpty());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(1100, 750);

    m_debounce.setSingleShot(true);
    m_debounce.setInterval(300);
    connect(&m_debounce, &QTimer::timeout, this, &ReportDesigner::refreshPreview);
    connect(m_source, &QPlainTextEdit::textChanged, &m_debounce, qOverload<>(&QTimer::start));
    connect(m_save, &QPushButton::clicked, this, &ReportDesigner::save);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    refreshPreview();
}

void ReportDesigner::refreshPreview()
{
    m_report.setTemplateText(m_source->toPlainText());
    if (m_report.prepare()) {
        m_preview->setHtml(m_report.html());
        m_status->setText(QStringLiteral("Řádků dat: %1").arg(m_report.rows().size()));
    } else {
        m_status->setText(QStringLiteral("Chyba v šabloně: ") + m_report.error());
    }
}

void ReportDesigner::save()
{
    QFile file(m_report.fileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(m_source->toPlainText().toUtf8()) < 0) {
        showError(this, QStringLiteral("Šablonu %1 nelze uložit.").arg(m_report.fileName()));
        return;
    }
    m_status->setText(QStringLiteral("Uloženo."));
}
