// A record set whose rows are a plain struct: Row lists its fields, in table order,
// through a member `auto tie()` returning std::tie of them (std::string for text,
// std::int32_t / int for int and bool columns, school::DateTime for dates).
//
// On top of the cursor operations it offers the common usage steps every dialog uses:
// readAll() (open and read the whole table in stored order), replace() (delete the rows
// the dialog owns and add its non-blank rows, in one transaction, many rows a statement: when
// any statement fails nothing is changed and DbError carries the driver's text) and append(). A
// replace first makes sure it does not silently undo another program's save (TableWatch.h).
#pragma once

#include "core/Reported.h"
#include "store/RecordSet.h"
#include "store/TableWatch.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <tuple>

namespace store {

template <class Row> class TypedRecordSet : public RecordSet {
public:
    using RowType = Row;
    using Predicate = std::function<bool(const Row&)>;

    using RecordSet::RecordSet;

    // The current row (or the pending new/edited row) as a struct.
    Row current() const { return toRow(fields()); }
    void setCurrent(const Row& row) { fields() = toFields(row); }

    // Opens (re-opens) the record set and returns all rows in stored order.
    std::vector<Row> readAll() {
        open();
        std::vector<Row> rows;
        if (recordCount() > 0) {
            moveFirst();
        }
        while (!isEOF()) {
            rows.push_back(current());
            moveNext();
        }
        return rows;
    }

    struct Checked {
        std::vector<Row> rows;            // the valid rows, in stored order
        std::vector<int> positions;       // of each valid row in the table, from 1
        std::vector<std::string> invalid; // "classcourse 第 3 行：周课时 = abc", one a row
    };
    // Reads the table and passes over the rows holding a number that is no whole number or
    // lies outside its column's range (readAll() gives them all, an in-range-of-32-bits value
    // as stored, anything else as kUnreadableNumber).
    Checked readChecked() {
        Checked checked;
        int position = 0;
        for (const StoredRow& stored : loadRows()) {
            ++position;
            if (stored.invalid.empty()) {
                checked.rows.push_back(toRow(stored.fields));
                checked.positions.push_back(position);
            } else {
                checked.invalid.push_back(std::string(table().name) + " 第 " +
                                          std::to_string(position) + " 行：" + stored.invalid);
            }
        }
        return checked;
    }

    // Deletes every row for which `owned` holds, then adds each row of `rows` that is not
    // blank, in order, all in one transaction; closes the record set afterwards. When any of
    // the rows to delete changed since this process read the table, the overwrite question
    // is asked first; 否 throws ui::Declined and nothing is written.
    void replace(const Predicate& owned, std::span<const Row> rows,
                 const Predicate& blank = nullptr) {
        explained([&] { replaceRows(owned, rows, blank); });
    }

    // replace() of every row of the table.
    void replaceAll(std::span<const Row> rows, const Predicate& blank = nullptr) {
        replace(nullptr, rows, blank);
    }

    // Adds the non-blank rows at the end, in one transaction.
    void append(std::span<const Row> rows, const Predicate& blank = nullptr) {
        explained([&] { appendRows(rows, blank); });
    }

    static Row toRow(const FieldList& fields) {
        Row row{};
        std::size_t i = 0;
        std::apply([&](auto&... member) { (assign(member, fields.at(i++)), ...); }, row.tie());
        return row;
    }

    static FieldList toFields(const Row& row) {
        Row copy = row;
        FieldList fields;
        std::apply([&](auto&... member) { (fields.push_back(toField(member)), ...); }, copy.tie());
        return fields;
    }

protected:
    // Runs first inside a save's transaction, before the write lock is taken: a record set over
    // a table an older database may lack creates it here, so a failed save undoes that too.
    virtual void prepareTable(odbc::Connection&) {}

    // Adds each row that is not blank, in order, many in one statement.
    void insertRows(odbc::Connection& db, std::span<const Row> rows, const Predicate& blank) {
        std::vector<FieldList> fields;
        fields.reserve(rows.size());
        for (const Row& row : rows) {
            if (!blank || !blank(row)) {
                fields.push_back(toFields(row));
            }
        }
        insertInOrder(db, fields);
    }

private:
    void replaceRows(const Predicate& owned, std::span<const Row> rows, const Predicate& blank) {
        odbc::Connection& db = connection();
        close();
        std::optional<std::vector<StoredRow>> expected;
        if (const auto seen = tablewatch::remembered(table().name)) {
            expected = ownedOf(*seen, owned);
        }
        for (;;) {
            odbc::Transaction transaction(db);
            prepareTable(db);
            lockForWrite(db);
            std::vector<StoredRow> current = readRows();
            std::vector<StoredRow> mine = ownedOf(current, owned);
            if (expected && mine != *expected) {
                // Changed by another program: ask with no lock held, then look again.
                transaction.rollback();
                if (!askOverwrite(table())) {
                    throw ui::Declined();
                }
                expected = std::move(mine);
                continue;
            }
            deleteRows(db, mine);
            insertRows(db, rows, blank);
            std::vector<StoredRow> saved = readRows();
            transaction.commit();
            tablewatch::remember(table().name, std::move(saved));
            return;
        }
    }

    void appendRows(std::span<const Row> rows, const Predicate& blank) {
        odbc::Connection& db = connection();
        close();
        odbc::Transaction transaction(db);
        prepareTable(db);
        lockForWrite(db);
        std::int32_t last = 0;
        for (const StoredRow& stored : readRows()) {
            last = std::max(last, stored.key);
        }
        insertRows(db, rows, blank);
        std::vector<StoredRow> added = readRows();
        transaction.commit();
        // Only the rows added here join what this process has seen of the table.
        for (const StoredRow& stored : added) {
            if (stored.key > last) {
                tablewatch::rememberAdded(table().name, stored);
            }
        }
    }

    static std::vector<StoredRow> ownedOf(const std::vector<StoredRow>& rows,
                                          const Predicate& owned) {
        std::vector<StoredRow> out;
        for (const StoredRow& stored : rows) {
            if (!owned || owned(toRow(stored.fields))) {
                out.push_back(stored);
            }
        }
        return out;
    }

    static void assign(std::string& member, const Field& field) {
        member = std::get<std::string>(field);
    }
    static void assign(int& member, const Field& field) { member = std::get<std::int32_t>(field); }
    static void assign(school::DateTime& member, const Field& field) {
        member = std::get<school::DateTime>(field);
    }
    static Field toField(const std::string& member) { return member; }
    static Field toField(int member) { return std::int32_t{member}; }
    static Field toField(const school::DateTime& member) { return member; }
};

} // namespace store
