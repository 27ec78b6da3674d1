#pragma once

#include "sale/keypad.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QPushButton;

// What a receipt screen lends the keypad: its code field, quantity field and the
// "Klv" button that takes the focus when the keypad hands over.
class KeypadOwner
{
public:
    virtual ~KeypadOwner() = default;
    virtual QLineEdit *keypadCodeField() = 0;
    virtual QLineEdit *keypadQuantityField() = 0;
    virtual QWidget *keypadButton() = 0;
};

// The on-screen keypad for touch screens: 400 x 470, no title bar, worked only by
// clicks or touches; it never takes the keyboard focus from the receipt screen.
class TFnumklav : public QWidget
{
    Q_OBJECT
public:
    explicit TFnumklav(QWidget *parent = nullptr);

    // Shows the keypad for a target of a screen, without waiting.
    void showFor(KeypadOwner *owner, Keypad::Target target, const QString &display);
    const Keypad &keypad() const { return m_keypad; }
    // The button of a key ("0"-"9", ",", "C", "Zpět", "Enter"), for tests.
    QPushButton *button(const QString &caption) const;

private:
    void key(const QString &caption);
    void displayChanged();
    void enter();

    Keypad m_keypad;
    KeypadOwner *m_owner = nullptr;
    QLineEdit *m_display;
    QList<QPushButton *> m_buttons;
};
