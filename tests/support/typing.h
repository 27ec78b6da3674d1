#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <QtTest>

// Types text into a widget key by key, as a keyboard or a scanner would; also
// characters beyond ASCII (°, ě), which QTest::keyClicks cannot send.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}
