#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), m_key(key),
      m_lock(QDir(QDir::tempPath()).filePath(key + QStringLiteral(".lock")))
{
    m_lock.setStaleLockTime(0); // only a dead owner makes the lock stale
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit activationRequested();
        }
    });
}

QString SingleInstance::keyForExecutable(const QString &executablePath)
{
    return QStringLiteral("prodej-instance-") + QFileInfo(executablePath).fileName().toLower();
}

bool SingleInstance::claim()
{
    if (m_lock.tryLock(0)) {
        QLocalServer::removeServer(m_key); // a socket left by a crashed run
        m_server.listen(m_key);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (socket.waitForConnected(2000)) {
        socket.write("raise\n");
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}
