#include "sale/keypad_window.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QFont pixelFont(const QFont &base, int pixels, bool bold)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

TFnumklav::TFnumklav(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      m_display(new QLineEdit(this))
{
    setObjectName(QStringLiteral("keypad"));
    setFixedSize(400, 470);
    setFocusPolicy(Qt::NoFocus);
    m_display->setReadOnly(true);
    m_display->setFocusPolicy(Qt::NoFocus);
    m_display->setGeometry(0, 0, 400, 70);
    m_display->setFont(pixelFont(font(), 48, false));
    m_display->setAlignment(Qt::AlignRight);

    struct Key
    {
        const char *caption;
        QRect place;
    };
    const Key keys[] = {
        {"7", {0, 70, 100, 100}},      {"8", {100, 70, 100, 100}},      {"9", {200, 70, 100, 100}},
        {"4", {0, 170, 100, 100}},     {"5", {100, 170, 100, 100}},     {"6", {200, 170, 100, 100}},
        {"1", {0, 270, 100, 100}},     {"2", {100, 270, 100, 100}},     {"3", {200, 270, 100, 100}},
        {"0", {0, 370, 100, 100}},     {",", {100, 370, 100, 100}},     {"C", {200, 370, 100, 100}},
        {"Zpět", {300, 70, 100, 150}}, {"Enter", {300, 220, 100, 250}},
    };
    for (const Key &k : keys) {
        const QString caption = QString::fromUtf8(k.caption);
        auto *b = new QPushButton(caption, this);
        b->setGeometry(k.place);
        b->setFocusPolicy(Qt::NoFocus);
        const bool word = caption.size() > 1;
        b->setFont(pixelFont(font(), word ? 32 : 48, word));
        connect(b, &QPushButton::clicked, this, [this, caption] { key(caption); });
        m_buttons << b;
    }
}

QPushButton *TFnumklav::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

void TFnumklav::showFor(KeypadOwner *owner, Keypad::Target target, const QString &display)
{
    m_owner = owner;
    m_keypad.open(target, display);
    m_display->setText(m_keypad.display());
    show();
    raise();
}

void TFnumklav::key(const QString &caption)
{
    if (caption == QLatin1String("Enter")) {
        enter();
        return;
    }
    if (caption == QLatin1String("Zpět")) {
        m_keypad.back();
        hide();
        if (m_owner && m_keypad.target() == Keypad::Target::QuantityField)
            m_owner->keypadQuantityField()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (caption == QLatin1String(","))
        m_keypad.pressComma();
    else if (caption == QLatin1String("C"))
        m_keypad.pressClear();
    else
        m_keypad.pressDigit(caption.at(0));
    displayChanged();
}

void TFnumklav::displayChanged()
{
    m_display->setText(m_keypad.display());
    if (m_keypad.target() != Keypad::Target::CodeField || !m_owner)
        return;
    // The code field mirrors the keypad while the cashier types.
    QLineEdit *code = m_owner->keypadCodeField();
    code->setText(m_keypad.buffer());
    code->setFocus(Qt::OtherFocusReason);
    code->end(false);
}

void TFnumklav::enter()
{
    if (!m_owner)
        return;
    if (m_keypad.target() == Keypad::Target::CodeField) {
        m_owner->keypadCodeField()->setText(m_keypad.buffer());
        m_owner->keypadCodeEntered(); // the item entry closes the keypad
        return;
    }
    m_owner->keypadQuantityField()->setText(m_keypad.buffer());
    hide();
    m_owner->keypadQuantityEntered();
}
