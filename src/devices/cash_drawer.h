#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The cash drawer, opened by a short byte sequence sent to the device it hangs
// on (usually the receipt printer's device file, e.g. /dev/usb/lp0).
class CashDrawer
{
public:
    // From `OtevreniSupliku` ("27,112,0,25,250": five whole numbers 0 to 255) and
    // the device file. Returns a Czech message when the sequence is not valid;
    // the drawer is then never opened.
    QString configure(const QString &sequence, const QString &device);
    bool isConfigured() const { return !m_bytes.isEmpty() && !m_device.isEmpty(); }
    QByteArray bytes() const { return m_bytes; }

    // Sends the sequence; an error text when the device cannot take it, else empty.
    QString open() const;

    static std::optional<QByteArray> parse(const QString &sequence);

private:
    QByteArray m_bytes;
    QString m_device;
};
