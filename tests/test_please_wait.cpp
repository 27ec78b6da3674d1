#include "app/please_wait_window.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QtTest>

class TestPleaseWait : public QObject
{
    Q_OBJECT
private slots:
    void looksAndStays();
    void closesAlsoOnError();
};

void TestPleaseWait::looksAndStays()
{
    PleaseWait wait(QStringLiteral("Účtenka - načítám číselníky"));
    Tpracuji *w = wait.window();
    QVERIFY(w->isVisible());
    QCOMPARE(w->size(), QSize(245, 65));
    QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    QCOMPARE(w->caption(), QStringLiteral("Účtenka - načítám číselníky"));

    wait.setCaption(QStringLiteral("Účtenka - načítám EAN"));
    QCOMPARE(w->caption(), QStringLiteral("Účtenka - načítám EAN"));

    const int before = w->bandPosition();
    QTRY_VERIFY_WITH_TIMEOUT(w->bandPosition() != before, 1000);
}

void TestPleaseWait::closesAlsoOnError()
{
    QPointer<Tpracuji> window;
    try {
        PleaseWait wait(QStringLiteral("Storno účtenky - čekej"));
        window = wait.window();
        QVERIFY(window);
        throw std::runtime_error("server gone");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(window.isNull());
}

QTEST_MAIN(TestPleaseWait)
#include "test_please_wait.moc"
