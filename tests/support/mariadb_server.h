// A private MariaDB server for the tests: initialised in a temporary folder and started as a
// child of the test program on 127.0.0.1 and a free port, never through systemd. One server
// serves the whole test program: it starts at the first use and stops when the tests end
// (or with the test program, should that die first).
#pragma once

#include "dataaccess/configuration.h"
#include "platform/dataaccess.h"

#include <QString>
#include <memory>

class MariaDbServer {
  public:
    // The server of this test program, started on first use. Throws std::runtime_error
    // (which fails the calling test) when it cannot be started, mariadbd missing included.
    static MariaDbServer &shared();

    virtual ~MariaDbServer() = default;
    virtual QString host() const = 0; // "127.0.0.1"
    virtual int port() const = 0;

    // A connection as the server's root user (no password), optionally to a database.
    std::unique_ptr<TUniConnection> root(const QString &database = QString()) const;
    // Runs statements as root.
    void exec(const QString &sql, const QString &database = QString()) const;

    // The program's database, user and tables, named by `config`'s hidden values; the user
    // may read the tables. Creating them again changes nothing.
    void prepareProgramDatabase(const Configuration &config) const;
    // `config` pointed at this server.
    Configuration configuration(Configuration config = {}) const;
};

// Stops the shared server if it runs (also done automatically at the end of the tests).
void stopSharedMariaDbServer();
