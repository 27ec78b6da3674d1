#include "devices/customer_display.h"

#include "app/ini_file.h"
#include "app/user_error.h"
#include "devices/cp1250.h"
#include "devices/text_utils.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSerialPort>

namespace {

const QString kSection = QStringLiteral("ComPort1");
constexpr int kWidth = 20;

// Bytes 0x80 to 0xFF of Windows-1250 as the display gets them.
constexpr unsigned char kHighBytes[128] = {
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x53, 0x8B, 0x53, 0x54, 0x5A, 0x5A,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x73, 0x9B, 0x73, 0x74, 0x7A, 0x7A,
    0xA0, 0xA1, 0xA2, 0x4C, 0xA4, 0x41, 0xA6, 0xA7, 0xA8, 0xA9, 0x53, 0xAB, 0xAC, 0xAD, 0xAE, 0x5A,
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0x61, 0x73, 0xBB, 0x4C, 0xBD, 0x6C, 0x7A,
    0x52, 0x41, 0x41, 0x41, 0x41, 0x4C, 0x43, 0x43, 0x43, 0x45, 0x45, 0x45, 0x45, 0x49, 0x49, 0x44,
    0x44, 0x4E, 0x4E, 0x4F, 0x4F, 0x4F, 0x4F, 0xD7, 0x52, 0x55, 0x55, 0x55, 0x55, 0x59, 0x54, 0xDF,
    0x72, 0x61, 0x61, 0x61, 0x61, 0x6C, 0x63, 0x63, 0x63, 0x65, 0x65, 0x65, 0x65, 0x69, 0x69, 0x64,
    0x64, 0x6E, 0x6E, 0x6F, 0x6F, 0x6F, 0x6F, 0xF7, 0x72, 0x75, 0x75, 0x75, 0x75, 0x79, 0x74, 0xFF,
};

// `label` and `amount` on one line: the label cut so that the amount ends at 20.
QString withAmountAtEnd(const QString &label, const QString &amount)
{
    return text::leftPart(text::padRight(label, kWidth), kWidth - int(amount.size())) + amount;
}

QString amount(double value)
{
    return text::formatAmount(value);
}

void applySettings(QSerialPort &port, const PortSettings &s)
{
    port.setPortName(s.port);
    port.setBaudRate(s.baudRate == QLatin1String("Custom") ? s.customBaudRate : s.baudRate.toInt());
    port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits.toInt()));
    port.setStopBits(s.stopBits == QLatin1String("2")     ? QSerialPort::TwoStop
                     : s.stopBits == QLatin1String("1.5") ? QSerialPort::OneAndHalfStop
                                                          : QSerialPort::OneStop);
    const QString parity = s.parity.toLower();
    port.setParity(parity == QLatin1String("odd")     ? QSerialPort::OddParity
                   : parity == QLatin1String("even")  ? QSerialPort::EvenParity
                   : parity == QLatin1String("mark")  ? QSerialPort::MarkParity
                   : parity == QLatin1String("space") ? QSerialPort::SpaceParity
                                                      : QSerialPort::NoParity);
    const QString flow = s.flowControl.toLower();
    port.setFlowControl(flow == QLatin1String("hardware")   ? QSerialPort::HardwareControl
                        : flow == QLatin1String("software") ? QSerialPort::SoftwareControl
                                                            : QSerialPort::NoFlowControl);
}

} // namespace

std::optional<PortSettings> PortSettings::load(const QString &path)
{
    if (!QFile::exists(path))
        return std::nullopt;
    const IniFile ini = IniFile::load(path);
    PortSettings s;
    s.port = ini.value(kSection, QStringLiteral("Port"), s.port);
    s.baudRate = ini.value(kSection, QStringLiteral("BaudRate"), s.baudRate);
    s.stopBits = ini.value(kSection, QStringLiteral("StopBits"), s.stopBits);
    s.dataBits = ini.value(kSection, QStringLiteral("DataBits"), s.dataBits);
    s.parity = ini.value(kSection, QStringLiteral("Parity"), s.parity);
    s.flowControl = ini.value(kSection, QStringLiteral("FlowControl"), s.flowControl);
    s.customBaudRate = ini.value(kSection, QStringLiteral("CustomBaudRate")).toInt();
    // Words no serial port takes fall back to the built-in ones (stop bits, parity
    // and flow control already read an unknown word as their usual setting).
    const PortSettings usual;
    const int baud = s.baudRate.toInt();
    if (s.baudRate == QLatin1String("Custom") ? s.customBaudRate <= 0 : baud <= 0) {
        s.baudRate = usual.baudRate;
        s.customBaudRate = 0;
    }
    const int bits = s.dataBits.toInt();
    if (bits < 5 || bits > 8)
        s.dataBits = usual.dataBits;
    if (s.port.isEmpty())
        s.port = usual.port;
    return s;
}

