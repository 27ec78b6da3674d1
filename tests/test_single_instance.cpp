#include "app/single_instance.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void keyIgnoresFolderAndCase();
    void secondClaimAsksFirstToComeForward();
    void secondProgramStartEndsAtOnce();
};

void TestSingleInstance::keyIgnoresFolderAndCase()
{
    QCOMPARE(SingleInstance::keyForExecutable(QStringLiteral("/opt/a/PRODEJ")),
             SingleInstance::keyForExecutable(QStringLiteral("/home/b/prodej")));
    QVERIFY(SingleInstance::keyForExecutable(QStringLiteral("/a/prodej")) !=
            SingleInstance::keyForExecutable(QStringLiteral("/a/jiny")));
}

void TestSingleInstance::secondClaimAsksFirstToComeForward()
{
    const QString key = QStringLiteral("test-instance");
    {
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QVERIFY(raised.wait(5000));
        QCOMPARE(raised.count(), 1);
    }
    // The first copy has ended: the next start runs.
    SingleInstance next(key);
    QVERIFY(next.claim());
}

void TestSingleInstance::secondProgramStartEndsAtOnce()
{
    const QString program = QStringLiteral(PRODEJ_PROGRAM);
    SingleInstance running(SingleInstance::keyForExecutable(program));
    QVERIFY(running.claim());
    QSignalSpy raised(&running, &SingleInstance::activationRequested);

    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    second.start(program, {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(clock.elapsed() < 10000, "the second start did not end at once");
    QVERIFY(raised.count() > 0 || raised.wait(5000));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
