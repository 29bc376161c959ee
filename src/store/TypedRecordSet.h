// A record set whose rows are a plain struct: Row lists its fields, in table order,
// through a member `auto tie()` returning std::tie of them (std::string for text,
// std::int32_t / int for int and bool columns, school::DateTime for dates).
//
// On top of the cursor operations it offers the common usage steps every dialog uses:
// readAll() (open and read the whole table in stored order), replace() (delete the rows
// the dialog owns and add its non-blank rows, in one transaction: when any statement
// fails nothing is changed and DbError carries the driver's text) and append().
#pragma once

#include "store/RecordSet.h"

#include <functional>
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

    // Deletes every row for which `owned` holds, then adds each row of `rows` that is not
    // blank, in order, all in one transaction; closes the record set afterwards.
    void replace(const Predicate& owned, std::span<const Row> rows,
                 const Predicate& blank = nullptr) {
        odbc::Connection& db = connection();
        close();
        odbc::Transaction transaction(db);
        odbc::Statement del(db);
        del.prepare(deleteSql());
        for (const StoredRow& stored : loadRows()) {
            if (!owned || owned(toRow(stored.fields))) {
                deleteByKey(del, stored.key);
            }
        }
        insertRows(db, rows, blank);
        transaction.commit();
    }

    // replace() of every row of the table.
    void replaceAll(std::span<const Row> rows, const Predicate& blank = nullptr) {
        replace(nullptr, rows, blank);
    }

    // Adds the non-blank rows at the end, in one transaction.
    void append(std::span<const Row> rows, const Predicate& blank = nullptr) {
        odbc::Connection& db = connection();
        close();
        odbc::Transaction transaction(db);
        insertRows(db, rows, blank);
        transaction.commit();
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

private:
    void insertRows(odbc::Connection& db, std::span<const Row> rows, const Predicate& blank) {
        odbc::Statement insert(db);
        insert.prepare(insertSql());
        for (const Row& row : rows) {
            if (blank && blank(row)) {
                continue;
            }
            insertRow(insert, toFields(row));
        }
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
