#pragma once

#include "sale/keypad.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QPushButton;

// A receipt screen as the keypad sees it: its code field mirrors what is typed,
// and Enter hands the text over as if the cashier had left the field.
class KeypadOwner
{
public:
    virtual ~KeypadOwner() = default;
    virtual QLineEdit *keypadCodeField() = 0;
    virtual QLineEdit *keypadQuantityField() = 0;
    // The code field has been filled: run the item entry.
    virtual void keypadCodeEntered() = 0;
    // The quantity field has been filled: run the quantity entry.
    virtual void keypadQuantityEntered() = 0;
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
