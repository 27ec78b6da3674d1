#include "app/config.h"

#include "app/ini_file.h"
#include "devices/text_utils.h"

#include <QDir>

namespace {

const QString kSection = QStringLiteral("LogON");

QString readText(const IniFile &ini, const char *key, const QString &fallback)
{
    return ini.value(kSection, QLatin1String(key), fallback);
}

bool readYesNo(const IniFile &ini, const char *key, bool fallback)
{
    return readText(ini, key, fallback ? QStringLiteral("A") : QStringLiteral("N")) ==
           QLatin1String("A");
}

int readInteger(const IniFile &ini, const char *key, int fallback)
{
    bool ok = false;
    const int value = readText(ini, key, QString()).toInt(&ok, 10);
    return ok ? value : fallback;
}

} // namespace

QString configFileName()
{
    return QStringLiteral("prodej.ini");
}

Config Config::load(const QString &iniPath)
{
    const IniFile ini = IniFile::load(iniPath);
    Config c;
    c.cisloPC = readText(ini, "CisloPC", c.cisloPC);
    c.stredisko = readText(ini, "Stredisko", c.stredisko);
    c.ip = readText(ini, "IP", c.ip);
    c.user = readText(ini, "User", c.user);
    c.password = readText(ini, "Password", c.password);
    c.sqlPort = readInteger(ini, "SQLport", c.sqlPort);
    c.panel = readInteger(ini, "Panel", c.panel);
    c.dotykMonitor = readYesNo(ini, "DotykMonitor", c.dotykMonitor);
    c.typUctenky = readInteger(ini, "typUctenky", c.typUctenky);
    c.prepocitatStav = readYesNo(ini, "prepocitatStav", c.prepocitatStav);
    c.testovatVerzi = readYesNo(ini, "testovatVerzi", c.testovatVerzi);
    c.aktualizaceURL = readText(ini, "AktualizaceURL", c.aktualizaceURL);
    c.terminal = readInteger(ini, "Terminal", c.terminal);
    c.platbaKartou = readYesNo(ini, "platbaKartou", c.platbaKartou);
    c.otevreniSupliku = readText(ini, "OtevreniSupliku", c.otevreniSupliku);
    c.suplikZarizeni = readText(ini, "SuplikZarizeni", c.suplikZarizeni);
    c.nepovolitDoMinusu = readYesNo(ini, "nepovolitDoMinusu", c.nepovolitDoMinusu);
    c.zobrazitJKPOV = readYesNo(ini, "ZobrazitJKPOV", c.zobrazitJKPOV);
    c.pokladnaDatabaze = readText(ini, "pokladnaDATABAZE", c.pokladnaDatabaze);
    c.pokladnaStredisko = readText(ini, "pokladnaSTREDISKO", c.pokladnaStredisko);
    return c;
}

Config Config::loadBesideExecutable()
{
    return load(text::executableFolder() + configFileName());
}

ConnectionSettings Config::connection() const
{
    ConnectionSettings s;
    s.host = ip;
    s.port = sqlPort;
    s.user = user;
    s.password = password;
    return s;
}

bool readTableServiceMode(const QString &folder)
{
    const IniFile ini = IniFile::load(QDir(folder).filePath(configFileName()));
    return readText(ini, "Stoly", QStringLiteral("N")) == QLatin1String("A");
}

LaunchSwitches LaunchSwitches::parse(const QStringList &arguments)
{
    LaunchSwitches s;
    if (arguments.isEmpty())
        return s;
    const QString first = arguments.first();
    s.noPrint = first.compare(QLatin1String("/NETISK"), Qt::CaseInsensitive) == 0;
    s.designer = first == QLatin1String("/ES");
    return s;
}
