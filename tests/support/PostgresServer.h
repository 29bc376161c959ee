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
    // The connection string of database `name`.
    std::string connectionString(const std::string& name) const;

    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;
    ~PostgresServer();

private:
    PostgresServer() = default;
    bool start(std::string& why);

    std::string m_folder;
    std::string m_bin;
    int m_databases = 0;
    bool m_running = false;
};

} // namespace testsupport
