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

// DPHz1, DPHz5, DPHz23: three distinct whole numbers from 1 to 99, all or none.
void readVatRates(const IniFile &ini, Config &c)
{
    const struct
    {
        const char *key;
        int VatRates::*rate;
    } keys[] = {{"DPHz1", &VatRates::z1}, {"DPHz5", &VatRates::z5}, {"DPHz23", &VatRates::z23}};
    VatRates rates;
    QStringList problems;
    for (const auto &k : keys) {
        const QString text = readText(ini, k.key, QString());
        if (text.isEmpty())
            continue;
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        if (!ok || value < 1 || value > 99)
            problems << QStringLiteral("%1=%2").arg(QLatin1String(k.key), text);
        else
            rates.*k.rate = value;
    }
    if (problems.isEmpty() &&
        (rates.z1 == rates.z5 || rates.z1 == rates.z23 || rates.z5 == rates.z23)) {
        problems << QStringLiteral("DPHz1=%1, DPHz5=%2, DPHz23=%3 nejsou tři různé sazby")
                        .arg(rates.z1)
                        .arg(rates.z5)
                        .arg(rates.z23);
    }
    if (problems.isEmpty()) {
        c.vatRates = rates;
        return;
    }
    c.vatRates = VatRates{};
    c.vatRatesProblem =
        QStringLiteral("Sazby DPH v prodej.ini (DPHz1, DPHz5, DPHz23) musí být tři různá celá "
                       "čísla od 1 do 99: %1. Platí výchozí sazby 10, 15 a 21 %.")
            .arg(problems.join(QStringLiteral(", ")));
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
    if (c.sqlPort < 1 || c.sqlPort > 65535)
        c.sqlPort = Config().sqlPort; // no such port: the server's usual one
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
    readVatRates(ini, c);
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
