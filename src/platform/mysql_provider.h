// MySQL provider over MariaDB Connector/C: the chapter server of the online edition.
#pragma once

#include "platform/dataaccess.h"

// Settings read from the connection: Server (a host name is resolved to its IPv4 address
// first, so "localhost" goes over TCP to 127.0.0.1 and never through the Unix socket), Port
// (3306 when 0), Username, Password, Database (may be empty: no default database) and the
// option "MySQL.ConnectionTimeout" in seconds (default kMySqlConnectTimeout).
// Text goes both ways as utf8mb4, so characters outside the BMP come back unchanged.
// A session whose connection was lost reconnects before its next statement.
std::unique_ptr<DbSession> openMySqlSession(const TUniConnection &connection);

// Without a time-out of our own, a peer that accepts and never answers blocks a connect for
// minutes; with it the connect fails after this many seconds.
inline constexpr int kMySqlConnectTimeout = 5;
// Reading or writing one statement's packets may stall this long before the statement fails.
inline constexpr int kMySqlReadWriteTimeout = 30;
inline constexpr int kMySqlDefaultPort = 3306;
