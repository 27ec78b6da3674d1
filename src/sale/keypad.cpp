#include "sale/keypad.h"

void Keypad::open(Target target, const QString &display)
{
    m_target = target;
    setDisplay(display);
    m_replaceNext = target == Target::QuantityField;
}

void Keypad::pressDigit(QChar digit)
{
    setDisplay(m_replaceNext ? QString(digit) : m_display + digit);
    m_replaceNext = false;
}

void Keypad::pressComma()
{
    if (m_replaceNext)
        setDisplay(QStringLiteral(","));
    else if (!m_display.contains(QLatin1Char(',')))
        setDisplay(m_display + QLatin1Char(','));
    m_replaceNext = false;
}

void Keypad::pressClear()
{
    setDisplay(QString());
}

void Keypad::back()
{
    if (m_target == Target::QuantityField)
        m_buffer.clear();
}

void Keypad::setDisplay(const QString &text)
{
    m_display = text;
    m_buffer = text;
}
