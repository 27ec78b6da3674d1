#pragma once

#include "store/db_session.h"

#include <QString>

// The throwaway MariaDB that the test run starts (see tests/CMakeLists.txt).
namespace testdb {

// Login of the program's user on the test server.
ConnectionSettings settings();
// Drops and recreates the shop's databases from db/schema.sql, empty.
void reset();
// Runs SQL as the server's root on its socket, outside any session under test.
void rootSql(const QString &sql);

} // namespace testdb
