// What the SQL of the record sets and the schema says differently on each engine: quoted
// identifiers (ASCII names stay as written, "order" and Chinese names are identifiers), the
// hidden key column, the write lock a save takes first, and the key a row was just given.
#pragma once

#include "store/Odbc.h"

#include <string>
#include <string_view>

namespace store::sql {

// An identifier as the engine reads it whatever it is named: [name] on SQLite, where a
// "name" naming no column would silently read as a text, "name" with inner quotes doubled
// on PostgreSQL.
std::string quoted(odbc::Engine engine, std::string_view name);

// The type of the hidden key column, which numbers rows in insertion order.
std::string keyColumnType(odbc::Engine engine);

// Taken first inside a save's transaction, so that no other program writes the table between
// the comparison and the save. SQLite locks the whole database at the first write;
// PostgreSQL locks the table against other writers (readers go on) until the end.
std::string writeLockStatement(odbc::Engine engine, std::string_view table);

// Selects the hidden key the last insert on this connection was given.
std::string lastKeyQuery(odbc::Engine engine);

} // namespace store::sql
