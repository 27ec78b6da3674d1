#pragma once

#include "store/vat_rates.h"

#include "store/db_session.h"

#include <QString>
#include <QStringList>

// prodej.ini, section [LogON]. The program never writes it.
struct Config
{
    QString cisloPC = QStringLiteral("00");
    QString stredisko = QStringLiteral("777");
    QString ip = QStringLiteral("localhost");
    QString user = QStringLiteral("root");
    QString password;
    int sqlPort = 3306;
    int panel = 0;
    bool dotykMonitor = false;
    int typUctenky = 0;
    bool prepocitatStav = false;
    bool testovatVerzi = true;
    // The update server's folder address (ending with "/"); empty: no update check.
    QString aktualizaceURL;
    int terminal = 0;
    bool platbaKartou = true;
    QString otevreniSupliku;
    // The device the cash drawer hangs on (printer device file); empty: none.
    QString suplikZarizeni;
    bool nepovolitDoMinusu = false;
    bool zobrazitJKPOV = false;
    // VAT rates of the column pairs; the defaults when the keys are not valid,
    // and then `vatRatesProblem` says why.
    VatRates vatRates;
    QString vatRatesProblem;
    QString pokladnaDatabaze = QStringLiteral("kordan");
    QString pokladnaStredisko;

    // A missing file or key gives the default; an integer key that is not a whole
    // number gives its default; a yes/no key is on only when exactly "A".
    static Config load(const QString &iniPath);
    // prodej.ini in the program's own folder.
    static Config loadBesideExecutable();

    ConnectionSettings connection() const;
};

QString configFileName();
// `Stoly` of prodej.ini in the given folder: table service when exactly "A".
bool readTableServiceMode(const QString &folder);

// Only the first program argument is looked at.
struct LaunchSwitches
{
    bool noPrint = false;  // "/NETISK" in any case: nothing printed after a commit
    bool designer = false; // "/ES" exactly: reports open in the designer instead
    static LaunchSwitches parse(const QStringList &arguments);
};
