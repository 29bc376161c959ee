#include "store/Odbc.h"

#include "store/ConnectionPool.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include <unistd.h>

namespace store::odbc {
namespace {

// "YYYY-MM-DD HH:MM:SS".
constexpr SQLULEN kTimestampSize = 19;

// A block of rows read in one fetch: as many rows as fit these bytes of value buffers, within
// the bounds below. A value buffer takes the column's declared characters at four UTF-8 bytes
// each, within its own bounds; a longer value is read on its own.
constexpr SQLLEN kBlockBytes = 256 * 1024;
constexpr SQLULEN kMaxBlockRows = 256;
constexpr SQLLEN kMinValueBytes = 32;
constexpr SQLLEN kMaxValueBytes = 1024;
constexpr SQLLEN kBytesPerCharacter = 4;

} // namespace

std::string diagnostics(SQLSMALLINT handleType, SQLHANDLE handle, std::string_view fallback) {
    std::string text;
    for (SQLSMALLINT i = 1;; ++i) {
        std::array<SQLCHAR, 6> state{};
        SQLINTEGER native = 0;
        std::array<SQLCHAR, 1024> message{};
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLGetDiagRec(handleType, handle, i, state.data(), &native, message.data(),
                          static_cast<SQLSMALLINT>(message.size()), &length);
        if (!SQL_SUCCEEDED(rc)) {
            break;
        }
        if (!text.empty()) {
            text += '\n';
        }
        text += reinterpret_cast<const char*>(message.data());
    }
    return text.empty() ? std::string(fallback) : text;
}

void check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, std::string_view what) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) {
        return;
    }
    throw DbError(diagnostics(handleType, handle, what));
}

SQLHENV environment() {
    static SQLHENV env = [] {
        SQLHENV h = SQL_NULL_HENV;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h))) {
            throw DbError("cannot allocate the ODBC environment");
        }
        SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        return h;
    }();
    return env;
}

Connection::~Connection() {
    disconnect();
}

namespace {

bool containsNoCase(std::string_view text, std::string_view word) {
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

Engine engineOf(SQLHDBC dbc) {
    std::array<SQLCHAR, 128> name{};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_DBMS_NAME, name.data(),
                                  static_cast<SQLSMALLINT>(name.size()), &length))) {
        return Engine::Other;
    }
    const std::string_view dbms(reinterpret_cast<const char*>(name.data()));
    if (containsNoCase(dbms, "sqlite")) {
        return Engine::SQLite;
    }
    if (containsNoCase(dbms, "postgres")) {
        return Engine::PostgreSQL;
    }
    return Engine::Other;
}

} // namespace

namespace {

std::mutex g_engineMutex;
// The engine behind each connection string this process connected with: told once, so a
// server connection is opened once, with its settings, from the second time on.
std::map<std::string, Engine>& knownEngines() {
    static std::map<std::string, Engine> engines;
    return engines;
}

std::optional<Engine> knownEngine(const std::string& connectionString) {
    const std::lock_guard lock(g_engineMutex);
    const auto it = knownEngines().find(connectionString);
    return it == knownEngines().end() ? std::nullopt : std::optional<Engine>(it->second);
}

void rememberEngine(const std::string& connectionString, Engine engine) {
    const std::lock_guard lock(g_engineMutex);
    knownEngines()[connectionString] = engine;
}

// psqlODBC still opens its communication log for a connection whose string turns the log off
// (Debian's driver entry turns it on) and leaves it, a few bytes long, in the temporary
// folder; the log of this process is removed when it ends.
void removeDriverLogAtExit() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::atexit([] {
            namespace fs = std::filesystem;
            const std::string suffix = std::to_string(getpid()) + ".log";
            std::error_code ec;
            const char* tmp = std::getenv("TMPDIR");
            std::vector<fs::path> folders{"/tmp"};
            if (tmp != nullptr && *tmp != 0 && fs::path(tmp) != folders.front()) {
                folders.emplace_back(tmp);
            }
            for (const fs::path& folder : folders) {
                for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
                     it.increment(ec)) {
                    const std::string name = it->path().filename().string();
                    if (name.starts_with("psqlodbc_") && name.ends_with(suffix) &&
                        it->is_regular_file(ec)) {
                        fs::remove(it->path(), ec);
                    }
                }
            }
        });
    });
}

// Server connections are kept for reuse; a file's only where the process says so.
bool poolable(Engine engine) {
    return engine != Engine::SQLite || pool::keepsFileConnections();
}

bool knownDead(SQLHDBC dbc) {
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
}

