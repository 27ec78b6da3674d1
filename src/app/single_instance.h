#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// Lets one copy of the program run on the machine. A later start finds the lock
// held, asks the running copy to come forward, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);

    // The key of a program: its file name, without regard to case.
    static QString keyForExecutable(const QString &executablePath);

    // True for the first copy, which from now on listens for later starts. False
    // when another copy runs; that copy has been asked to come forward.
    bool claim();

signals:
    void activationRequested();

private:
    QString m_key;
    QLockFile m_lock;
    QLocalServer m_server;
};
