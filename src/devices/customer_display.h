#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The serial settings of the customer display, as kept in "panel.ini" (section
// "ComPort1", words as a Windows serial component writes them).
struct PortSettings
{
    QString port = QStringLiteral("COM1");
    QString baudRate = QStringLiteral("9600");
    QString stopBits = QStringLiteral("1");
    QString dataBits = QStringLiteral("8");
    QString parity = QStringLiteral("None");
    QString flowControl = QStringLiteral("None");
    int customBaudRate = 0;

    // Nothing when the file does not exist.
    static std::optional<PortSettings> load(const QString &path);
    // Throws UserError when the file cannot be written.
    void save(const QString &path) const;
};

// Display text as the display takes it: Windows-1250, letters with a diacritic
// mark turned into their base letter, everything else unchanged.
QByteArray displayBytes(const QString &text);

// What the display shows, two lines of 20 characters.
struct DisplayLines
{
    QString first;  // padded on the right when sent
    QString second; // padded on the left when sent
};

namespace display {
DisplayLines greeting();
// After a line was written: level 1 shows the short name and the price on line 1
// and the total on line 2; level 2 the name on line 1 and total and price on line 2.
DisplayLines lineWritten(int level, const QString &zkratka, double pcsd, const QString &totalText);
DisplayLines lineDeleted(double cenar, const QString &totalText);
DisplayLines amountDue(int due);
DisplayLines farewell();
} // namespace display

// The customer pole display on a serial port, opened and closed around every
// write. `level` is the configured layout (`Panel`); 0 means off.
class CustomerDisplay
{
public:
    using AskSettings = std::function<void(PortSettings &)>;

    int level() const { return m_level; }

    // At the screen's start: settings from `panelIni` (created after `ask` when
    // missing), the opening bytes and the greeting. Any failure switches the
    // display off for the run, without a message.
    void start(int level, const QString &panelIni, const AskSettings &ask);
    // Sends the lines (an empty one is skipped). A failing port switches the
    // display off for the rest of the run: the sale never stops for it.
    void show(const DisplayLines &lines);

    void lineWritten(const QString &zkratka, double pcsd, const QString &totalText);
    void lineDeleted(double cenar, const QString &totalText);
    void amountDue(int due);
    void farewell();

private:
    void writeAll(const QList<QByteArray> &writes);

    int m_level = 0;
    PortSettings m_settings;
};
