#pragma once

#include "app/config.h"

#include <QDialog>

class DbSession;
class QCheckBox;
class QShortcut;
class QSqlQueryModel;
class QTableView;

// "Zboží": the branch's active products by name. One window for the run; its list
// is opened when the receipt screen starts and kept, cursor and all, between
// showings. The tag says what happened: 1 when a product was taken over.
class TFnabcen : public QDialog
{
    Q_OBJECT
public:
    explicit TFnabcen(QWidget *parent = nullptr);

    // Attaches the list to a receipt screen's session and opens it.
    void attach(DbSession &session, const QString &stredisko, const LaunchSwitches &switches,
                const QString &templateFolder);
    // Shows the window modally. Tag -1 recomputes the stock first. Returns the tag.
    int showList(const QString &cisloPC, int tag);
    // The product code of the current row (empty when the list is empty).
    QString currentJkpov() const;
    QTableView *list() const { return m_list; }

    void Prevzit();
    void recomputeStock();
    void openHistory();
    void search(int column);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyColumns();
    int column(const char *name) const;
    void setKeysEnabled(bool on);

    DbSession *m_session = nullptr;
    QString m_query;
    QString m_cisloPC;
    LaunchSwitches m_switches;
    QString m_templateFolder;
    int m_tag = 0;
    QSqlQueryModel *m_model;
    QTableView *m_list;
    QCheckBox *m_showNc;
    QList<QShortcut *> m_keys;
};
