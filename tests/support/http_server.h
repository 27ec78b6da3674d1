#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A tiny HTTP server on loopback for tests: answers GET requests from a table of
// paths; anything else is "404 Not Found" with an HTML page. Runs on the test's
// own event loop.
class HttpServer : public QObject
{
public:
    struct Response
    {
        int status = 200;
        QByteArray body;
    };

    HttpServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    void serve(const QString &path, const QByteArray &body, int status = 200)
    {
        m_files.insert(path, {status, body});
    }
    QUrl base() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/kasa/").arg(m_server.serverPort()));
    }
    QStringList requests() const { return m_requests; }

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray &request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        m_pending.remove(socket);
        m_requests << path;
        const Response r = m_files.value(
            path, {404, QByteArrayLiteral("<html><body>404 Not Found</body></html>")});
        socket->write("HTTP/1.1 " + QByteArray::number(r.status) +
                      (r.status == 200 ? " OK" : " Error") + "\r\nContent-Length: " +
                      QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n\r\n" + r.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QString, Response> m_files;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QStringList m_requests;
};