void PortSettings::save(const QString &path) const
{
    QString content = QStringLiteral("[ComPort1]\r\nPort=%1\r\nBaudRate=%2\r\nStopBits=%3\r\n"
                                     "DataBits=%4\r\nParity=%5\r\nFlowControl=%6\r\n")
                          .arg(port, baudRate, stopBits, dataBits, parity, flowControl);
    if (baudRate == QLatin1String("Custom"))
        content += QStringLiteral("CustomBaudRate=%1\r\n").arg(customBaudRate);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(cp1250::encode(content)) < 0 ||
        !file.commit())
        throw UserError(QStringLiteral("Soubor %1 nelze zapsat.").arg(path));
}

QByteArray displayBytes(const QString &text)
{
    QByteArray bytes = cp1250::encode(text);
    for (char &c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80)
            c = static_cast<char>(kHighBytes[b - 0x80]);
    }
    return bytes;
}

namespace display {

DisplayLines greeting()
{
    return {text::centre(QStringLiteral("Prodejna"), kWidth),
            text::centre(QStringLiteral("Vortel"), kWidth)};
}

DisplayLines lineWritten(int level, const QString &zkratka, double pcsd, const QString &totalText)
{
    if (level == 1)
        return {withAmountAtEnd(zkratka, amount(pcsd)), totalText};
    return {text::padRight(zkratka, kWidth), withAmountAtEnd(totalText, amount(pcsd))};
}

DisplayLines lineDeleted(double cenar, const QString &totalText)
{
    return {withAmountAtEnd(QString(), amount(-cenar)), totalText};
}

DisplayLines amountDue(int due)
{
    return {withAmountAtEnd(QStringLiteral("Celkem"), amount(due)), QStringLiteral(" ")};
}

DisplayLines farewell()
{
    return {QStringLiteral(" "), text::centre(QStringLiteral("Dobrý den"), kWidth)};
}

} // namespace display

void CustomerDisplay::writeAll(const QList<QByteArray> &writes)
{
    QSerialPort port;
    applySettings(port, m_settings);
    if (!port.open(QIODevice::WriteOnly))
        throw UserError(port.errorString());
    for (const QByteArray &bytes : writes) {
        if (port.write(bytes) != bytes.size() || !port.waitForBytesWritten(2000))
            throw UserError(port.errorString());
        QCoreApplication::processEvents(); // the screen stays painted on a slow port
    }
    port.close();
}

void CustomerDisplay::start(int level, const QString &panelIni, const AskSettings &ask)
{
    m_level = 0;
    if (level <= 0)
        return;
    try {
        if (const std::optional<PortSettings> stored = PortSettings::load(panelIni)) {
            m_settings = *stored;
        } else {
            m_settings = PortSettings{};
            if (ask)
                ask(m_settings);
            m_settings.save(panelIni);
        }
        const QString cr = QStringLiteral("\r");
        writeAll({QByteArray("\x1b\x40"), QByteArray("\x1b\x66\x4c"), QByteArray("\x1b\x63\x4c"),
                  QByteArray("\x0c"),
                  displayBytes(text::centre(QStringLiteral("Vortel : POKLADNA"), kWidth) + cr),
                  displayBytes(text::centre(QStringLiteral("pripojeno"), kWidth) + cr)});
        m_level = level;
        show(display::greeting());
    } catch (const std::exception &) {
        m_level = 0; // no display for this run, and no message about it
    }
}

void CustomerDisplay::show(const DisplayLines &lines)
{
    if (m_level <= 0)
        return;
    QList<QByteArray> writes;
    if (!lines.first.isEmpty())
        writes << displayBytes(text::padRight(lines.first, kWidth) + QLatin1Char('\r'));
    if (!lines.second.isEmpty())
        writes << displayBytes(text::padLeft(lines.second, kWidth) + QLatin1Char('\r'));
    try {
        writeAll(writes);
    } catch (const std::exception &e) {
        qWarning("Customer display switched off: %s", e.what());
        m_level = 0;
    }
}

void CustomerDisplay::lineWritten(const QString &zkratka, double pcsd, const QString &totalText)
{
    if (m_level == 1 || m_level == 2)
        show(display::lineWritten(m_level, zkratka, pcsd, totalText));
}

void CustomerDisplay::lineDeleted(double cenar, const QString &totalText)
{
    if (m_level == 1)
        show(display::lineDeleted(cenar, totalText));
}

void CustomerDisplay::amountDue(int due)
{
    show(display::amountDue(due));
}

void CustomerDisplay::farewell()
{
    show(display::farewell());
}
