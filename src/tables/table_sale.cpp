#include "tables/table_sale.h"

#include "app/station.h"
#include "sale/receipt_commit.h"
#include "sale/receipt_lines.h"
#include "sale/receipt_scripts.h"
#include "store/db_session.h"
#include "store/sql_text.h"

namespace {

// The columns of `uctenky` in table order, with the line number left to the work
// receipt: a copied line must not keep the number of a line of another open order.
QString copyColumns(DbSession &session)
{
    QStringList columns;
    QSqlQuery q = session.query(QStringLiteral("show columns from uctenky"));
    while (q.next()) {
        const QString name = q.value(0).toString();
        columns << (name.compare(QLatin1String("id2"), Qt::CaseInsensitive) == 0
                        ? QStringLiteral("0")
                        : QLatin1Char('`') + name + QLatin1Char('`'));
    }
    return columns.join(QLatin1Char(','));
}

} // namespace

void TableSale::start(const Config &config)
{
    m_tables.reset();
    m_config = config;
    // Table service knows no stock control, stock recount or customer display.
    m_config.nepovolitDoMinusu = false;
    m_config.prepocitatStav = false;
    m_config.panel = 0;
    m_station.openSession(config, m_session);
    m_station.ico.clear();
    const WorkTables tables(m_station.cisloPC);
    tables.ensureForTableService(m_session);
    m_copyColumns = copyColumns(m_session);
    m_tables = tables;
    m_receipt = ReceiptState{};
    SpoctiSoucet();
}

void TableSale::close()
{
    if (!m_tables)
        return;
    m_tables->dropAtClose(m_session, true);
    m_tables.reset();
}

void TableSale::setCurrentTable(const QString &tableId)
{
    m_currentTable = tableId;
}

QString TableSale::orderCondition() const
{
    return QStringLiteral(" WHERE stul=") + sql::quote(m_currentTable);
}

void TableSale::ZapisFofr(const QSqlRecord &product, int pocet, double unitQuantity)
{
    m_session.exec(tableLineInsertStatement(m_station.cisloPC, product, pocet, unitQuantity,
                                            m_station.stredisko, m_currentTable,
                                            QDateTime::currentDateTime()),
                   Trace::Au);
    SpoctiSoucet();
}

double TableSale::SpoctiSoucet()
{
    m_total = isReady() ? m_session
                              .scalar(QStringLiteral("select sum(cenar) from ") +
                                      m_tables->receipt() + orderCondition())
                              .toDouble()
                        : 0.0;
    return m_total;
}

bool TableSale::hasLines()
{
    return isReady() && m_session
                            .query(QStringLiteral("select 1 from ") + m_tables->receipt() +
                                   orderCondition() + QStringLiteral(" limit 1"))
                            .next();
}

qint64 TableSale::UlozUcte()
{
    const qint64 number = commitTableOrder(m_session, commitInput(), m_currentTable);
    SpoctiSoucet();
    return number;
}

void TableSale::copyForRefund(qint64 number)
{
    m_currentTable = kStornoOrder;
    m_session.runScript(
        tableCopyForRefundScript(m_station.cisloPC, number, kStornoOrder, m_copyColumns),
        Trace::A4);
    SpoctiSoucet();
}

void TableSale::deleteAllLines()
{
    if (!hasLines())
        return;
    m_session.runScript(deleteOrderScript(m_station.cisloPC, m_currentTable), Trace::Au);
    SpoctiSoucet();
}

QString TableSale::receiptLinesQuery() const
{
    return ::receiptLinesQuery(m_station.cisloPC, m_currentTable);
}
