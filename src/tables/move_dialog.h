#pragma once

#include "tables/table_move.h"

#include <QDialog>

class LegendButton;
class QLabel;
class QLineEdit;
class QShortcut;
class QSqlQueryModel;
class QTableView;

// "Přesun části účtenky": moves whole lines or parts of them from one open order
// to another. Nothing changes in the orders until "HOTOVO".
class TFpresun : public QDialog
{
    Q_OBJECT
public:
    TFpresun(DbSession &session, const QString &cisloPC, const QString &source,
             const QString &target, QWidget *parent = nullptr);

    // Prepares the scratch tables and shows the dialog. True when the move was
    // committed with "HOTOVO"; false for "ZPĚT" (or when it could not start).
    bool run();
    double movedTotal() const { return m_movedTotal; }
    double sourceTotalAfterMove();

    // A double click in either grid: the upper grid's current line is chosen.
    void chooseLine();
    void Presun();
    void Hotovo();

private:
    void refresh();

    DbSession &m_session;
    TableMove m_move;
    QTableView *m_source;
    QTableView *m_moved;
    QSqlQueryModel *m_sourceModel;
    QSqlQueryModel *m_movedModel;
    QLineEdit *m_quantity;
    LegendButton *m_presun;
    LegendButton *m_hotovo;
    QLabel *m_total;
    QShortcut *m_ctrlEnter;
    QShortcut *m_f5;
    int m_chosenId2 = -1;
    double m_movedTotal = 0;
    QString m_cisloPC;
};