// Whether a failure says the connection is gone: a communication failure (class 08) or the
// server ending the session (57P01 shutdown, 57P02 crash, 57P03 not yet accepting).
bool lostState(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::array<SQLCHAR, 6> state{};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(
            SQLGetDiagRec(handleType, handle, 1, state.data(), &native, nullptr, 0, &length))) {
        return false;
    }
    const std::string_view code(reinterpret_cast<const char*>(state.data()));
    return code.starts_with("08") || code == "57P01" || code == "57P02" || code == "57P03";
}

} // namespace

void Connection::connect(const std::string& connectionString) {
    std::string own = connectionString;
    if (!containsNoCase(own, "CommLog")) {
        // no driver log left behind in the temporary folder (a driver without the key ignores
        // it)
        own += ";CommLog=0";
    }
    const std::optional<Engine> known = knownEngine(connectionString);
    std::string settings;
    if (!known || *known == Engine::PostgreSQL) {
        if (!containsNoCase(connectionString, "ConnSettings")) {
            // The driver converts text by the client encoding; only a setting made while
            // connecting reaches it.
            settings += ";ConnSettings=SET client_encoding TO 'UTF8'";
        }
        if (!containsNoCase(connectionString, "Protocol")) {
            // A failed statement rolls back the whole transaction, as a save does anyway; the
            // driver's default wraps every statement in a savepoint, which makes a save of the
            // whole timetable take two thirds longer.
            settings += ";Protocol=7.4-1";
        }
    }
    disconnect();
    if (known) {
        if (*known == Engine::PostgreSQL) {
            own += settings;
        }
        if (poolable(*known)) {
            if (SQLHDBC pooled = pool::take(own); pooled != SQL_NULL_HDBC) {
                ++m_generation;
                m_dbc = pooled;
                m_connected = true;
                m_engine = *known;
                m_pooledAs = own;
                m_untried = true;
                return;
            }
        }
        open(own);
        m_engine = *known;
    } else {
        open(own);
        m_engine = engineOf(m_dbc);
        rememberEngine(connectionString, m_engine);
        if (m_engine == Engine::PostgreSQL && !settings.empty()) {
            own += settings;
            const Engine engine = m_engine;
            open(own);
            m_engine = engine;
        }
    }
    if (poolable(m_engine)) {
        m_pooledAs = own;
    }
    startSession();
}

void Connection::startSession() {
    if (m_engine == Engine::PostgreSQL) {
        removeDriverLogAtExit();
        // A table locked by another program (or by one that stopped) is waited for this long,
        // then the statement fails ("lock timeout") as SQLite's busy timeout does.
        execute("SET lock_timeout = " + std::to_string(kLockTimeoutMs));
    }
}

void Connection::open(const std::string& connectionString) {
    if (m_dbc != SQL_NULL_HDBC) {
        pool::close(m_dbc);
        m_dbc = SQL_NULL_HDBC;
        m_connected = false;
    }
    ++m_generation;
    check(SQLAllocHandle(SQL_HANDLE_DBC, environment(), &m_dbc), SQL_HANDLE_ENV, environment(),
          "cannot allocate an ODBC connection");
    std::array<SQLCHAR, 1024> out{};
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(
        m_dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.c_str())),
        static_cast<SQLSMALLINT>(connectionString.size()), out.data(),
        static_cast<SQLSMALLINT>(out.size()), &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        std::string text = diagnostics(SQL_HANDLE_DBC, m_dbc, "cannot connect to the database");
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
        m_dbc = SQL_NULL_HDBC;
        throw DbError(text);
    }
    m_connected = true;
    m_autoCommit = true;
}

bool Connection::resetForPool() {
    if (!m_autoCommit) {
        // An open transaction never reaches the next user of the connection.
        if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_ROLLBACK)) ||
            !SQL_SUCCEEDED(SQLSetConnectAttr(
                m_dbc, SQL_ATTR_AUTOCOMMIT,
                reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)), 0))) {
            return false;
        }
        m_autoCommit = true;
    }
    return !m_broken && !knownDead(m_dbc);
}

