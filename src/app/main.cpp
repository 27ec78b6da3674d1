#include "app/config.h"
#include "app/single_instance.h"
#include "app/station.h"
#include "devices/text_utils.h"
#include "reports/product_list_window.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"
#include "tables/table_sale_window.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace {

void bringForward(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("prodej"));

    const LaunchSwitches switches = LaunchSwitches::parse(QApplication::arguments().mid(1));
    const QString iniPath = text::executableFolder() + configFileName();

    // The mode comes from the working folder's prodej.ini, everything else from
    // the file beside the program.
    Station station;
    // The payment dialog and the product list live for the run.
    TFplatit platit;
    TFnabcen nabcen;
    std::unique_ptr<QWidget> mainWindow;
    if (readTableServiceMode(QDir::currentPath()))
        mainWindow = std::make_unique<TFstuctenka>(iniPath, station, platit, nabcen, switches);
    else
        mainWindow = std::make_unique<TFuctenka>(iniPath, station, platit, nabcen, switches);

    // Before any database work: a second copy only brings the first one forward.
    SingleInstance instance(SingleInstance::keyForExecutable(QApplication::applicationFilePath()));
    if (!instance.claim())
        return 0;
    QObject::connect(&instance, &SingleInstance::activationRequested, mainWindow.get(),
                     [&mainWindow] { bringForward(mainWindow.get()); });
    station.reload(Config::load(iniPath));
    station.ico.clear();

    mainWindow->show();
    return QApplication::exec();
}
