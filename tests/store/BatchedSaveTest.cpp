// Saves that send their deletes and inserts many rows a statement, on both engines: the hidden
// keys follow the order of the rows exactly as when they were added one at a time (rows kept by
// a save before, the saved ones after, blank ones left out), across the statements of a save
// and in tables of one to nine columns; a row the database refuses in the middle of a later
// statement leaves the table exactly as it was, and the table takes the next save.
#include "EngineDatabase.h"

#include "core/Gbk.h"
#include "store/CCNRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"
#include "store/Odbc.h"
#include "store/SqlDialect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using store::odbc::Engine;

std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

store::GradelessonRow lesson(int number, const std::string& monday = "王伟") {
    store::GradelessonRow row{"初一⑴", number, {}};
    row.days[0] = monday;
    row.days[4] = "李娜" + std::to_string(number);
    return row;
}

class BatchedSaveTest : public testsupport::EngineDatabase {
protected:
    // Every row of the table as (hidden key, a column), in key order.
    std::vector<std::pair<long, std::string>> keyed(std::string_view table,
                                                    std::string_view column) const {
        store::odbc::Connection db;
        db.connect(m_connection);
        store::odbc::Statement select(db);
        const auto q = [&](std::string_view name) { return store::sql::quoted(db.engine(), name); };
        select.executeDirect("SELECT " + q("_key") + ", " + q(column) + " FROM " + q(table) +
                             " ORDER BY " + q("_key"));
        std::vector<std::pair<long, std::string>> rows;
        for (const store::odbc::TextRow& row : select.fetchAllText()) {
            rows.emplace_back(std::stol(row[0].value_or("0")), row[1].value_or(""));
        }
        return rows;
    }

    // The column's values in key order, the keys checked to rise.
    std::vector<std::string> inKeyOrder(std::string_view table, std::string_view column) const {
        std::vector<std::string> values;
        long last = 0;
        for (const auto& [key, value] : keyed(table, column)) {
            EXPECT_GT(key, last) << value;
            last = key;
            values.push_back(value);
        }
        return values;
    }

    void refuse(std::string_view table, std::string_view column, std::string_view value) const {
        const std::string v(value);
        if (GetParam() == Engine::PostgreSQL) {
            execute("ALTER TABLE " + std::string(table) + " ADD CONSTRAINT refuse CHECK (" +
                    std::string(column) + " <> '" + v + "')");
        } else {
            execute("CREATE TRIGGER refuse BEFORE INSERT ON " + std::string(table) + " WHEN NEW." +
                    std::string(column) + " = '" + v +
                    "' BEGIN SELECT RAISE(ABORT, 'refused'); END");
        }
    }
};

TEST_P(BatchedSaveTest, KeysFollowTheOrderOfTheRowsAsWhenAddedOneAtATime) {
    // gradelesson: nine columns, 111 rows a statement; coursename: one column, 999.
    struct Case {
        int rows;
        int blankEvery; // every n-th row is blank and never written (0: none)
    };
    for (const Case c : {Case{1, 0}, Case{111, 0}, Case{112, 0}, Case{333, 7}, Case{427, 0}}) {
        SCOPED_TRACE(c.rows);
        std::vector<store::GradelessonRow> rows;
        std::vector<std::string> expected;
        for (int i = 1; i <= c.rows; ++i) {
            const bool blank = c.blankEvery != 0 && i % c.blankEvery == 0;
            rows.push_back(lesson(i, blank ? "" : "王伟"));
            if (!blank) {
                expected.push_back(std::to_string(i));
            }
        }
        store::CGLRecord().replaceAll(
            rows, [](const store::GradelessonRow& r) { return gbk::isBlank(r.days[0]); });
        EXPECT_EQ(inKeyOrder("gradelesson", "number"), expected);
        EXPECT_EQ(store::CGLRecord().readAll().size(), expected.size());
    }

    // A save of the rows it owns: the others keep their places, the saved ones follow in order,
    // as the row-by-row save leaves them.
    std::vector<store::CoursenameRow> names;
    for (int i = 0; i < 1200; ++i) {
        names.push_back({(i % 3 == 0 ? "甲" : "乙") + std::to_string(i)});
    }
    store::CCNRecord().replaceAll(names);
    std::vector<store::CoursenameRow> mine;
    for (int i = 0; i < 1100; ++i) {
        mine.push_back({"甲新" + std::to_string(i)});
    }
    store::CCNRecord().replace(
        [](const store::CoursenameRow& r) { return r.name.starts_with("甲"); }, mine);
    std::vector<std::string> expected;
    for (const store::CoursenameRow& r : names) {
        if (!r.name.starts_with("甲")) {
            expected.push_back(r.name);
        }
    }
    for (const store::CoursenameRow& r : mine) {
        expected.push_back(r.name);
    }
    EXPECT_EQ(inKeyOrder("coursename", "coursename"), expected);
}

TEST_P(BatchedSaveTest, ARowRefusedInTheMiddleOfALaterStatementLeavesTheTableAsItWas) {
    std::vector<store::GradelessonRow> before;
    for (int i = 1; i <= 300; ++i) {
        before.push_back(lesson(i));
    }
    store::CGLRecord().replaceAll(before);
    const auto keysBefore = keyed("gradelesson", "number");
    refuse("gradelesson", "monday", "坏");
    // Row 170 lies in the middle of the second statement of inserts.
    std::vector<store::GradelessonRow> after;
    for (int i = 1; i <= 250; ++i) {
        after.push_back(lesson(1000 + i, i == 170 ? "坏" : "张强"));
    }
    EXPECT_THROW(store::CGLRecord().replaceAll(after), store::DbError);
    EXPECT_EQ(store::CGLRecord().readAll(), before);
    EXPECT_EQ(keyed("gradelesson", "number"), keysBefore);

    // The same table then takes a save whole.
    after[169] = lesson(1170, "张强");
    store::CGLRecord().replaceAll(after);
    EXPECT_EQ(store::CGLRecord().readAll(), after);
}

INSTANTIATE_TEST_SUITE_P(BothEngines, BatchedSaveTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

} // namespace
