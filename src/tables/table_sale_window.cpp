#include "tables/table_sale_window.h"

#include "app/error_box.h"
#include "app/station.h"
#include "devices/text_utils.h"
#include "tables/move_dialog.h"
#include "tables/table_map_window.h"
#include "tables/table_sale.h"

#include <QLabel>

TFstuctenka::TFstuctenka(const QString &iniPath, Station &station, TFplatit &platit,
                         TFnabcen &nabcen, const LaunchSwitches &switches, QWidget *parent)
    : TFuctenka(
          ReceiptScreen::TableService,
          [&station](DbSession &session) { return std::make_unique<TableSale>(station, session); },
          iniPath, platit, nabcen, switches, parent),
      m_map(new TFstoly(this))
{}

TableSale &TFstuctenka::tableSale()
{
    return static_cast<TableSale &>(sale());
}

QString TFstuctenka::typedCode(const QString &text) const
{
    // Looked up as typed: no keyboard digit repair, the separator is "°°" itself.
    return text;
}

void TFstuctenka::afterStart()
{
    if (!runGuarded(this,
                    [this] { m_map->FillMapTotals(session(), tableSale().station().cisloPC); }))
        return;
    Button4Click();
}

void TFstuctenka::afterPayment()
{
    Button4Click();
}

void TFstuctenka::linesRefreshed()
{
    m_tableLabel->setText(tableSale().currentTable());
}

void TFstuctenka::Button4Click()
{
    if (!isReady())
        return;
    HotKey(false);
    TableSale &sale = tableSale();
    m_map->RefreshLeftTable(sale.currentTable(), m_currentPanel, sale.total(),
                            text::formatAmount(sale.total()));
    QString tableId = sale.currentTable();
    m_map->choose(tableId, m_currentPanel);
    sale.setCurrentTable(tableId);
    showCurrentOrder();
}

void TFstuctenka::Button11Click()
{
    if (!isReady())
        return;
    HotKey(false);
    TableSale &sale = tableSale();
    const QString source = sale.currentTable();
    const QString sourcePanel = m_currentPanel;
    QString target = source;
    m_map->choose(target, m_currentPanel);
    TFpresun move(session(), sale.station().cisloPC, source, target, this);
    if (move.run()) {
        runGuarded(this, [&] {
            const double remaining = move.sourceTotalAfterMove();
            m_map->RefreshMoveSource(source, remaining, text::formatAmount(remaining));
        });
    } else {
        target = source;
        m_currentPanel = sourcePanel;
    }
    sale.setCurrentTable(target);
    showCurrentOrder();
}

void TFstuctenka::showCurrentOrder()
{
    m_tableLabel->setText(tableSale().currentTable());
    // recover() reads the order's total and lines and gives the keys back.
    recover();
}
