#include "app/legend_button.h"

#include <QPainter>

LegendButton::LegendButton(const QString &caption, const QString &legend, QWidget *parent)
    : QPushButton(caption, parent), m_legend(legend)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void LegendButton::setLegendVisible(bool visible)
{
    m_legendVisible = visible;
    update();
}

void LegendButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (m_legend.isEmpty() || !m_legendVisible)
        return;
    QPainter p(this);
    QFont f = font();
    f.setPointSizeF(std::max(7.0, f.pointSizeF() * 0.55));
    f.setBold(false);
    p.setFont(f);
    p.setPen(isEnabled() ? QColor(0x80, 0x00, 0x00)
                         : palette().color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(rect().adjusted(4, 2, -5, -2), Qt::AlignTop | Qt::AlignRight, m_legend);
}
