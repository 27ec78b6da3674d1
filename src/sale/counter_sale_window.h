#pragma once

#include "app/config.h"
#include "sale/counter_sale.h"
#include "store/db_session.h"

#include <QWidget>

class QLabel;
class QPushButton;
class Station;

// The counter-sale screen, the main window of counter sale.
class TFuctenka : public QWidget
{
    Q_OBJECT
public:
    TFuctenka(const QString &iniPath, Station &station, const LaunchSwitches &switches,
              QWidget *parent = nullptr);

    bool isReady() const { return m_sale.isReady(); }
    DbSession &session() { return m_session; }

public slots:
    // The screen's start-up: runs when the window is first shown.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showState();

    QString m_iniPath;
    LaunchSwitches m_switches;
    DbSession m_session;
    CounterSale m_sale;
    bool m_shownOnce = false;
    QLabel *m_status;
    QPushButton *m_retry;
};
