#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;

// The please-wait window: no title bar, 245 x 65, centred, above all other
// windows, a caption and a moving bar.
class Tpracuji : public QWidget
{
    Q_OBJECT
public:
    explicit Tpracuji(QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);
    // Left edge of the moving band within the bar.
    int bandPosition() const { return m_band; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect barRect() const;

    QLabel *m_label;
    QTimer m_timer;
    int m_band = 0;
};

// Opens the please-wait window for a long operation and closes it when it goes
// out of scope, also when the operation ends with an error.
class PleaseWait
{
public:
    explicit PleaseWait(const QString &caption);
    ~PleaseWait();
    PleaseWait(const PleaseWait &) = delete;
    PleaseWait &operator=(const PleaseWait &) = delete;

    // Changes the caption and lets pending window messages run once.
    void setCaption(const QString &caption);
    void close();
    Tpracuji *window() const { return m_window.get(); }

private:
    std::unique_ptr<Tpracuji> m_window;
};
