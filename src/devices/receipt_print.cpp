#include "devices/receipt_print.h"

#include "app/user_error.h"
#include "devices/text_utils.h"
#include "store/db_session.h"

#include <QDir>

QString receiptTemplateBase(const QVariant &evidPlatby, const QVariant &platil,
                            const QVariant &cislokarty)
{
    const bool paymentRecorded =
        evidPlatby.toString() == QLatin1String("A") && platil.toDouble() != 0;
    if (!paymentRecorded)
        return QStringLiteral("uct1");
    return cislokarty.isNull() ? QStringLiteral("uct2") : QStringLiteral("uct3");
}

QString receiptFamilySuffix(ReceiptScreen screen, int typUctenky)
{
    if (screen == ReceiptScreen::CounterSale) {
        switch (typUctenky) {
        case 1:
            return QStringLiteral("p");
        case 6:
        case 7:
        case 8:
        case 9:
            return QStringLiteral("p") + QString::number(typUctenky);
        default:
            return {};
        }
    }
    switch (typUctenky) {
    case 1:
        return QStringLiteral("p_s");
    case 2:
        return QStringLiteral("sl_s");
    case 7:
    case 8:
        return QStringLiteral("p") + QString::number(typUctenky) + QStringLiteral("_s");
    default:
        return QStringLiteral("_s");
    }
}

QStringList receiptTemplateFiles(ReceiptScreen screen)
{
    QStringList suffixes;
    for (int typ : {0, 1, 2, 6, 7, 8, 9}) {
        const QString suffix = receiptFamilySuffix(screen, typ);
        if (!suffixes.contains(suffix))
            suffixes << suffix;
    }
    QStringList files;
    for (const QString &suffix : std::as_const(suffixes)) {
        for (const char *base : {"uct1", "uct2", "uct3"})
            files << QLatin1String(base) + suffix + QStringLiteral(".fr3");
    }
    return files;
}

QString receiptTemplateFolder()
{
    return text::executableFolder() + QStringLiteral("fr3");
}

QString receiptQuery(std::optional<qint64> number)
{
    return QStringList{
        QStringLiteral("select * from uctenky"),
        QStringLiteral(" LEFT JOIN strediska"),
        QStringLiteral(" ON (uctenky.stredisko=strediska.stredisko)"),
        number ? QStringLiteral(" where uctenky.cisuctenky=") + QString::number(*number)
               : QStringLiteral(" where uctenky.cisuctenky=@CiUc"),
    }
        .join(QLatin1Char('\n'));
}

int branchFieldValue(const QString &stredisko)
{
    bool ok = false;
    const int value = stredisko.toInt(&ok);
    if (!ok)
        throw UserError(QStringLiteral("„%1“ není platné celé číslo.").arg(stredisko));
    return value;
}

qint64 reprintReceiptNumber(int yearField, const QString &stredisko, int runningNumber)
{
    branchFieldValue(stredisko);
    return (QString::number(yearField) + stredisko).toLongLong() * 100000 + runningNumber;
}

ReceiptPrint::ReceiptPrint(ReceiptScreen screen, int typUctenky, QString templateFolder)
    : m_screen(screen), m_typUctenky(typUctenky), m_folder(std::move(templateFolder))
{}

void ReceiptPrint::load(DbSession &session, std::optional<qint64> number)
{
    QSqlQuery q = session.query(receiptQuery(number));
    m_report.clear();
    m_report.setData(q);
    const QList<QSqlRecord> &rows = m_report.rows();
    const QSqlRecord first = rows.isEmpty() ? QSqlRecord() : rows.first();
    m_templateFile = receiptTemplateBase(first.value(QStringLiteral("evid_platby")),
                                         first.value(QStringLiteral("platil")),
                                         first.value(QStringLiteral("cislokarty"))) +
                     receiptFamilySuffix(m_screen, m_typUctenky) + QStringLiteral(".fr3");
    m_report.loadFromFile(QDir(m_folder).filePath(m_templateFile));
    // What the columns do not say directly: the change, card payment, refund.
    const double paid = first.value(QStringLiteral("platil")).toDouble();
    const double due = first.value(QStringLiteral("soucetuzao")).toDouble();
    m_report.setVariable(QStringLiteral("vraceno"), rows.isEmpty() ? 0.0 : paid - due);
    m_report.setVariable(QStringLiteral("kartou"),
                         first.value(QStringLiteral("typplatby")).toString() == QLatin1String("K"));
    m_report.setVariable(QStringLiteral("vratka"),
                         first.value(QStringLiteral("soucetu")).toDouble() < 0);
    setVatRateVariables(m_report, m_vatRates);
}
