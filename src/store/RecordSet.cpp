#include "store/RecordSet.h"

#include "store/ConnectTarget.h"
#include "store/SqlDialect.h"
#include "store/TableWatch.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace store {
namespace {

odbc::Value toValue(const Field& field) {
    if (const auto* text = std::get_if<std::string>(&field)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&field)) {
        return *number;
    }
    const auto& date = std::get<school::DateTime>(field);
    if (!date.valid()) {
        return std::monostate{};
    }
    return odbc::Timestamp{date.toText()};
}

// The values of a row's fields, added to the parameters of a statement.
void addValues(std::vector<odbc::Value>& params, const FieldList& fields) {
    for (const Field& field : fields) {
        params.push_back(toValue(field));
    }
}

// A stored whole number read wide, from its digits: nothing when the text is no whole number
// ("abc", "3.7", "5abc") or does not fit 32 bits, so a value never wraps into another.
std::optional<std::int32_t> wholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (!text.empty() && text.front() == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// The most parameters one statement of a batched save binds: what every SQLite build accepts
// (newer ones take more), far below PostgreSQL's limit.
constexpr std::size_t kBatchParameters = 999;

// Runs `write` for each batch of at most `perBatch` of `count` items: (first item, items); the
// statement of a full batch is prepared once.
template <class Write>
void inBatches(odbc::Connection& db, std::size_t count, std::size_t perBatch, Write&& write) {
    std::optional<odbc::Statement> full;
    for (std::size_t first = 0; first < count; first += perBatch) {
        const std::size_t items = std::min(perBatch, count - first);
        if (items < perBatch) {
            odbc::Statement last(db);
            write(last, first, items, true);
            continue;
        }
        const bool fresh = !full;
        if (fresh) {
            full.emplace(db);
        }
        write(*full, first, items, fresh);
    }
}

} // namespace

RecordSet::RecordSet(const TableDef& table, std::string_view defaultConnect)
    : m_table(table), m_defaultConnect(defaultConnect), m_fields(emptyFields()) {}

std::string RecordSet::defaultSql() const {
    return "[" + std::string(m_table.name) + "]";
}

void RecordSet::shareConnectionOf(RecordSet& owner) {
    m_owner = &owner;
}

odbc::Connection& RecordSet::connection() {
    if (m_owner != nullptr) {
        return m_owner->connection();
    }
    if (!m_connection.connected()) {
        explained([&] { m_connection.connect(resolveConnectString(m_defaultConnect)); });
    }
    return m_connection;
}

FieldList RecordSet::emptyFields() const {
    FieldList fields;
    fields.reserve(m_table.columns.size());
    for (const ColumnDef& column : m_table.columns) {
        switch (column.kind) {
        case ColumnKind::Text:
            fields.emplace_back(std::string());
            break;
        case ColumnKind::Int:
        case ColumnKind::Bool:
            fields.emplace_back(std::int32_t{0});
            break;
        case ColumnKind::Date:
            fields.emplace_back(school::DateTime{});
            break;
        }
    }
    return fields;
}

std::string RecordSet::q(std::string_view name) {
    return sql::quoted(connection().engine(), name);
}

std::vector<StoredRow> RecordSet::loadRows() {
    std::vector<StoredRow> rows = readRows();
    tablewatch::remember(m_table.name, rows);
    return rows;
}

void RecordSet::lockForWrite(odbc::Connection& db) {
    db.execute(sql::writeLockStatement(db.engine(), m_table.name));
}

std::vector<StoredRow> RecordSet::readRows() {
    return explained([&] { return readRowsAsStored(); });
}

