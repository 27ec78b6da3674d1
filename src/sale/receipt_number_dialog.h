#pragma once

#include <QDialog>

#include <optional>

class QSpinBox;

// Asks for the number of a receipt to print again: year, branch (read-only) and
// running number.
class TFtiskuct : public QDialog
{
    Q_OBJECT
public:
    explicit TFtiskuct(QWidget *parent = nullptr);

    // The number built from the fields and the branch code's text, or nothing
    // when the cashier goes back. Throws UserError for a branch code that is not
    // a whole number, before the dialog is shown.
    std::optional<qint64> ask(int year, const QString &stredisko, int runningNumber);

private:
    QSpinBox *m_year;
    QSpinBox *m_branch;
    QSpinBox *m_running;
};
