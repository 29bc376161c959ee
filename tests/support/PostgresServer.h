// A throwaway PostgreSQL server for the tests that run the store on both engines: started on
// first use in a short temporary folder (its socket there, no TCP port, fsync off), one new
// database a test, stopped and removed when the test process ends. Servers left behind by a
// test process that died are stopped the next time. Where PostgreSQL's programs are not
// installed (or the server cannot start) get() is null and skipReason() says why, so that the
// tests are skipped with a message, never failed.
#pragma once

#include <string>

namespace testsupport {

class PostgresServer {
public:
    static PostgresServer* get();
    static const std::string& skipReason();

    // A new, empty database (without tables); its ODBC connection string, DSN-less through
    // the ANSI driver library, without the communication log.
    std::string newDatabase();
    // The same, its name.
    std::string newDatabaseName();
    // The connection string of database `name`.
    std::string connectionString(const std::string& name) const;
    // The same over TCP to 127.0.0.1:port, where a LatencyProxy forwards to socketFile().
    std::string connectionString(const std::string& name, int port) const;
    // The server's Unix socket.
    std::string socketFile() const;
    // Stops the server and starts it again on the same data (every connection is closed);
    // false when it does not come back.
    bool restart();

    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;
    ~PostgresServer();

private:
    PostgresServer() = default;
    bool start(std::string& why);
    // pg_ctl with the server's folder, log and options, then `action`.
    std::string startCommand(const std::string& action) const;

    std::string m_folder;
    std::string m_bin;
    int m_databases = 0;
    bool m_running = false;
};

} // namespace testsupport
