// The same store tests on both engines: a SQLite file and a PostgreSQL database on a throwaway
// server. The sixteen tables with their columns, rows in insertion order through edits and
// deletes, Chinese text and dates read back byte for byte (also from a process whose locale
// and client encoding say GBK), rows read a block at a time with every value whole (NULLs,
// texts at and beyond the block's buffers, numbers a column refuses), a save that stops and rolls
// back at the first failed statement, and two processes replacing one table at once, many times:
// the table always holds exactly one of the two row sets.
#include "EngineDatabase.h"
#include "PostgresServer.h"
#include "TempDatabase.h"

#include "store/CATRecord.h"
#include "store/CCNRecord.h"
#include "store/CGLRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "store/DbError.h"
#include "store/Odbc.h"
#include "store/Schema.h"
#include "store/SqlDialect.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using store::odbc::Engine;
using Names = std::vector<std::string>;

std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

class EngineTest : public testsupport::EngineDatabase {
protected:
    // A statement of this engine that makes every insert of the course name "坏" fail.
    void refuseBadCourseNames() const {
        if (GetParam() == Engine::PostgreSQL) {
            execute("ALTER TABLE coursename ADD CONSTRAINT refuse CHECK (coursename <> '坏')");
        } else {
            execute("CREATE TRIGGER refuse BEFORE INSERT ON coursename WHEN NEW.coursename = '坏' "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        }
    }
};

TEST_P(EngineTest, CreatesTheSixteenTablesWithTheirColumnsInOrder) {
    store::odbc::Connection db;
    db.connect(m_connection);
    EXPECT_EQ(db.engine(), GetParam());
    for (const store::TableDef* table : store::schema::allTables()) {
        store::odbc::Statement select(db);
        select.executeDirect("SELECT * FROM " + store::sql::quoted(db.engine(), table->name) +
                             " WHERE 1 = 0");
        Names columns;
        for (SQLSMALLINT c = 1; c <= select.columnCount(); ++c) {
            columns.push_back(select.columnName(static_cast<SQLUSMALLINT>(c)));
        }
        Names expected{"_key"};
        for (const store::ColumnDef& column : table->columns) {
            expected.emplace_back(column.name);
        }
        EXPECT_EQ(columns, expected) << table->name;
    }
    // A database that holds the tables is never built over.
    EXPECT_THROW(store::createTables(m_connection), store::DbError);
}

TEST_P(EngineTest, RowsKeepTheirInsertionOrderThroughEditsAndDeletes) {
    using Row = store::SuperviseRow;
    store::CSORecord().append(std::vector<Row>{
        {"初一⑴", "周一早", "王伟"}, {"初一⑵", "周一早", "李娜"}, {"初一⑶", "周一早", "陈静"}});
    store::CSORecord records;
    records.open();
    records.edit();
    Row first = records.current();
    first.teacher = "欧阳明";
    records.setCurrent(first);
    records.update();
    records.moveNext();
    records.deleteRow();
    records.addNew();
    records.setCurrent({"高三⒇", "周日晚", "张强"});
    records.update();
    records.close();
    EXPECT_EQ(store::CSORecord().readAll(), (std::vector<Row>{{"初一⑴", "周一早", "欧阳明"},
                                                              {"初一⑶", "周一早", "陈静"},
                                                              {"高三⒇", "周日晚", "张强"}}));
}

TEST_P(EngineTest, TextAndDatesReadBackByteForByteAlsoUnderAGbkLocale) {
    const store::AttendanceRow row{
        "司马相如", "05",     "初一⒇",  *school::DateTime::fromText("2024-09-02 08:30:00"),
        "星期一",   "升  旗", "公  假", "欧阳明",
        "“备注”①"};
    const store::AttendanceRow undated{"王伟",   "6",      "初二⑴", {}, "星期五",
                                       "第七节", "迟  到", "",      ""};
    // Written by a process whose locale and client encoding say GBK.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("PGCLIENTENCODING", "GBK", 1);
        setenv("LC_ALL", "zh_CN.GBK", 1);
        std::setlocale(LC_ALL, "zh_CN.GBK"); // where the locale exists
        try {
            store::CATRecord().replaceAll(std::vector<store::AttendanceRow>{row, undated});
        } catch (...) {
            _exit(1);
        }
        _exit(store::CATRecord().readAll() == std::vector<store::AttendanceRow>{row, undated} ? 0
                                                                                              : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(store::CATRecord().readAll(), (std::vector<store::AttendanceRow>{row, undated}));
}

TEST_P(EngineTest, RowsReadInBlocksComeBackWithEveryValueWhole) {
    const Engine engine = GetParam();
    const auto q = [engine](std::string_view name) { return store::sql::quoted(engine, name); };
    // Texts around the size of a block's value buffer: on PostgreSQL 255 characters of four
    // bytes are the most a column holds; SQLite holds any length.
    std::vector<std::string> texts;
    if (engine == Engine::PostgreSQL) {
        std::string widest;
        for (int i = 0; i < 255; ++i) {
            widest += "\xF0\xA0\x80\x80"; // U+20000
        }
        texts = {widest, widest.substr(4) + "王"};
    } else {
        for (const std::size_t bytes : {1019u, 1020u, 1021u, 1022u, 5000u}) {
            texts.push_back(std::string(bytes - 3, 'x') + "王");
        }
    }
    std::vector<store::GradelessonRow> rows;
    for (int k = 1; k <= 300; ++k) {
        store::GradelessonRow row{"初一⑴", k, {}};
        row.days[static_cast<std::size_t>(k % 7)] = "王伟" + std::to_string(k);
        if (k % 60 == 0) {
            row.days[6] = texts[static_cast<std::size_t>(k / 60) % texts.size()];
        }
        rows.push_back(row);
    }
    store::CGLRecord().append(rows);
    execute("UPDATE " + q("gradelesson") + " SET " + q("tuesday") + " = NULL, " + q("number") +
            " = NULL WHERE " + q("number") + " = 150");
    rows[149].days[1].clear();
    rows[149].number = 0;
    EXPECT_EQ(store::CGLRecord().readAll(), rows);

    // A result column of no declared size, longer than any buffer.
    store::odbc::Connection db;
    db.connect(m_connection);
    store::odbc::Statement select(db);
    select.executeDirect("SELECT " + q("sunday") + " || " + q("sunday") + " || " + q("sunday") +
                         " FROM " + q("gradelesson") + " ORDER BY " + q("_key"));
    const std::vector<store::odbc::TextRow> tripled = select.fetchAllText();
    ASSERT_EQ(tripled.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& day = rows[i].days[6];
        EXPECT_EQ(tripled[i], store::odbc::TextRow{day + day + day}) << i;
    }

    // Numbers a column refuses, a NULL among them, are reported with the row.
    for (const char* day : {"3", "NULL", "8", "0"}) {
        execute("INSERT INTO " + q("samelesson") + " (" + q("年段") + ", " + q("星期") + ", " +
                q("节别") + ", " + q("学科") + ") VALUES ('初一', " + day + ", 2, '语文')");
    }
    const auto checked = store::CSLRecord().readChecked();
    EXPECT_EQ(checked.rows, (std::vector<store::SamelessonRow>{{"初一", 3, 2, "语文"}}));
    EXPECT_EQ(checked.invalid, (Names{"samelesson 第 2 行：星期 = ", "samelesson 第 3 行：星期 = 8",
                                      "samelesson 第 4 行：星期 = 0"}));
}

TEST_P(EngineTest, ASaveStopsAndRollsBackAtTheFirstFailedStatement) {
    const std::vector<store::CoursenameRow> before{{"语文"}, {"数学"}};
    store::CCNRecord().append(before);
    refuseBadCourseNames();
    EXPECT_THROW(store::CCNRecord().replaceAll(
                     std::vector<store::CoursenameRow>{{"英语"}, {"坏"}, {"物理"}}),
                 store::DbError);
    EXPECT_EQ(store::CCNRecord().readAll(), before);
    EXPECT_THROW(store::CCNRecord().append(std::vector<store::CoursenameRow>{{"化学"}, {"坏"}}),
                 store::DbError);
    EXPECT_EQ(store::CCNRecord().readAll(), before);
}

TEST_P(EngineTest, TwoProcessesReplacingATableAtOnceLeaveExactlyOneRowSet) {
    using Row = store::SuperviseRow;
    std::vector<Row> sets[2];
    for (int k = 1; k <= 20; ++k) {
        sets[0].push_back({"初一⑴", "周一早", "甲" + std::to_string(k)});
        sets[1].push_back({"初二⑵", "周二晚", "乙" + std::to_string(k)});
    }
    constexpr int kRounds = 25;
    pid_t children[2];
    for (int side = 0; side < 2; ++side) {
        children[side] = fork();
        ASSERT_GE(children[side], 0);
        if (children[side] == 0) {
            int code = 0;
            try {
                for (int round = 0; round < kRounds && code == 0; ++round) {
                    store::CSORecord().replaceAll(sets[side]);
                    const std::vector<Row> seen = store::CSORecord().readAll();
                    code = seen == sets[0] || seen == sets[1] ? 0 : 3;
                }
            } catch (const std::exception&) {
                code = 4;
            }
            _exit(code);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "exit " << status;
    }
    const std::vector<Row> last = store::CSORecord().readAll();
    EXPECT_TRUE(last == sets[0] || last == sets[1]) << last.size() << " rows";
}

INSTANTIATE_TEST_SUITE_P(BothEngines, EngineTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engineName);

} // namespace