std::vector<StoredRow> RecordSet::readRowsAsStored() {
    std::string sql = "SELECT " + q(kHiddenKey);
    for (const ColumnDef& column : m_table.columns) {
        sql += ", " + q(column.name);
    }
    sql += " FROM " + q(m_table.name) + " ORDER BY " + q(kHiddenKey);
    odbc::Statement select(connection());
    select.executeDirect(sql);
    std::vector<StoredRow> rows;
    for (odbc::TextRow& values : select.fetchAllText()) {
        StoredRow row;
        row.key = values[0] ? wholeNumber(*values[0]).value_or(0) : 0;
        row.fields.reserve(m_table.columns.size());
        for (std::size_t i = 0; i < m_table.columns.size(); ++i) {
            std::optional<std::string>& text = values[i + 1];
            switch (m_table.columns[i].kind) {
            case ColumnKind::Text:
                row.fields.emplace_back(text ? std::move(*text) : std::string());
                break;
            case ColumnKind::Int:
            case ColumnKind::Bool: {
                const ColumnDef& def = m_table.columns[i];
                const auto value = text ? wholeNumber(*text) : std::optional<std::int32_t>(0);
                if (!value || *value < def.min || *value > def.max) {
                    // A NULL reads as 0, which some columns refuse: it shows as nothing.
                    row.invalid += (row.invalid.empty() ? "" : "，") + std::string(def.name) +
                                   " = " + text.value_or(std::string());
                }
                row.fields.emplace_back(value.value_or(kUnreadableNumber));
                break;
            }
            case ColumnKind::Date: {
                school::DateTime date;
                if (text) {
                    date = school::DateTime::fromText(*text).value_or(school::DateTime{});
                }
                row.fields.emplace_back(date);
                break;
            }
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string RecordSet::insertSql(std::size_t rows) {
    std::string names;
    std::string markers;
    for (const ColumnDef& column : m_table.columns) {
        if (!names.empty()) {
            names += ", ";
            markers += ", ";
        }
        names += q(column.name);
        markers += "?";
    }
    std::string sql = "INSERT INTO " + q(m_table.name) + " (" + names + ") VALUES ";
    for (std::size_t i = 0; i < rows; ++i) {
        sql += (i == 0 ? "(" : ", (") + markers + ")";
    }
    return sql;
}

void RecordSet::insertInOrder(odbc::Connection& db, const std::vector<FieldList>& rows) {
    const std::size_t perBatch =
        std::max<std::size_t>(1, kBatchParameters / m_table.columns.size());
    inBatches(db, rows.size(), perBatch,
              [&](odbc::Statement& insert, std::size_t first, std::size_t count, bool fresh) {
                  if (fresh) {
                      insert.prepare(insertSql(count));
                  }
                  std::vector<odbc::Value> params;
                  params.reserve(count * m_table.columns.size());
                  for (std::size_t r = first; r < first + count; ++r) {
                      addValues(params, rows[r]);
                  }
                  insert.execute(params);
              });
}

void RecordSet::deleteRows(odbc::Connection& db, const std::vector<StoredRow>& rows) {
    inBatches(db, rows.size(), kBatchParameters,
              [&](odbc::Statement& del, std::size_t first, std::size_t count, bool fresh) {
                  if (fresh) {
                      std::string sql =
                          "DELETE FROM " + q(m_table.name) + " WHERE " + q(kHiddenKey) + " IN (";
                      for (std::size_t i = 0; i < count; ++i) {
                          sql += i == 0 ? "?" : ", ?";
                      }
                      del.prepare(sql + ")");
                  }
                  std::vector<odbc::Value> keys;
                  keys.reserve(count);
                  for (std::size_t r = first; r < first + count; ++r) {
                      keys.emplace_back(rows[r].key);
                  }
                  del.execute(keys);
              });
}

void RecordSet::insertRow(odbc::Statement& insert, const FieldList& fields) {
    std::vector<odbc::Value> params;
    params.reserve(fields.size());
    addValues(params, fields);
    insert.execute(params);
}

std::string RecordSet::deleteSql() {
    return "DELETE FROM " + q(m_table.name) + " WHERE " + q(kHiddenKey) + " = ?";
}

std::int32_t RecordSet::lastInsertedKey() {
    odbc::Statement select(connection());
    select.executeDirect(sql::lastKeyQuery(connection().engine()));
    return select.fetch() ? select.integer(1).value_or(0) : 0;
}

void RecordSet::deleteByKey(odbc::Statement& del, std::int32_t key) {
    del.execute({odbc::Value(key)});
}

void RecordSet::open() {
    if (m_open) {
        close();
    }
    m_rows = loadRows();
    m_deleted.assign(m_rows.size(), false);
    m_open = true;
    m_position = 0;
    m_pending = Pending::None;
    loadCurrent();
}

void RecordSet::close() {
    m_open = false;
    m_rows.clear();
    m_deleted.clear();
    m_position = 0;
    m_pending = Pending::None;
    m_fields = emptyFields();
}

void RecordSet::requireOpen() const {
    if (!m_open) {
        throw DbError("the record set of [" + std::string(m_table.name) + "] is not open");
    }
}

void RecordSet::requireRow() const {
    requireOpen();
    if (m_position < 0 || m_position >= static_cast<long>(m_rows.size()) ||
        m_deleted[static_cast<std::size_t>(m_position)]) {
        throw DbError("no current row in [" + std::string(m_table.name) + "]");
    }
}

bool RecordSet::isEOF() const {
    return !m_open || m_position >= static_cast<long>(m_rows.size());
}

bool RecordSet::isBOF() const {
    return !m_open || m_rows.empty() || m_position < 0;
}

long RecordSet::recordCount() const {
    return m_open ? static_cast<long>(m_rows.size()) : 0;
}

void RecordSet::loadCurrent() {
    if (m_position >= 0 && m_position < static_cast<long>(m_rows.size())) {
        m_fields = m_rows[static_cast<std::size_t>(m_position)].fields;
    } else {
        m_fields = emptyFields();
    }
}

void RecordSet::moveFirst() {
    requireOpen();
    m_pending = Pending::None;
    m_position = 0;
    loadCurrent();
}

void RecordSet::moveNext() {
    requireOpen();
    m_pending = Pending::None;
    const auto size = static_cast<long>(m_rows.size());
    do {
        if (m_position < size) {
            ++m_position;
        }
    } while (m_position < size && m_deleted[static_cast<std::size_t>(m_position)]);
    loadCurrent();
}

void RecordSet::moveLast() {
    requireOpen();
    m_pending = Pending::None;
    m_position = m_rows.empty() ? 0 : static_cast<long>(m_rows.size()) - 1;
    loadCurrent();
}

void RecordSet::addNew() {
    requireOpen();
    m_pending = Pending::Add;
    m_fields = emptyFields();
}

void RecordSet::edit() {
    requireRow();
    m_pending = Pending::Edit;
}

void RecordSet::update() {
    explained([&] { writePending(); });
}

void RecordSet::writePending() {
    requireOpen();
    if (m_pending == Pending::Add) {
        odbc::Statement insert(connection());
        insert.prepare(insertSql());
        insertRow(insert, m_fields);
        tablewatch::rememberAdded(m_table.name, {lastInsertedKey(), m_fields, {}});
    } else if (m_pending == Pending::Edit) {
        requireRow();
        std::string sql = "UPDATE " + q(m_table.name) + " SET ";
        for (std::size_t i = 0; i < m_table.columns.size(); ++i) {
            sql += (i == 0 ? "" : ", ") + q(m_table.columns[i].name) + " = ?";
        }
        sql += " WHERE " + q(kHiddenKey) + " = ?";
        std::vector<odbc::Value> params;
        addValues(params, m_fields);
        auto& row = m_rows[static_cast<std::size_t>(m_position)];
        params.emplace_back(row.key);
        odbc::Statement stmt(connection());
        stmt.prepare(sql);
        stmt.execute(params);
        row.fields = m_fields;
        tablewatch::rememberUpdated(m_table.name, row);
    } else {
        throw DbError("update without add new or edit on [" + std::string(m_table.name) + "]");
    }
    m_pending = Pending::None;
}

void RecordSet::deleteRow() {
    explained([&] { deleteCurrent(); });
}

void RecordSet::deleteCurrent() {
    requireRow();
    odbc::Statement del(connection());
    del.prepare(deleteSql());
    deleteByKey(del, m_rows[static_cast<std::size_t>(m_position)].key);
    tablewatch::rememberRemoved(m_table.name, m_rows[static_cast<std::size_t>(m_position)].key);
    m_deleted[static_cast<std::size_t>(m_position)] = true;
    m_pending = Pending::None;
}

void RecordSet::requery() {
    requireOpen();
    open();
}

} // namespace store
