#include "support/test_db.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

namespace {

QString script(const char *name)
{
    return QStringLiteral(PRODEJ_SOURCE_DIR "/scripts/") + QLatin1String(name);
}

void runOrFail(const QString &program, const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAll().constData());
}

} // namespace

namespace testdb {

ConnectionSettings settings()
{
    ConnectionSettings s;
    s.host = QStringLiteral("127.0.0.1");
    s.port = qEnvironmentVariableIntValue("PRODEJ_DB_PORT");
    s.user = QStringLiteral("kasa");
    s.password = QStringLiteral("kasa");
    return s;
}

Config config(const QString &cisloPC, const QString &stredisko)
{
    const ConnectionSettings db = settings();
    Config c;
    c.ip = db.host;
    c.sqlPort = db.port;
    c.user = db.user;
    c.password = db.password;
    c.cisloPC = cisloPC;
    c.stredisko = stredisko;
    return c;
}

void reset()
{
    runOrFail(QStringLiteral("bash"), {script("load-db.sh")});
}

void rootSql(const QString &sql)
{
    runOrFail(QStringLiteral("bash"),
              {script("db.sh"), QStringLiteral("client"), QStringLiteral("prodej")}, sql.toUtf8());
}

} // namespace testdb