void Connection::disconnect() {
    if (m_dbc == SQL_NULL_HDBC) {
        return;
    }
    if (m_connected && !m_pooledAs.empty() && resetForPool()) {
        pool::give(m_pooledAs, m_dbc);
    } else if (m_connected) {
        pool::close(m_dbc);
    } else {
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    m_dbc = SQL_NULL_HDBC;
    m_connected = false;
    ++m_generation;
    m_engine = Engine::Other;
    m_pooledAs.clear();
    m_autoCommit = true;
    m_untried = false;
    m_broken = false;
}

bool Connection::lost(SQLSMALLINT handleType, SQLHANDLE handle) {
    if (!m_broken && (knownDead(m_dbc) || lostState(handleType, handle))) {
        m_broken = true;
    }
    return m_broken;
}

void Connection::replace() {
    const std::string pooledAs = m_pooledAs;
    const Engine engine = m_engine;
    const bool autoCommit = m_autoCommit;
    m_untried = false;
    m_broken = false;
    pool::drop(pooledAs);
    open(pooledAs);
    m_engine = engine;
    m_pooledAs = pooledAs;
    startSession();
    if (!autoCommit) {
        setAutoCommit(false);
    }
}

void Connection::execute(const std::string& sql) {
    Statement stmt(*this);
    stmt.executeDirect(sql);
}

void Connection::setAutoCommit(bool on) {
    const auto value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    check(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT,
                            reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(value)), 0),
          SQL_HANDLE_DBC, m_dbc, "cannot change the commit mode");
    m_autoCommit = on;
}

void Connection::commit() {
    check(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_COMMIT), SQL_HANDLE_DBC, m_dbc,
          "cannot commit the changes");
}

void Connection::rollback() {
    check(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_ROLLBACK), SQL_HANDLE_DBC, m_dbc,
          "cannot roll back the changes");
}

Statement::Statement(Connection& connection) : m_connection(&connection) {
    if (!connection.connected()) {
        throw DbError("not connected to the database");
    }
    allocate();
}

Statement::~Statement() {
    // A statement of a connection since replaced went with it.
    if (m_stmt != SQL_NULL_HSTMT && !stale()) {
        SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
    }
}

void Statement::allocate() {
    m_dbc = m_connection->handle();
    m_generation = m_connection->m_generation;
    check(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &m_stmt), SQL_HANDLE_DBC, m_dbc,
          "cannot allocate an ODBC statement");
}

bool Statement::stale() const {
    return m_generation != m_connection->m_generation;
}

void Statement::renew() {
    m_stmt = SQL_NULL_HSTMT;
    allocate();
    if (!m_prepared.empty()) {
        prepare(m_prepared);
    }
}

template <class Run> void Statement::executeOnce(Run&& run, const std::string& what) {
    if (stale()) {
        renew();
    }
    SQLRETURN rc = run();
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA && m_connection->lost(SQL_HANDLE_STMT, m_stmt) &&
        m_connection->m_untried && !m_connection->m_pooledAs.empty()) {
        // Broken while it waited in the pool (the server restarted or closed it).
        SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
        m_connection->replace();
        renew();
        rc = run();
    }
    check(rc, SQL_HANDLE_STMT, m_stmt, what);
    m_connection->m_untried = false;
}

void Statement::prepare(const std::string& sql) {
    // The drivers prepare without the server (psqlODBC parses at the first execution), so a
    // lost connection shows at the execution, which then prepares again.
    if (stale()) {
        m_prepared.clear();
        renew();
    }
    check(SQLPrepare(m_stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                     static_cast<SQLINTEGER>(sql.size())),
          SQL_HANDLE_STMT, m_stmt, sql);
    m_prepared = sql;
}

void Statement::execute(const std::vector<Value>& params) {
    executeOnce(
        [&] {
            bind(params);
            return SQLExecute(m_stmt);
        },
        "cannot execute the statement");
}

void Statement::bind(const std::vector<Value>& params) {
    SQLFreeStmt(m_stmt, SQL_CLOSE);
    SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
    m_textParams.assign(params.size(), std::string());
    m_intParams.assign(params.size(), 0);
    m_indicators.assign(params.size(), 0);
    for (std::size_t i = 0; i < params.size(); ++i) {
        const auto number = static_cast<SQLUSMALLINT>(i + 1);
        SQLRETURN rc = SQL_SUCCESS;
        if (const auto* text = std::get_if<std::string>(&params[i])) {
            m_textParams[i] = *text;
            m_indicators[i] = static_cast<SQLLEN>(text->size());
            rc =
                SQLBindParameter(m_stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                 std::max<SQLULEN>(text->size(), 1), 0, m_textParams[i].data(),
                                 static_cast<SQLLEN>(m_textParams[i].size() + 1), &m_indicators[i]);
        } else if (const auto* number32 = std::get_if<std::int32_t>(&params[i])) {
            m_intParams[i] = *number32;
            m_indicators[i] = 0;
            rc = SQLBindParameter(m_stmt, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                  &m_intParams[i], 0, &m_indicators[i]);
        } else if (const auto* timestamp = std::get_if<Timestamp>(&params[i])) {
            m_textParams[i] = timestamp->text;
            m_indicators[i] = static_cast<SQLLEN>(timestamp->text.size());
            rc =
                SQLBindParameter(m_stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_TYPE_TIMESTAMP,
                                 kTimestampSize, 0, m_textParams[i].data(),
                                 static_cast<SQLLEN>(m_textParams[i].size() + 1), &m_indicators[i]);
        } else {
            m_indicators[i] = SQL_NULL_DATA;
            rc = SQLBindParameter(m_stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_TYPE_TIMESTAMP,
                                  kTimestampSize, 0, nullptr, 0, &m_indicators[i]);
        }
        check(rc, SQL_HANDLE_STMT, m_stmt, "cannot bind a parameter");
    }
}

