#include "app/update_check.h"

#include "devices/text_utils.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSaveFile>

namespace update {

std::optional<QString> serverStamp(const QByteArray &versionFile, const QString &programFile)
{
    QList<QByteArray> lines = versionFile.split('\n');
    if (versionFile.endsWith('\n'))
        lines.removeLast(); // the end of the last line, not a line of its own
    if (lines.size() < 2)
        return std::nullopt;
    QString line = QString::fromLatin1(lines.at(1));
    line = text::replaceTextNoCase(line, programFile, QStringLiteral("|"));
    line = text::replaceTextNoCase(line, QStringLiteral(".000"), QStringLiteral("|"));
    const QStringList parts = line.split(QLatin1Char('|'));
    if (parts.size() < 3)
        return QString(); // no second bar: nothing between two bars
    return parts.at(1).trimmed();
}

QString localStamp(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return QStringLiteral("1899-12-30 00:00:00");
    QDateTime modified = info.lastModified().toLocalTime();
    const QTime t = modified.time();
    modified.setTime(QTime(t.hour(), t.minute(), t.second() - t.second() % 2));
    return text::formatDateTime(modified);
}

bool download(const QUrl &url, const QString &localFile, int timeoutMs)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vortel"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return false; // also every HTTP error status
    QSaveFile file(localFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reply->readAll());
    return file.commit();
}

QString check(const QString &folder, const QUrl &base, const QString &stem,
              const QString &programFile, bool downloadUpdater)
{
    const QDir dir(folder);
    const QString versionFile = dir.filePath(stem + QStringLiteral(".ver"));
    const QString updaterFile = dir.filePath(stem + QStringLiteral(".exe"));
    QFile::remove(versionFile);
    download(base.resolved(QUrl(stem + QStringLiteral(".ver"))), versionFile);
    QFile version(versionFile);
    if (!version.open(QIODevice::ReadOnly))
        return QStringLiteral("N");
    const std::optional<QString> server = serverStamp(version.readAll(), programFile);
    if (!server)
        return QStringLiteral("N"); // not a version file
    const QString local = localStamp(dir.filePath(programFile));
    QString result = *server > local ? QStringLiteral("A") : QStringLiteral("N");
    QFile log(dir.filePath(kLogFile));
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        log.write(QStringLiteral("Verze programu: %1\r\nVerze internet: %2\r\n")
                      .arg(local, *server)
                      .toUtf8());
    }
    if (result == QLatin1String("A") && downloadUpdater) {
        if (!download(base.resolved(QUrl(stem + QStringLiteral(".exe"))), updaterFile))
            result = QStringLiteral("N");
        else // a downloaded file is not executable by itself here
            QFile::setPermissions(updaterFile, QFile::permissions(updaterFile) |
                                                   QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                   QFileDevice::ExeOther);
    }
    return result;
}

} // namespace update
