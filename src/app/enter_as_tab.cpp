#include "app/enter_as_tab.h"

#include <QApplication>
#include <QKeyEvent>

EnterAsTab::EnterAsTab(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

EnterAsTab::~EnterAsTab()
{
    qApp->removeEventFilter(this);
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(widget, &tab);
    return true;
}
