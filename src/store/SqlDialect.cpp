#include "store/SqlDialect.h"

namespace store::sql {

std::string quoted(odbc::Engine engine, std::string_view name) {
    if (engine != odbc::Engine::PostgreSQL) {
        return "[" + std::string(name) + "]";
    }
    std::string s = "\"";
    for (const char c : name) {
        s += c;
        if (c == '"') {
            s += '"';
        }
    }
    s += '"';
    return s;
}

std::string keyColumnType(odbc::Engine engine) {
    return engine == odbc::Engine::PostgreSQL ? "BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY"
                                              : "INTEGER PRIMARY KEY AUTOINCREMENT";
}

std::string writeLockStatement(odbc::Engine engine, std::string_view table) {
    if (engine == odbc::Engine::PostgreSQL) {
        return "LOCK TABLE " + quoted(engine, table) + " IN EXCLUSIVE MODE";
    }
    // A write that changes nothing still takes SQLite's write lock for the transaction.
    return "DELETE FROM " + quoted(engine, table) + " WHERE 0 = 1";
}

std::string lastKeyQuery(odbc::Engine engine) {
    return engine == odbc::Engine::PostgreSQL ? "SELECT lastval()" : "SELECT last_insert_rowid()";
}

} // namespace store::sql
