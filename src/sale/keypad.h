#pragma once

#include <QString>

// The on-screen keypad's typing: a display that digits and one comma extend, and
// a replace-next flag so that the suggested quantity "1" is replaced by the first
// key. The buffer is what goes to the target field.
class Keypad
{
public:
    enum class Target { CodeField = 1, QuantityField = 2 };

    // Shown for a target with a display text; only the quantity's text is replaced
    // by the next key.
    void open(Target target, const QString &display);
    void pressDigit(QChar digit);
    void pressComma();
    void pressClear();
    // "Zpět": a quantity typed so far is dropped.
    void back();

    Target target() const { return m_target; }
    QString display() const { return m_display; }
    QString buffer() const { return m_buffer; }
    bool replacesNext() const { return m_replaceNext; }

private:
    void setDisplay(const QString &text);

    Target m_target = Target::CodeField;
    QString m_display;
    QString m_buffer;
    bool m_replaceNext = false;
};
