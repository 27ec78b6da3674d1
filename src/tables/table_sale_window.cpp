#include "tables/table_sale_window.h"

#include "app/error_box.h"
#include "app/please_wait_window.h"
#include "app/station.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFstuctenka::TFstuctenka(const QString &iniPath, Station &station, const LaunchSwitches &switches,
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
    connect(m_retry, &QPushButton::clicked, this, &TFstuctenka::FormShow);
    showState();
}

void TFstuctenka::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, &TFstuctenka::FormShow);
    }
}

void TFstuctenka::FormShow()
{
    const Config config = Config::load(m_iniPath);
    const bool started = runGuarded(this, [&] {
        PleaseWait wait(QStringLiteral("Účtenka - načítám číselníky"));
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam"));
        m_sale.start(config);
        wait.setCaption(QStringLiteral("Účtenka - načítám seznam 2"));
        wait.setCaption(QStringLiteral("Účtenka - načítám EAN"));
        wait.setCaption(QStringLiteral("Účtenka - načítám FOFR"));
    });
    showState();
    if (started)
        showMaximized();
}

void TFstuctenka::showState()
{
    m_status->setText(m_sale.isReady() ? QStringLiteral("Obsluha stolů je připravena.")
                                       : QStringLiteral("Pokladna není připojena k databázi."));
    m_retry->setVisible(!m_sale.isReady());
}

void TFstuctenka::closeEvent(QCloseEvent *event)
{
    runGuarded(this, [this] { m_sale.close(); });
    event->accept();
}
