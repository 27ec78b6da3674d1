#pragma once

#include "sale/counter_sale_window.h"

class TFstoly;
class TableSale;

// The table receipt screen, the main window of table service: the counter-sale
// screen working on one open order at a time, chosen on the table map.
class TFstuctenka : public TFuctenka
{
    Q_OBJECT
public:
    TFstuctenka(const QString &iniPath, Station &station, TFplatit &platit, TFnabcen &nabcen,
                const LaunchSwitches &switches, QWidget *parent = nullptr);

    TableSale &tableSale();
    TFstoly &map() const { return *m_map; }
    const QString &currentPanel() const { return m_currentPanel; }

protected:
    QString typedCode(const QString &text) const override;
    void afterStart() override;
    void afterPayment() override;
    void linesRefreshed() override;
    // "PŘESUN": moves lines to the order chosen on the map.
    void Button11Click() override;
    // "STOLY": change table on the map.
    void Button4Click() override;

private:
    // Shows the current order: its id, its lines and its total.
    void showCurrentOrder();

    TFstoly *m_map;
    QString m_currentPanel;
};
