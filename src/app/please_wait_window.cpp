#include "app/please_wait_window.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kBandWidth = 50;
constexpr int kStepMs = 15;
constexpr int kBarHeight = 14;
} // namespace

Tpracuji::Tpracuji(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_label(new QLabel(this))
{
    setFixedSize(245, 65);
    setAutoFillBackground(true);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    QFont font = m_label->font();
    font.setBold(true);
    m_label->setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, kBarHeight + 10);
    layout->addWidget(m_label);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    connect(&m_timer, &QTimer::timeout, this, [this] {
        const int span = barRect().width() + kBandWidth;
        m_band = (m_band + 2) % span;
        update(barRect());
    });
    m_timer.start(kStepMs);
}

QString Tpracuji::caption() const
{
    return m_label->text();
}

void Tpracuji::setCaption(const QString &caption)
{
    m_label->setText(caption);
}

QRect Tpracuji::barRect() const
{
    return {8, height() - kBarHeight - 6, width() - 16, kBarHeight};
}

void Tpracuji::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect bar = barRect();
    p.fillRect(bar, palette().color(QPalette::Base));
    p.setClipRect(bar);
    const int x = bar.left() + m_band - kBandWidth;
    QLinearGradient band(x, 0, x + kBandWidth, 0);
    const QColor strong = palette().color(QPalette::Highlight);
    band.setColorAt(0.0, palette().color(QPalette::Base));
    band.setColorAt(0.5, strong);
    band.setColorAt(1.0, palette().color(QPalette::Base));
    p.fillRect(QRect(x, bar.top(), kBandWidth, bar.height()), band);
    p.setClipping(false);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
}

PleaseWait::PleaseWait(const QString &caption) : m_window(std::make_unique<Tpracuji>())
{
    m_window->setCaption(caption);
    m_window->show();
    m_window->raise();
    QApplication::processEvents();
}

PleaseWait::~PleaseWait() = default;

void PleaseWait::setCaption(const QString &caption)
{
    if (!m_window)
        return;
    m_window->setCaption(caption);
    QApplication::processEvents();
}

void PleaseWait::close()
{
    m_window.reset();
}
