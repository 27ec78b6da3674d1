#include "sale/counter_sale.h"

#include "app/station.h"
#include "store/db_session.h"

CounterSale::CounterSale(Station &station, DbSession &session)
    : m_station(station), m_session(session)
{}

void CounterSale::start(const Config &config)
{
    m_tables.reset();
    m_config = config;
    m_station.openSession(config, m_session);
    m_station.readIco(m_session);
    const WorkTables tables(m_station.cisloPC);
    tables.createForCounterSale(m_session);
    m_tables = tables;
}

void CounterSale::close()
{
    if (!m_tables)
        return;
    m_tables->dropAtClose(m_session, false);
    m_tables.reset();
}
