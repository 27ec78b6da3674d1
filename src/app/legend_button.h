#pragma once

#include <QPushButton>

// A button with its hot key's legend in its top right corner.
class LegendButton : public QPushButton
{
    Q_OBJECT
public:
    LegendButton(const QString &caption, const QString &legend, QWidget *parent = nullptr);
    void setLegendVisible(bool visible);
    QString legend() const { return m_legend; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_legend;
    bool m_legendVisible = true;
};
