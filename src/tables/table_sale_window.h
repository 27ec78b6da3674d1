#pragma once

#include "app/config.h"
#include "store/db_session.h"
#include "tables/table_sale.h"

#include <QWidget>

class QLabel;
class QPushButton;
class Station;

// The table receipt screen, the main window of table service.
class TFstuctenka : public QWidget
{
    Q_OBJECT
public:
    TFstuctenka(const QString &iniPath, Station &station, const LaunchSwitches &switches,
                QWidget *parent = nullptr);

    bool isReady() const { return m_sale.isReady(); }
    DbSession &session() { return m_session; }

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showState();

    QString m_iniPath;
    LaunchSwitches m_switches;
    DbSession m_session;
    TableSale m_sale;
    bool m_shownOnce = false;
    QLabel *m_status;
    QPushButton *m_retry;
};
