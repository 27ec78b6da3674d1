#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

// The check for a newer build of the program on the update server: a version
// file names the server's build time, compared with the local program file's.
namespace update {

inline const QString kStem = QStringLiteral("setupkasen");
inline const QString kProgramFile = QStringLiteral("kasen.exe");
inline const QString kLogFile = QStringLiteral("verze.log");

// The server's stamp from the version file: its second line, between the program
// file's name (any letter case) and ".000", trimmed. Empty when not found; nothing
// when the file has fewer than two lines.
std::optional<QString> serverStamp(const QByteArray &versionFile, const QString &programFile);

// The local program file's modification time at the two-second resolution of
// the old file dates, as "yyyy-MM-dd HH:mm:ss"; "1899-12-30 00:00:00" when the
// file is missing or a folder.
QString localStamp(const QString &path);

// Fetches `url` into `localFile` (replaced) without any cache. False when the
// server cannot be reached or answers with an error status: no file is created
// then, so an error page is never taken for the file.
bool download(const QUrl &url, const QString &localFile, int timeoutMs = 15000);

// The whole check in `folder` against the server folder `base` (ending with "/"):
// "A" when the server's build is newer (and, with `downloadUpdater`, the updater
// has been fetched), else "N". Writes "verze.log" once the version file was read.
QString check(const QString &folder, const QUrl &base, const QString &stem,
              const QString &programFile, bool downloadUpdater);

} // namespace update
