#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

// Two connected pseudo-terminals (socat): the program writes to `port()` as to
// a serial display, the test reads the exact bytes from the other end.
class PtyPair
{
public:
    PtyPair()
    {
        m_socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + port(),
                                                QStringLiteral("pty,raw,echo=0,link=") +
                                                    m_dir.filePath(QStringLiteral("reader"))});
        for (int i = 0; i < 200 && !(QFile::exists(port()) &&
                                     QFile::exists(m_dir.filePath(QStringLiteral("reader"))));
             ++i)
            QTest::qWait(10);
        m_reader.setPortName(m_dir.filePath(QStringLiteral("reader")));
        m_reader.open(QIODevice::ReadOnly);
    }
    ~PtyPair() { stop(); }

    QString port() const { return m_dir.filePath(QStringLiteral("display")); }
    bool isReady() const { return m_reader.isOpen(); }
    // What arrived since the last call, once nothing more comes for a moment.
    QByteArray received()
    {
        QByteArray all;
        while (m_reader.waitForReadyRead(150))
            all += m_reader.readAll();
        return all + m_reader.readAll();
    }
    // The display is unplugged: the port disappears.
    void stop()
    {
        m_reader.close();
        m_socat.kill();
        m_socat.waitForFinished();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
    QSerialPort m_reader;
};
