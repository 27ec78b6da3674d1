#pragma once

#include "app/config.h"
#include "app/station.h"
#include "reports/product_list_window.h"
#include "sale/counter_sale_window.h"
#include "sale/payment_dialog.h"
#include "support/modal_watcher.h"
#include "support/working_folder.h"

#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

// A counter-sale screen on the test database with a small shop, driven as a
// cashier drives it. Its working folder is a temporary one (trace files).
class TFstoly;

class CounterScreen : public QObject
{
public:
    struct Options
    {
        bool stockControl = false;
        bool touchScreen = false;
        LaunchSwitches switches{true, false}; // prints nothing unless asked to
        QString templateFolder = QString();
        int panel = 0;                     // the customer display's layout
        QString panelIni = QString();      // its port settings; a temporary file unless given
        QString extraSettings = QString(); // more "key=value\n" lines for [LogON]
        // The table receipt screen; the waiter's first choice on the map that opens
        // at start (empty: the map is closed without a choice).
        bool tableService = false;
        QString firstPanel = QString();
    };

    CounterScreen();
    ~CounterScreen() override;

    // Empties the database and loads the shop: piece product 100123 (20 Kč, item
    // discount 2.50, quick number 5, EAN 8591234567890, stock 5), weighed 200123
    // (100 Kč/kg, quick number 7, extra EAN 12345670), 300300 (1000 Kč),
    // 400400 (49.75 Kč), cards 777001 (7 %) and 777015 (15 %).
    static void loadShop();
    void start(const Options &options);
    void start() { start(Options{}); }
    void stop();

    // Types into the code field and presses Enter; answers the prompt when given.
    void enter(const QString &typed, const QString &promptAnswer = QString());
    // Runs `open` (a key press, a click) that shows a modal window titled `title`,
    // and `act` inside that window; the window is closed if `act` fails.
    void inModal(const QString &title, const std::function<void(QWidget &)> &act,
                 const std::function<void()> &open);
    // Opens the payment dialog with F5 and runs `act` inside it.
    void pay(const std::function<void(TFplatit &)> &act);
    // The work receipt as "pocet/mnoz/jkpov" lines.
    QStringList lines();
    // The same for one open order of table service.
    QStringList orderLines(const QString &stul);

    // Table service: the next time the map opens, the waiter clicks `panel` and,
    // when a name is asked for, types `name`. Each opening of the map takes the
    // next answer; with none left the map is closed without a choice.
    void answerMap(const QString &panel, const QString &name = QString());
    // F4 ("STOLY") and a choice on the map.
    void chooseOnMap(const QString &panel, const QString &name = QString());
    TFstoly &map() const;
    QLineEdit *codeField() const;
    QLineEdit *quantityField() const;
    int count(const QString &fromWhere);

    std::unique_ptr<Station> station;
    std::unique_ptr<TFplatit> platit;
    std::unique_ptr<TFnabcen> nabcen;
    std::unique_ptr<TFuctenka> screen;
    std::unique_ptr<ModalWatcher> watcher;

private:
    struct MapAnswer
    {
        QString panel;
        QString name;
    };
    void answerMapOpening();
    QStringList linesWhere(const QString &condition);

    TemporaryWorkingFolder m_dir;
    QTimer m_mapPoll;
    QTimer m_namePoll;
    QList<MapAnswer> m_mapAnswers;
    QString m_nameToType;
};
