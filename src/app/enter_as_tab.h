#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// The Enter key acts as Tab inside one window, so that finishing a field is what
// triggers its handling (a scanner ends every code with Enter).
class EnterAsTab : public QObject
{
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget *window);
    ~EnterAsTab() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
};
