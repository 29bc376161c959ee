#include "store/ConnectionPool.h"

#include <atomic>

#include <sqlext.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <vector>

namespace store::odbc::pool {
namespace {

struct Pool {
    std::mutex mutex;
    pid_t owner = getpid();
    std::map<std::string, std::vector<SQLHDBC>> idle;

    // The connections of a parent process are its own: a forked child forgets them unused.
    void forgetInherited() {
        if (owner != getpid()) {
            idle.clear();
            owner = getpid();
        }
    }

    ~Pool() {
        const std::lock_guard lock(mutex);
        forgetInherited();
        for (auto& [connectionString, handles] : idle) {
            for (SQLHDBC dbc : handles) {
                close(dbc);
            }
        }
    }
};

Pool& instance() {
    static Pool pool;
    return pool;
}

std::atomic<bool> g_keepFiles{false};

bool knownDead(SQLHDBC dbc) {
    SQLUINTEGER dead = SQL_CD_FALSE;
    const SQLRETURN rc = SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return SQL_SUCCEEDED(rc) && dead == SQL_CD_TRUE;
}

} // namespace

void close(SQLHDBC dbc) {
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
}

SQLHDBC take(const std::string& connectionString) {
    Pool& pool = instance();
    std::vector<SQLHDBC> dead;
    SQLHDBC found = SQL_NULL_HDBC;
    {
        const std::lock_guard lock(pool.mutex);
        pool.forgetInherited();
        const auto it = pool.idle.find(connectionString);
        while (it != pool.idle.end() && !it->second.empty() && found == SQL_NULL_HDBC) {
            SQLHDBC dbc = it->second.back();
            it->second.pop_back();
            if (knownDead(dbc)) {
                dead.push_back(dbc);
            } else {
                found = dbc;
            }
        }
    }
    for (SQLHDBC dbc : dead) {
        close(dbc);
    }
    return found;
}

void give(const std::string& connectionString, SQLHDBC dbc) {
    Pool& pool = instance();
    {
        const std::lock_guard lock(pool.mutex);
        pool.forgetInherited();
        std::vector<SQLHDBC>& handles = pool.idle[connectionString];
        if (handles.size() < kMaxIdle) {
            handles.push_back(dbc);
            return;
        }
    }
    close(dbc);
}

void drop(const std::string& connectionString) {
    Pool& pool = instance();
    std::vector<SQLHDBC> handles;
    {
        const std::lock_guard lock(pool.mutex);
        pool.forgetInherited();
        const auto it = pool.idle.find(connectionString);
        if (it != pool.idle.end()) {
            handles.swap(it->second);
        }
    }
    for (SQLHDBC dbc : handles) {
        close(dbc);
    }
}

void keepFileConnections(bool keep) {
    g_keepFiles.store(keep);
}

bool keepsFileConnections() {
    return g_keepFiles.load();
}

std::size_t idle(const std::string& connectionString) {
    Pool& pool = instance();
    const std::lock_guard lock(pool.mutex);
    pool.forgetInherited();
    const auto it = pool.idle.find(connectionString);
    return it == pool.idle.end() ? 0 : it->second.size();
}

} // namespace store::odbc::pool
