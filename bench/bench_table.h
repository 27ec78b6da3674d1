#pragma once

// What the benchmark programs share: their command line and the table they print.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

struct Settings
{
    int port = 3327;
    QString label;
    int repeat = 0;
};

// --port, --label and --repeat (at least `minRepeat`); `parser` may carry more options.
inline Settings parseSettings(QCommandLineParser &parser, const QCoreApplication &app,
                              int defaultRepeat, int minRepeat)
{
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Database port."), QStringLiteral("n"),
                      QStringLiteral("3327")});
    parser.addOption({QStringLiteral("label"), QStringLiteral("Size label."),
                      QStringLiteral("text"), QStringLiteral("db")});
    parser.addOption({QStringLiteral("repeat"), QStringLiteral("Runs per figure."),
                      QStringLiteral("n"), QString::number(defaultRepeat)});
    parser.process(app);
    Settings s;
    s.port = parser.value(QStringLiteral("port")).toInt();
    s.label = parser.value(QStringLiteral("label"));
    s.repeat = std::max(minRepeat, parser.value(QStringLiteral("repeat")).toInt());
    return s;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One line of the table: the median of the runs, the fastest beside it.
inline void row(const Settings &s, const QString &figure, const std::vector<double> &ms,
                const QString &note = QString())
{
    std::printf("%-8s %-52s %10.2f ms  (floor of the run %8.2f ms)  %s\n", qPrintable(s.label),
                qPrintable(figure), median(ms),
                ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()), qPrintable(note));
    std::fflush(stdout);
}

} // namespace bench
