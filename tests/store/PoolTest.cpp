// Pooled server connections: each record set still has a connection of its own, but one that a
// closed record set left is reused, reset. Run on the throwaway PostgreSQL server reached through
// a LatencyProxy (no delay), which counts the physical connections made: a record set never
// sees another's uncommitted rows, nor a transaction left open on a connection it reuses; a
// server restarted between two loads costs one new connection, not an error; a save that fails
// rolls back and the next save goes through on a reused connection. Skipped without PostgreSQL.
#include "LatencyProxy.h"
#include "PostgresServer.h"
#include "TempDatabase.h"

#include "store/CCNRecord.h"
#include "store/ConnectTarget.h"
#include "store/ConnectionPool.h"
#include "store/DatabaseFile.h"
#include "store/DbError.h"
#include "store/Odbc.h"
#include "store/Schema.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<store::CoursenameRow>;

class PoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server = testsupport::PostgresServer::get();
        if (m_server == nullptr) {
            GTEST_SKIP() << testsupport::PostgresServer::skipReason();
        }
        m_proxy = std::make_unique<testsupport::LatencyProxy>(m_server->socketFile(),
                                                              std::chrono::microseconds(0));
        m_connection = m_server->connectionString(m_server->newDatabaseName(), m_proxy->port());
        store::createTables(m_connection);
        store::useConnection(m_connection, "测试服务器数据库");
    }
    void TearDown() override { store::useDataSource(); }

    // The server process of a connection: the same one for the same physical connection.
    static std::string backend(store::odbc::Connection& db) {
        store::odbc::Statement select(db);
        select.executeDirect("SELECT pg_backend_pid()");
        return select.fetchAllText().at(0).at(0).value_or("");
    }

    testsupport::PostgresServer* m_server = nullptr;
    std::unique_ptr<testsupport::LatencyProxy> m_proxy;
    std::string m_connection;
};

TEST_F(PoolTest, ARecordSetNeverSeesAnotherConnectionsUncommittedRows) {
    store::CCNRecord().append(Names{{"语文"}});
    const int made = m_proxy->connectionsAccepted();
    {
        // One record set in an open transaction, another reading meanwhile.
        store::CCNRecord writer;
        store::odbc::Transaction transaction(writer.connection());
        writer.connection().execute("INSERT INTO coursename (coursename) VALUES ('数学')");
        store::CCNRecord reader;
        EXPECT_EQ(reader.readAll(), (Names{{"语文"}}));
        EXPECT_NE(backend(reader.connection()), backend(writer.connection()));
        transaction.commit();
        EXPECT_EQ(reader.readAll(), (Names{{"语文"}, {"数学"}}));
    }
    // Both connections went back to the pool; the next record sets take them.
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"语文"}, {"数学"}}));
    EXPECT_EQ(m_proxy->connectionsAccepted(), made + 1);
}

TEST_F(PoolTest, AConnectionLeftInATransactionIsRolledBackBeforeItIsReused) {
    const std::string resolved = store::resolveConnectString(store::kConnectLower);
    std::string pid;
    {
        store::odbc::Connection left;
        left.connect(resolved);
        pid = backend(left);
        left.setAutoCommit(false);
        left.execute("INSERT INTO coursename (coursename) VALUES ('坏')");
        left.execute("LOCK TABLE coursename IN EXCLUSIVE MODE");
        // closed with the transaction open
    }
    store::CCNRecord reused;
    EXPECT_TRUE(reused.readAll().empty());
    EXPECT_EQ(backend(reused.connection()), pid);
    // Back in auto-commit, without the lock: a write on it is seen by another connection at
    // once, and a save on another connection does not wait for a lock.
    reused.connection().execute("INSERT INTO coursename (coursename) VALUES ('英语')");
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"英语"}}));
    store::CCNRecord().replaceAll(Names{{"物理"}});
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"物理"}}));
}

TEST_F(PoolTest, AServerRestartedBetweenTwoLoadsCostsANewConnectionNotAnError) {
    store::CCNRecord().append(Names{{"语文"}, {"数学"}});
    EXPECT_EQ(store::CCNRecord().readAll().size(), 2U);
    ASSERT_TRUE(m_server->restart());
    // The idle connections went with the server: the load reconnects.
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"语文"}, {"数学"}}));
    // A save as the first statement after another restart, and a row added alone.
    ASSERT_TRUE(m_server->restart());
    store::CCNRecord().replaceAll(Names{{"化学"}});
    ASSERT_TRUE(m_server->restart());
    store::CCNRecord added;
    added.open();
    added.addNew();
    added.setCurrent({"生物"});
    added.update();
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"化学"}, {"生物"}}));

    // A network that fails under a connection in use is an error for the statement it
    // breaks, and that connection never returns to the pool; the next load reconnects.
    std::size_t idle = 0;
    std::string pool;
    {
        store::CCNRecord held;
        held.readAll();
        pool = held.connection().pooledAs();
        m_proxy->dropConnections();
        EXPECT_THROW(held.readAll(), store::DbError);
        idle = store::odbc::pool::idle(pool);
    }
    EXPECT_FALSE(pool.empty());
    EXPECT_EQ(store::odbc::pool::idle(pool), idle);
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"化学"}, {"生物"}}));
}

TEST_F(PoolTest, AFailedSaveRollsBackAndTheNextSaveGoesThroughOnAReusedConnection) {
    store::CCNRecord().append(Names{{"语文"}, {"数学"}});
    store::odbc::Connection admin;
    admin.connect(m_connection);
    admin.execute("ALTER TABLE coursename ADD CONSTRAINT refuse CHECK (coursename <> '坏')");
    admin.disconnect();
    const int made = m_proxy->connectionsAccepted();
    EXPECT_THROW(store::CCNRecord().replaceAll(Names{{"英语"}, {"坏"}, {"物理"}}), store::DbError);
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"语文"}, {"数学"}}));
    store::CCNRecord().replaceAll(Names{{"英语"}, {"物理"}});
    EXPECT_EQ(store::CCNRecord().readAll(), (Names{{"英语"}, {"物理"}}));
    EXPECT_EQ(m_proxy->connectionsAccepted(), made);
}

} // namespace

// A database file's connection is kept only where the process turns it on (the command-line
// front, which runs one command and ends): then the next connection is the same one (a
// temporary table made on it is still there), reset first, so a transaction left open is
// rolled back; off, every connection is a new one.
TEST(FilePool, KeptOnlyWhereTurnedOnAndResetBeforeReuse) {
    testsupport::TempDatabase db;
    const std::string resolved = store::resolveConnectString(store::kConnectLower);
    const auto marked = [&resolved] {
        store::odbc::Connection next;
        next.connect(resolved);
        try {
            store::odbc::Statement(next).executeDirect("SELECT count(*) FROM mark");
            return true;
        } catch (const store::DbError&) {
            return false;
        }
    };
    {
        store::odbc::Connection first;
        first.connect(resolved);
        first.execute("CREATE TEMP TABLE mark (x INTEGER)");
    }
    EXPECT_FALSE(marked());

    store::odbc::pool::keepFileConnections(true);
    {
        store::odbc::Connection first;
        first.connect(resolved);
        first.execute("CREATE TEMP TABLE mark (x INTEGER)");
        first.setAutoCommit(false);
        first.execute("INSERT INTO coursename (coursename) VALUES ('坏')");
    }
    EXPECT_TRUE(marked());
    EXPECT_TRUE(store::CCNRecord().readAll().empty());
    store::odbc::pool::keepFileConnections(false);
}
