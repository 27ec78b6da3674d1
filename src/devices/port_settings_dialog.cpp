#include "devices/port_settings_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSerialPortInfo>

namespace {

QComboBox *choice(const QStringList &words, const QString &current, bool editable, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(words);
    box->setEditable(editable);
    box->setCurrentText(current);
    return box;
}

} // namespace

void askPortSettings(PortSettings &settings, QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Nastavení portu zákaznického displeje"));
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    if (!ports.contains(settings.port))
        ports.prepend(settings.port);
    auto *port = choice(ports, settings.port, true, &dialog);
    auto *baud =
        choice({QStringLiteral("110"), QStringLiteral("300"), QStringLiteral("600"),
                QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                QStringLiteral("9600"), QStringLiteral("14400"), QStringLiteral("19200"),
                QStringLiteral("38400"), QStringLiteral("56000"), QStringLiteral("57600"),
                QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000")},
               settings.baudRate, false, &dialog);
    auto *dataBits =
        choice({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")},
               settings.dataBits, false, &dialog);
    auto *stopBits = choice({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")},
                            settings.stopBits, false, &dialog);
    auto *parity = choice({QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"),
                           QStringLiteral("Mark"), QStringLiteral("Space")},
                          settings.parity, false, &dialog);
    auto *flow =
        choice({QStringLiteral("None"), QStringLiteral("Hardware"), QStringLiteral("Software")},
               settings.flowControl, false, &dialog);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Port"), port);
    form->addRow(QStringLiteral("Rychlost"), baud);
    form->addRow(QStringLiteral("Datové bity"), dataBits);
    form->addRow(QStringLiteral("Stop bity"), stopBits);
    form->addRow(QStringLiteral("Parita"), parity);
    form->addRow(QStringLiteral("Řízení toku"), flow);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.port = port->currentText().trimmed();
    settings.baudRate = baud->currentText();
    settings.dataBits = dataBits->currentText();
    settings.stopBits = stopBits->currentText();
    settings.parity = parity->currentText();
    settings.flowControl = flow->currentText();
}
