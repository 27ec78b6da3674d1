#pragma once

#include "app/config.h"

#include <QDialog>

class DbSession;
class QButtonGroup;
class QDateEdit;
class QLineEdit;

// "Tržby za období": the takings of a period in nine kinds, previewed and printed
// from the trz templates. Opened by "TRŽBY" and freed when closed.
class TFtrzby1 : public QDialog
{
    Q_OBJECT
public:
    TFtrzby1(DbSession &session, const QString &cisloPC, const QString &stredisko,
             const LaunchSwitches &switches, const QString &templateFolder,
             QWidget *parent = nullptr);

    void setVatRates(const VatRates &rates) { m_vatRates = rates; }
    // "Tisk": builds and shows the selected kind.
    void Button1Click();

protected:
    void done(int result) override;

private:
    DbSession &m_session;
    VatRates m_vatRates;
    QString m_cisloPC;
    LaunchSwitches m_switches;
    QString m_templateFolder;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QLineEdit *m_branch;
    QLineEdit *m_jkpov;
    QButtonGroup *m_kinds;
};
