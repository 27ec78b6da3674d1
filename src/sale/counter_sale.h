#pragma once

#include "app/config.h"
#include "store/work_tables.h"

#include <optional>

class DbSession;
class Station;

// The counter sale's logic, apart from its window.
class CounterSale
{
public:
    CounterSale(Station &station, DbSession &session);

    // Start-up as far as the work receipt: settings, connection, `Ico`, and a
    // fresh work receipt table. Throws UserError or DbError; nothing is prepared then.
    void start(const Config &config);
    // Drops the workstation's work tables, when the start got that far.
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
