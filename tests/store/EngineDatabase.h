// Test support of the store's tests that run on both engines: a fixture whose parameter is the
// engine; SetUp gives a fresh SQLite file or a new database on the throwaway PostgreSQL server
// (skipped where there is none) with the sixteen tables, every record set connected to it,
// and execute() runs SQL outside the record sets.
#pragma once

#include "PostgresServer.h"
#include "TempDatabase.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "store/Odbc.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace testsupport {

class EngineDatabase : public ::testing::TestWithParam<store::odbc::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == store::odbc::Engine::SQLite) {
            m_file.emplace();
            m_connection = store::fileConnectionString(m_file->databasePath());
            return;
        }
        PostgresServer* server = PostgresServer::get();
        if (server == nullptr) {
            GTEST_SKIP() << PostgresServer::skipReason();
        }
        m_connection = server->newDatabase();
        store::createTables(m_connection);
        store::useConnection(m_connection, "测试服务器数据库");
    }
    void TearDown() override { store::useDataSource(); }

    // Runs SQL outside the record sets.
    void execute(const std::string& sql) const {
        store::odbc::Connection db;
        db.connect(m_connection);
        db.execute(sql);
    }

    std::optional<TempDatabase> m_file;
    std::string m_connection;
};

} // namespace testsupport
