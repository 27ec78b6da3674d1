#pragma once

#include <QDialog>
#include <QMap>

class DbSession;
class QPushButton;

// "Stoly": the map on which the waiter chooses an order: four tables with four
// seats each, and fifteen panels for named orders. Tables and seats with an open
// order show its total, name panels their name. One map for the run.
class TFstoly : public QDialog
{
    Q_OBJECT
public:
    explicit TFstoly(QWidget *parent = nullptr);

    // Shows the map modally. True when an order was chosen: then `tableId` and
    // `panelName` hold it; otherwise they are left as they were.
    bool choose(QString &tableId, QString &panelName);

    // The captions of the open orders at start.
    void FillMapTotals(DbSession &session, const QString &cisloPC);
    // The panel of the order being left, from the receipt's total.
    void RefreshLeftTable(const QString &tableId, const QString &panelName, double total,
                          const QString &totalText);
    // The source panel after a move, from what stayed there.
    void RefreshMoveSource(const QString &sourceId, double remaining, const QString &remainingText);

    QPushButton *panel(const QString &name) const { return m_panels.value(name); }

    // A click on any panel.
    void s1z1Click(QPushButton *panel);

private:
    QPushButton *addPanel(const QString &name, const QString &caption, const QRect &place,
                          int fontPx, QWidget *parent);

    QMap<QString, QPushButton *> m_panels;
    QString m_chosenId;
    QString m_chosenPanel;
};
