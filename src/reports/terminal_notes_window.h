#pragma once

#include <QDialog>

class DbSession;
class QSqlQueryModel;
class QTableView;

// "Seznam pro vytvoření účtenky": the branch's terminal delivery notes, one per
// customer, with the lines of the note under the cursor. OK ("VYTVOŘIT ÚČTENKU")
// leaves the chosen customer in currentCustomer().
class TFztermuc : public QDialog
{
    Q_OBJECT
public:
    TFztermuc(DbSession &session, const QString &stredisko, QWidget *parent = nullptr);

    // The customer code of the note under the cursor; empty with no notes.
    QString currentCustomer() const;
    // The delete button: asks, then deletes the note under the cursor.
    void deleteNote();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void openNotes();
    void showLines();

    DbSession &m_session;
    QString m_stredisko;
    QSqlQueryModel *m_notesModel;
    QSqlQueryModel *m_linesModel;
    QTableView *m_notes;
    QTableView *m_lines;
};
