#pragma once

#include <QLineEdit>

// A line edit that says when the cashier leaves it for another control of the
// same window: by Tab (Enter acts as Tab), a click or a shortcut. Losing the
// focus to a message box or another window does not count.
class ExitLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void exited();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
