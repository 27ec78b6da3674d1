#pragma once

#include "app/config.h"
#include "store/db_session.h"

#include <QString>

// The throwaway MariaDB that the test run starts (see tests/CMakeLists.txt).
namespace testdb {

// Login of the program's user on the test server.
ConnectionSettings settings();
// The settings of a workstation of the branch, logging in as settings() does.
Config config(const QString &cisloPC, const QString &stredisko = QStringLiteral("777"));
// Drops and recreates the shop's databases from db/schema.sql, empty.
void reset();
// Runs SQL as the server's root on its socket, outside any session under test.
void rootSql(const QString &sql);

} // namespace testdb
