// The server connections of this process kept for reuse: a record set still opens its own
// connection, but closing it hands the physical connection (the session with the server, its
// log-in and settings made) back here, and the next record set on the same connection string
// takes it instead of logging in again. Only connections left without a transaction, in
// auto-commit mode and not known to be dead are kept (Connection::disconnect resets them
// first); a connection that proves broken when used is replaced there, and every idle one of
// its string dropped with it. A database file is pooled only where the process says so
// (keepFileConnections): the file could be replaced under an open handle, which a program
// that runs one command and ends does not do.
//
// The driver manager's own pooling is not used: with psqlODBC it hands a connection back as
// it was left, its open transaction and auto-commit off included, and hands out connections
// the server closed meanwhile.
//
// Thread-safe. A forked process never uses (nor closes) the connections of its parent: they
// share the parent's sockets.
#pragma once

#include <sql.h>

#include <cstddef>
#include <string>

namespace store::odbc::pool {

// The most idle connections kept for one connection string; more are closed.
inline constexpr std::size_t kMaxIdle = 8;

// An idle connection opened with exactly this connection string, the most recently used one;
// SQL_NULL_HDBC when there is none. Connections the driver knows to be dead are closed on the
// way.
SQLHDBC take(const std::string& connectionString);

// Keeps a connected handle, reset to auto-commit with no open transaction, for reuse; closes
// it when kMaxIdle are kept already.
void give(const std::string& connectionString, SQLHDBC dbc);

// Closes every idle connection of the string (after one of them proved broken, the others
// went with the same server).
void drop(const std::string& connectionString);

// Whether connections to database files are kept too (off unless a process turns it on: the
// command-line front does, for the few commands it runs itself).
void keepFileConnections(bool keep);
bool keepsFileConnections();

// How many idle connections the string has.
std::size_t idle(const std::string& connectionString);

// Disconnects a handle and frees it.
void close(SQLHDBC dbc);

} // namespace store::odbc::pool
