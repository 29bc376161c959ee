#include "store/DatabaseFile.h"

#include "store/ConnectTarget.h"
#include "store/Odbc.h"
#include "store/Schema.h"
#include "store/SqlDialect.h"

#include <charconv>
#include <filesystem>
#include <optional>

namespace store {
namespace {

// A value read as text, bound as its column's kind.
odbc::Value boundValue(const ColumnDef& column, const std::optional<std::string>& text) {
    switch (column.kind) {
    case ColumnKind::Text:
        return text.value_or(std::string());
    case ColumnKind::Int:
    case ColumnKind::Bool: {
        std::int32_t number = 0;
        if (text) {
            const auto [end, ec] =
                std::from_chars(text->data(), text->data() + text->size(), number);
            if (ec == std::errc() && end == text->data() + text->size()) {
                return number;
            }
            return *text; // the server refuses it, and nothing is written
        }
        return number;
    }
    case ColumnKind::Date:
        if (text && !text->empty()) {
            return odbc::Timestamp{text->substr(0, 19)};
        }
        return std::monostate{};
    }
    return std::monostate{};
}

// Copies every row of every table of the source database, in stored order, into the same
// tables on `target` (inside the caller's transaction); the target numbers them anew.
void copyRows(odbc::Connection& target, const std::string& sourceFile) {
    odbc::Connection source;
    source.connect(fileConnectionString(sourceFile));
    for (const TableDef* table : schema::newDatabaseTables()) {
        if (table == &schema::setting && !schema::exists(source, *table)) {
            continue; // a database from before the settings: they stay unset
        }
        std::string columns;
        std::string markers;
        std::string sourceColumns;
        for (const ColumnDef& column : table->columns) {
            const char* comma = columns.empty() ? "" : ", ";
            columns += comma + sql::quoted(target.engine(), column.name);
            sourceColumns += comma + sql::quoted(source.engine(), column.name);
            markers += std::string(comma) + "?";
        }
        odbc::Statement select(source);
        select.executeDirect("SELECT " + sourceColumns + " FROM " +
                             sql::quoted(source.engine(), table->name) + " ORDER BY " +
                             sql::quoted(source.engine(), kHiddenKey));
        const std::vector<odbc::TextRow> rows = select.fetchAllText();
        if (rows.empty()) {
            continue;
        }
        odbc::Statement insert(target);
        insert.prepare("INSERT INTO " + sql::quoted(target.engine(), table->name) + " (" + columns +
                       ") VALUES (" + markers + ")");
        for (const odbc::TextRow& row : rows) {
            std::vector<odbc::Value> params;
            for (std::size_t i = 0; i < table->columns.size(); ++i) {
                params.push_back(boundValue(table->columns[i], row[i]));
            }
            insert.execute(params);
        }
    }
}

// The sixteen tables and the settings table, inside the caller's transaction.
void createNewDatabaseTables(odbc::Connection& connection, odbc::Transaction& transaction) {
    schema::createAll(connection, transaction);
    connection.execute(schema::createStatement(schema::setting, connection.engine()));
}

} // namespace

void createDatabase(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        throw DbError("数据库文件已存在，不会覆盖: " + path);
    }
    odbc::Connection connection;
    connection.connect(newFileConnectionString(path));
    odbc::Transaction transaction(connection);
    createNewDatabaseTables(connection, transaction);
    transaction.commit();
}

void createTables(const std::string& connectionString, const std::string& copyFrom) {
    odbc::Connection connection;
    connection.connect(connectionString);
    for (const TableDef* table : schema::newDatabaseTables()) {
        if (schema::exists(connection, *table)) {
            throw DbError("数据库中已有表 " + std::string(table->name) + "，不会覆盖");
        }
    }
    // The tables and their rows in one transaction: a run that is killed or fails half-way
    // leaves the server database as it was (its CREATE TABLE is undone with the rest).
    odbc::Transaction transaction(connection);
    createNewDatabaseTables(connection, transaction);
    if (!copyFrom.empty()) {
        copyRows(connection, copyFrom);
    }
    transaction.commit();
}

} // namespace store
