// The record set over one table: binds exactly the table's columns in their order and
// offers the cursor operations the dialogs use (open, close, move, add new, edit,
// update, delete, requery). Rows come in stored (insertion) order through the hidden
// key, which also identifies the row an edit or delete applies to.
//
// Each record set owns its own connection, opened on first use with the record set's
// connect string as resolved by ConnectTarget. open() reads the whole table; additions
// become visible after requery(). Every database failure throws DbError with the
// driver's text. Text is UTF-8; a NULL text reads as empty, a NULL number as 0, a NULL
// date as an invalid DateTime. Numbers are read wide from their digits and never wrap.
#pragma once

#include "core/DateTime.h"
#include "store/DbMessages.h"
#include "store/Odbc.h"
#include "store/StoredRow.h"
#include "store/TableDef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace store {

// What a stored number that is no whole number, or does not fit 32 bits, reads as: a value no
// column accepts as a count, a class count, a day or a period, so every dialog treats it as it
// treats any invalid value. readChecked() passes over such rows.
inline constexpr std::int32_t kUnreadableNumber = -1;

inline constexpr std::string_view kConnectLower = "ODBC;DSN=tavlen";
inline constexpr std::string_view kConnectUpper = "ODBC;DSN=TAVLEN";

class RecordSet {
public:
    RecordSet(const TableDef& table, std::string_view defaultConnect);
    virtual ~RecordSet() = default;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    const TableDef& table() const { return m_table; }
    std::string_view defaultConnect() const { return m_defaultConnect; }
    // "[tablename]": selecting all bound columns of all rows in stored order.
    std::string defaultSql() const;

    // Connects if not yet connected, then (re)reads the table; the cursor is on the
    // first row, or at the end when the table is empty.
    void open();
    void close();
    bool isOpen() const { return m_open; }
    bool isEOF() const;
    bool isBOF() const;
    long recordCount() const;

    void moveFirst();
    void moveNext();
    void moveLast();

    // Starts a new row with empty texts, zero numbers and an invalid date.
    void addNew();
    // Starts editing the current row.
    void edit();
    // Writes the pending new or edited row.
    void update();
    // Deletes the current row; the cursor stays on its (now deleted) position.
    void deleteRow();
    void requery();
    bool canUpdate() const { return true; }

    // The columns of the current row, in table order (also the buffer of a pending row).
    const FieldList& fields() const { return m_fields; }
    FieldList& fields() { return m_fields; }

    odbc::Connection& connection();
    // From now on works on the connection of `owner` (which must outlive this record set), so
    // that changes to two tables can go in one transaction on that connection.
    void shareConnectionOf(RecordSet& owner);

protected:
    // Reads every row of the table with its hidden key, in stored order, and remembers them
    // as what this process last saw of the table (TableWatch.h).
    std::vector<StoredRow> loadRows();
    // The same without remembering: what a save compares and then writes over.
    std::vector<StoredRow> readRows();
    // Inside a save's transaction: takes the database's write lock at once, so no other
    // program can write between the comparison and the save.
    void lockForWrite(odbc::Connection& db);
    void insertRow(odbc::Statement& insert, const FieldList& fields);
    // Adds the rows in this order, many in one statement, so that a save takes a few round
    // trips to a server rather than one a row; the hidden keys follow the same order, as when
    // the rows are added one at a time.
    void insertInOrder(odbc::Connection& db, const std::vector<FieldList>& rows);
    // Deletes these rows (by their hidden keys), many in one statement.
    void deleteRows(odbc::Connection& db, const std::vector<StoredRow>& rows);
    // Adds `rows` rows in one statement.
    std::string insertSql(std::size_t rows = 1);
    void deleteByKey(odbc::Statement& del, std::int32_t key);
    // Runs a step against the database; a failure's text is said plainly (DbMessages.h).
    template <class Step> decltype(auto) explained(Step&& step) {
        try {
            return step();
        } catch (const ExplainedDbError&) {
            throw;
        } catch (const DbError& e) {
            throw ExplainedDbError(explainedError(e.what(), m_table.name));
        }
    }
    // The hidden key of the row this connection inserted last.
    std::int32_t lastInsertedKey();
    std::string deleteSql();
    FieldList emptyFields() const;

private:
    // A table or column name quoted for the engine of this record set's connection.
    std::string q(std::string_view name);

    enum class Pending { None, Add, Edit };
    std::vector<StoredRow> readRowsAsStored();
    void writePending();
    void deleteCurrent();
    void loadCurrent();
    void requireOpen() const;
    void requireRow() const;

    const TableDef& m_table;
    std::string m_defaultConnect;
    odbc::Connection m_connection;
    RecordSet* m_owner = nullptr; // whose connection this one works on, when set
    bool m_open = false;
    std::vector<StoredRow> m_rows;
    std::vector<bool> m_deleted;
    long m_position = 0; // -1 = before the first row, size = after the last
    FieldList m_fields;
    Pending m_pending = Pending::None;
};

} // namespace store
