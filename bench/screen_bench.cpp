// Figures of the till's window on a loaded database: start-up to ready, opening
// the product list, a search keystroke in it, and the peak memory of the process.
// Runs on any Qt platform; scripts/bench.sh runs it offscreen. Asserts nothing.
//
//   prodej-bench-screen --port 3327 --label large [--repeat 5]

#include "bench_table.h"

#include "app/station.h"
#include "reports/product_list_window.h"
#include "reports/product_search_dialog.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using bench::row;
using bench::Settings;

double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// The program's window with what main() gives it, on a prodej.ini of its own.
struct Till
{
    Station station;
    TFplatit platit;
    TFnabcen nabcen;
    std::unique_ptr<TFuctenka> screen;

    // Milliseconds from creating the window until the cashier can scan.
    double start(const QString &ini)
    {
        QElapsedTimer t;
        t.start();
        screen = std::make_unique<TFuctenka>(ini, station, platit, nabcen, LaunchSwitches{});
        screen->show();
        while (!(screen->isReady() && screen->hotKeysOn()) && t.elapsed() < 120000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        return msSince(t);
    }

    ~Till()
    {
        if (screen)
            screen->close(); // drops the work receipt, as the program ends
    }
};

QString writeIni(const QTemporaryDir &dir, const Settings &s)
{
    const QString path = dir.filePath(QStringLiteral("prodej.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(QStringLiteral("[LogON]\nIP=127.0.0.1\nSQLport=%1\nUser=kasa\nPassword=kasa\n"
                           "CisloPC=S1\nStredisko=777\ntestovatVerzi=N\nPanel=0\n")
                .arg(s.port)
                .toUtf8());
    return path;
}

void run(const Settings &s, const QString &ini)
{
    std::vector<double> startUp;
    for (int i = 0; i < s.repeat; ++i) {
        Till till;
        startUp.push_back(till.start(ini));
    }
    row(s, QStringLiteral("start-up to ready (list of the branch loaded)"), startUp);

    Till till;
    till.start(ini);
    TFnabcen &list = till.nabcen;
    std::vector<double> open;
    for (int i = 0; i < s.repeat; ++i) {
        QElapsedTimer t;
        // The first pass of the dialog's own event loop: shown, laid out, painted.
        QTimer::singleShot(0, &list, [&] {
            list.grab(); // painted once
            open.push_back(msSince(t));
            list.reject();
        });
        t.start();
        list.showList(QStringLiteral("S1"), 0);
    }
    auto *grid = list.findChild<QTableView *>(QStringLiteral("seznam"));
    row(s, QStringLiteral("opening the product list"), open,
        QStringLiteral("%1 products").arg(grid->model()->rowCount()));

    // Typing a name into "Hledat" over the names column: the first letter matches
    // most of the list, the following ones narrow it.
    const int names = grid->currentIndex().column(); // the list starts on the names
    std::vector<double> first, next;
    QElapsedTimer opening;
    opening.start();
    ProductSearchDialog search(grid, names, &list);
    const double openSearch = msSince(opening);
    auto *text = search.findChild<QLineEdit *>(QStringLiteral("coHledat"));
    auto *values = search.findChild<QListWidget *>(QStringLiteral("hodnoty"));
    search.show();
    int matches = 0;
    for (int i = 0; i < s.repeat; ++i) {
        text->clear();
        const QString word = QStringLiteral("kniha");
        for (int c = 0; c < word.size(); ++c) {
            QElapsedTimer t;
            t.start();
            QTest::keyClicks(text, word.mid(c, 1));
            QApplication::processEvents();
            (c == 0 ? first : next).push_back(msSince(t));
        }
        matches = values->count();
    }
    row(s, QStringLiteral("product search: opening (all names listed)"), {openSearch});
    row(s, QStringLiteral("product search: first letter typed"), first);
    row(s, QStringLiteral("product search: each further letter"), next,
        QStringLiteral("\"kniha\": %1 names").arg(matches));

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-8s %-52s %10.1f MB\n", qPrintable(s.label),
                "peak memory, product list and search open", usage.ru_maxrss / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const Settings s = bench::parseSettings(parser, app, 5, 1);
    QTemporaryDir dir;
    const QString ini = writeIni(dir, s);
    if (ini.isEmpty()) {
        std::fprintf(stderr, "prodej-bench-screen: cannot write %s\n", qPrintable(dir.path()));
        return 1;
    }
    run(s, ini);
    return 0;
}
