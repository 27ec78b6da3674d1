#pragma once

#include "app/config.h"
#include "reports/item_history.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QSqlQueryModel;
class QTableView;

// "Historie zboží": every movement of one product at one branch, filtered by kind
// and date, printed from the template his1.
class TFhisto : public QDialog
{
    Q_OBJECT
public:
    TFhisto(DbSession &session, const QString &cisloPC, const QString &jkpov, const QString &nazev,
            const QString &stredisko, const LaunchSwitches &switches, const QString &templateFolder,
            QWidget *parent = nullptr);

    // Builds the history and shows it; false when the database refused.
    bool load();
    void filter();
    void print();
    QSqlQueryModel *model() const { return m_model; }

protected:
    void done(int result) override;

private:
    DbSession &m_session;
    ItemHistory m_history;
    QString m_jkpov;
    QString m_nazev;
    LaunchSwitches m_switches;
    QString m_templateFolder;
    QCheckBox *m_received;
    QCheckBox *m_delivered;
    QCheckBox *m_sold;
    QLabel *m_receivedSum;
    QLabel *m_deliveredSum;
    QLabel *m_soldSum;
    QCheckBox *m_fromDay;
    QDateEdit *m_from;
    QTableView *m_grid;
    QSqlQueryModel *m_model;
    bool m_loading = false;
};
