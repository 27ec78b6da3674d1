#pragma once

#include "app/config.h"
#include "store/work_tables.h"

#include <optional>

class DbSession;
class Station;

// Table service's logic, apart from its window. All open orders of the
// workstation live in its work receipt table, keyed by `stul`, across runs.
class TableSale
{
public:
    TableSale(Station &station, DbSession &session);

    // Start-up as far as the work receipt: settings, connection, and the work
    // receipt table created only when missing (open orders stay). Throws
    // UserError or DbError.
    void start(const Config &config);
    // Drops the storno and left-over tables, and the work receipt only when no
    // order is open.
    void close();

    bool isReady() const { return m_tables.has_value(); }
    const Config &config() const { return m_config; }
    const WorkTables &tables() const { return *m_tables; }

private:
    Station &m_station;
    DbSession &m_session;
    Config m_config;
    std::optional<WorkTables> m_tables;
};