void Statement::executeDirect(const std::string& sql) {
    m_prepared.clear();
    executeOnce(
        [&] {
            SQLFreeStmt(m_stmt, SQL_CLOSE);
            return SQLExecDirect(m_stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                                 static_cast<SQLINTEGER>(sql.size()));
        },
        sql);
}

std::vector<TextRow> Statement::fetchAllText() {
    const SQLSMALLINT columns = columnCount();
    return canReadWithinBlock() ? fetchBlocks(columns) : fetchRowByRow(columns);
}

bool Statement::canReadWithinBlock() {
    SQLUINTEGER extensions = 0;
    if (!SQL_SUCCEEDED(
            SQLGetInfo(m_dbc, SQL_GETDATA_EXTENSIONS, &extensions, sizeof extensions, nullptr))) {
        return false;
    }
    constexpr SQLUINTEGER kNeeded = SQL_GD_BLOCK | SQL_GD_BOUND | SQL_GD_ANY_COLUMN;
    return (extensions & kNeeded) == kNeeded;
}

SQLLEN Statement::bufferWidth(SQLUSMALLINT column) {
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    check(SQLDescribeCol(m_stmt, column, nullptr, 0, nullptr, &type, &size, &digits, &nullable),
          SQL_HANDLE_STMT, m_stmt, "cannot describe a column");
    const SQLLEN wanted = size > static_cast<SQLULEN>(kMaxValueBytes)
                              ? kMaxValueBytes
                              : static_cast<SQLLEN>(size) * kBytesPerCharacter;
    return std::clamp(wanted, kMinValueBytes, kMaxValueBytes) + 1;
}

