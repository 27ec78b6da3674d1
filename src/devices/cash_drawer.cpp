#include "devices/cash_drawer.h"

#include <QFile>
#include <QStringList>

std::optional<QByteArray> CashDrawer::parse(const QString &sequence)
{
    const QStringList parts = sequence.split(QLatin1Char(','));
    if (parts.size() != 5)
        return std::nullopt;
    QByteArray bytes;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok, 10);
        if (!ok || value < 0 || value > 255)
            return std::nullopt;
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QString CashDrawer::configure(const QString &sequence, const QString &device)
{
    m_bytes.clear();
    m_device = device.trimmed();
    if (sequence.trimmed().isEmpty())
        return QString();
    const std::optional<QByteArray> bytes = parse(sequence);
    if (!bytes) {
        return QStringLiteral("Klíč OtevreniSupliku v prodej.ini musí obsahovat pět čísel "
                              "0 až 255 oddělených čárkou (např. 27,112,0,25,250). "
                              "Zásuvka se nebude otevírat.");
    }
    m_bytes = *bytes;
    return QString();
}

QString CashDrawer::open() const
{
    if (!isConfigured())
        return QString();
    QFile device(m_device);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) ||
        device.write(m_bytes) != m_bytes.size())
        return QStringLiteral("Zásuvku se nepodařilo otevřít (%1): %2")
            .arg(m_device, device.errorString());
    return QString();
}
