// A thin RAII wrapper over unixODBC's ANSI API: the process-wide environment, one
// connection (a server's reused from the pool of ConnectionPool.h), and statements with bound
// parameters. Text crosses as UTF-8 bytes, untouched. Every failure throws DbError carrying
// the driver's diagnostic records.
#pragma once

#include "store/DbError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <sql.h>
#include <sqlext.h>

namespace store::odbc {

// The diagnostic records of a handle, joined by line breaks; a fallback text when the
// driver left none.
std::string diagnostics(SQLSMALLINT handleType, SQLHANDLE handle, std::string_view fallback);

// Throws DbError with the handle's diagnostics unless rc is a success code.
void check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, std::string_view what);

// The process-wide ODBC environment (ODBC 3), created on first use.
SQLHENV environment();

// How long a server statement waits for a table another program holds locked before it fails
// (milliseconds); about what SQLite's busy timeout waits.
inline constexpr int kLockTimeoutMs = 4000;

// The database behind a connection, told by the driver's DBMS name.
enum class Engine { SQLite, PostgreSQL, Other };

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connects with an ODBC connection string ("DSN=…" or "DRIVER=…;Database=…"). A
    // PostgreSQL server is always talked to in UTF-8, whatever the process locale: a
    // connection string that does not set ConnSettings gets the client encoding added, and
    // one that does not set Protocol a failed statement rolling back the whole transaction.
    // The driver's communication log is off unless the string sets CommLog, and a server
    // statement waits kLockTimeoutMs for a locked table. The engine behind a connection
    // string is told on its first connection (once per data source); later ones open once,
    // with the settings. A server connection is taken from the pool (ConnectionPool.h) when
    // one is idle there, its session and settings as they were made.
    void connect(const std::string& connectionString);
    Engine engine() const { return m_engine; }
    // Hands a server connection back to the pool, its open transaction rolled back and
    // auto-commit restored; closes it instead when that fails or it is known to be broken.
    void disconnect();
    bool connected() const { return m_dbc != SQL_NULL_HDBC && m_connected; }
    SQLHDBC handle() const { return m_dbc; }
    // The pool this connection goes back to when it is closed: the connection string it was
    // opened with; empty for a database file.
    const std::string& pooledAs() const { return m_pooledAs; }

    // Executes a statement that returns no rows.
    void execute(const std::string& sql);

    void setAutoCommit(bool on);
    void commit();
    void rollback();

private:
    friend class Statement;
    // Connects with exactly this string, the engine left to the caller.
    void open(const std::string& connectionString);
    // What every new server session is set up with.
    void startSession();
    // Rolls back an open transaction and restores auto-commit; false when the connection is
    // not fit to be used again.
    bool resetForPool();
    // Whether a failure says the connection is lost (the server restarted or closed it, the
    // network failed); such a connection never goes back to the pool.
    bool lost(SQLSMALLINT handleType, SQLHANDLE handle);
    // Replaces a lost connection by a new one in the same commit mode, and closes the other
    // idle connections of its pool, which went with the same server.
    void replace();

    SQLHDBC m_dbc = SQL_NULL_HDBC;
    bool m_connected = false;
    Engine m_engine = Engine::Other;
    // The connection string this server connection was opened with (its pool); empty for a
    // database file, which is never pooled.
    std::string m_pooledAs;
    bool m_autoCommit = true;
    // Taken from the pool and not yet used for a statement.
    bool m_untried = false;
    bool m_broken = false;
    // Counts the physical connections this object has had; a statement of an earlier one is
    // gone.
    unsigned m_generation = 0;
};

// A date and time as "YYYY-MM-DD HH:MM:SS", bound as a timestamp.
struct Timestamp {
    std::string text;
};

// The values of one row of a result, every column as text; nothing for NULL.
using TextRow = std::vector<std::optional<std::string>>;

// A parameter value: text (UTF-8), a whole number, a timestamp, or SQL NULL (a NULL is bound
// as a timestamp: the only columns left NULL are dates).
using Value = std::variant<std::monostate, std::string, std::int32_t, Timestamp>;

// A statement on a connection. On a connection fresh from the pool whose server went away
// meanwhile, the first execution goes to a new connection instead (Connection::connect).
class Statement {
public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void prepare(const std::string& sql);
    // Binds the values to the markers of the prepared statement and executes it.
    void execute(const std::vector<Value>& params);
    void executeDirect(const std::string& sql);

    // The whole result of the executed statement, every column as text, in result order.
    // Rows come a block at a time into buffers bound to the columns; a value longer than its
    // buffer is then read whole on its own. A driver that cannot read a value within a block
    // (the SQLite driver) is read row by row instead.
    std::vector<TextRow> fetchAllText();

    // Moves to the next row of the result; false at the end.
    bool fetch();
    // Column values of the current row, 1-based column numbers.
    std::optional<std::string> text(SQLUSMALLINT column);
    std::optional<std::int32_t> integer(SQLUSMALLINT column);

    SQLSMALLINT columnCount();
    std::string columnName(SQLUSMALLINT column);
    void closeCursor();

private:
    bool canReadWithinBlock();
    std::vector<TextRow> fetchBlocks(SQLSMALLINT columns);
    std::vector<TextRow> fetchRowByRow(SQLSMALLINT columns);
    // The bytes a column's value buffer holds, its terminating zero included.
    SQLLEN bufferWidth(SQLUSMALLINT column);
    void allocate();
    // Whether the connection was replaced since the statement was made.
    bool stale() const;
    // A new handle on the connection's current one, prepared again if it was.
    void renew();
    void bind(const std::vector<Value>& params);
    // Runs an execution; once more on a new connection when the pooled one proved lost.
    template <class Run> void executeOnce(Run&& run, const std::string& what);

    Connection* m_connection = nullptr;
    unsigned m_generation = 0;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    SQLHSTMT m_stmt = SQL_NULL_HSTMT;
    std::string m_prepared; // the SQL prepare() was given, for a new connection
    // Parameter buffers must outlive the execute call.
    std::vector<std::string> m_textParams;
    std::vector<std::int32_t> m_intParams;
    std::vector<SQLLEN> m_indicators;
};

// Rolls back unless committed; restores auto-commit either way.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    // Ends it now without writing anything (the locks go with it).
    void rollback();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace store::odbc