std::vector<TextRow> Statement::fetchBlocks(SQLSMALLINT columns) {
    const auto count = static_cast<std::size_t>(columns);
    std::vector<SQLLEN> widths(count);
    SQLLEN rowBytes = 0;
    for (std::size_t c = 0; c < count; ++c) {
        widths[c] = bufferWidth(static_cast<SQLUSMALLINT>(c + 1));
        rowBytes += widths[c];
    }
    const SQLULEN blockRows = std::clamp<SQLULEN>(
        static_cast<SQLULEN>(kBlockBytes / std::max<SQLLEN>(rowBytes, 1)), 1, kMaxBlockRows);
    std::vector<std::vector<char>> values(count);
    std::vector<std::vector<SQLLEN>> indicators(count);
    std::vector<SQLUSMALLINT> status(blockRows);
    SQLULEN fetched = 0;
    // The buffers are the statement's until the end, also when a read throws.
    struct Unbind {
        SQLHSTMT stmt;
        ~Unbind() {
            SQLFreeStmt(stmt, SQL_CLOSE);
            SQLFreeStmt(stmt, SQL_UNBIND);
            SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{1}),
                           0);
            SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
            SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
        }
    } unbind{m_stmt};
    check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_BIND_TYPE,
                         reinterpret_cast<SQLPOINTER>(SQLULEN{SQL_BIND_BY_COLUMN}), 0),
          SQL_HANDLE_STMT, m_stmt, "cannot bind the columns");
    check(
        SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows), 0),
        SQL_HANDLE_STMT, m_stmt, "cannot read rows in blocks");
    check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_STATUS_PTR, status.data(), 0), SQL_HANDLE_STMT,
          m_stmt, "cannot read rows in blocks");
    check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0), SQL_HANDLE_STMT, m_stmt,
          "cannot read rows in blocks");
    for (std::size_t c = 0; c < count; ++c) {
        values[c].assign(static_cast<std::size_t>(widths[c]) * blockRows, '\0');
        indicators[c].assign(blockRows, 0);
        check(SQLBindCol(m_stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, values[c].data(),
                         widths[c], indicators[c].data()),
              SQL_HANDLE_STMT, m_stmt, "cannot bind the columns");
    }

    std::vector<TextRow> rows;
    for (;;) {
        const SQLRETURN rc = SQLFetch(m_stmt);
        if (rc == SQL_NO_DATA) {
            break;
        }
        check(rc, SQL_HANDLE_STMT, m_stmt, "cannot read a row");
        for (SQLULEN r = 0; r < fetched; ++r) {
            if (status[r] == SQL_ROW_ERROR) {
                throw DbError(diagnostics(SQL_HANDLE_STMT, m_stmt, "cannot read a row"));
            }
            TextRow row(count);
            for (std::size_t c = 0; c < count; ++c) {
                const SQLLEN indicator = indicators[c][r];
                if (indicator == SQL_NULL_DATA) {
                    continue;
                }
                if (indicator == SQL_NO_TOTAL || indicator >= widths[c]) {
                    // Longer than its buffer: the whole value on its own.
                    check(SQLSetPos(m_stmt, static_cast<SQLSETPOSIROW>(r + 1), SQL_POSITION,
                                    SQL_LOCK_NO_CHANGE),
                          SQL_HANDLE_STMT, m_stmt, "cannot read a long value");
                    row[c] = text(static_cast<SQLUSMALLINT>(c + 1));
                    continue;
                }
                const char* value = values[c].data() + static_cast<std::size_t>(widths[c]) * r;
                row[c].emplace(value, static_cast<std::size_t>(indicator));
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::vector<TextRow> Statement::fetchRowByRow(SQLSMALLINT columns) {
    std::vector<TextRow> rows;
    while (fetch()) {
        TextRow row;
        row.reserve(static_cast<std::size_t>(columns));
        for (SQLSMALLINT c = 1; c <= columns; ++c) {
            row.push_back(text(static_cast<SQLUSMALLINT>(c)));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool Statement::fetch() {
    const SQLRETURN rc = SQLFetch(m_stmt);
    if (rc == SQL_NO_DATA) {
        return false;
    }
    check(rc, SQL_HANDLE_STMT, m_stmt, "cannot read a row");
    return true;
}

std::optional<std::string> Statement::text(SQLUSMALLINT column) {
    std::string result;
    std::array<char, 512> buf{};
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(m_stmt, column, SQL_C_CHAR, buf.data(),
                                        static_cast<SQLLEN>(buf.size()), &indicator);
        if (rc == SQL_NO_DATA) {
            break;
        }
        check(rc, SQL_HANDLE_STMT, m_stmt, "cannot read a column");
        if (indicator == SQL_NULL_DATA) {
            return std::nullopt;
        }
        if (rc == SQL_SUCCESS_WITH_INFO &&
            (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(buf.size()))) {
            result.append(buf.data(), buf.size() - 1);
            continue;
        }
        result.append(buf.data(), static_cast<std::size_t>(indicator));
        break;
    }
    return result;
}

std::optional<std::int32_t> Statement::integer(SQLUSMALLINT column) {
    SQLINTEGER value = 0;
    SQLLEN indicator = 0;
    check(SQLGetData(m_stmt, column, SQL_C_SLONG, &value, 0, &indicator), SQL_HANDLE_STMT, m_stmt,
          "cannot read a column");
    if (indicator == SQL_NULL_DATA) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

SQLSMALLINT Statement::columnCount() {
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(m_stmt, &count), SQL_HANDLE_STMT, m_stmt, "cannot count the columns");
    return count;
}

std::string Statement::columnName(SQLUSMALLINT column) {
    std::array<SQLCHAR, 256> name{};
    SQLSMALLINT length = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    check(SQLDescribeCol(m_stmt, column, name.data(), static_cast<SQLSMALLINT>(name.size()),
                         &length, &type, &size, &digits, &nullable),
          SQL_HANDLE_STMT, m_stmt, "cannot describe a column");
    return std::string(reinterpret_cast<const char*>(name.data()));
}

void Statement::closeCursor() {
    SQLFreeStmt(m_stmt, SQL_CLOSE);
}

Transaction::Transaction(Connection& connection) : m_connection(connection) {
    m_connection.setAutoCommit(false);
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_connection.rollback();
        } catch (const DbError&) {
            // The connection is already unusable; the original error is what matters.
        }
    }
    try {
        m_connection.setAutoCommit(true);
    } catch (const DbError&) {
    }
}

void Transaction::commit() {
    m_connection.commit();
    m_done = true;
}

void Transaction::rollback() {
    m_done = true;
    m_connection.rollback();
}

} // namespace store::odbc
