#include "tables/table_sale.h"

#include "app/station.h"
#include "store/db_session.h"

TableSale::TableSale(Station &station, DbSession &session) : m_station(station), m_session(session)
{}

void TableSale::start(const Config &config)
{
    m_tables.reset();
    m_config = config;
    m_station.openSession(config, m_session);
    const WorkTables tables(m_station.cisloPC);
    tables.ensureForTableService(m_session);
    m_tables = tables;
}

void TableSale::close()
{
    if (!m_tables)
        return;
    m_tables->dropAtClose(m_session, true);
    m_tables.reset();
}
