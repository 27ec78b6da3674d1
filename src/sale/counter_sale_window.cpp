#include "sale/counter_sale_window.h"

#include "app/error_box.h"
#include "app/please_wait_window.h"
#include "app/station.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFuctenka::TFuctenka(const QString &iniPath, Station &station, const LaunchSwitches &switches,
                     QWidget *parent)
    : QWidget(parent), m_iniPath(iniPath), m_switches(switches), m_sale(station, m_session),
      m_status(new QLabel(this)), m_retry(new QPushButton(QStringLiteral("Připojit znovu"), this))
{
    setWindowTitle(QStringLiteral(" Vytvoření účtenky"));
    resize(1024, 768);
    auto *layout = new QVBoxLayout(this);
    m_status->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_retry, 0, Qt::AlignCenter);
    connect(m_retry, &QPushButton::clicked, this, &TFuctenka::FormShow);
    showState();
}

void TFuctenka::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, &TFuctenka::FormShow);
    }
}

void TFuctenka::FormShow()
{
    const Config config = Config::load(m_iniPath);
    // The update check and the customer display join the start here.
    const bool started = runGuarded(this, [&] {
        PleaseWait wait(QStringLiteral("Účtenka - načítám číselníky"));
        m_sale.start(config);
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam"));
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam 2"));
        wait.setCaption(QStringLiteral("Účtenka - načítám EAN"));
        wait.setCaption(QStringLiteral("Účtenka - načítám FOFR"));
    });
    showState();
    if (started)
        showMaximized();
}

void TFuctenka::showState()
{
    m_status->setText(m_sale.isReady() ? QStringLiteral("Pokladna je připravena.")
                                       : QStringLiteral("Pokladna není připojena k databázi."));
    m_retry->setVisible(!m_sale.isReady());
}

void TFuctenka::closeEvent(QCloseEvent *event)
{
    runGuarded(this, [this] { m_sale.close(); });
    event->accept();
}
