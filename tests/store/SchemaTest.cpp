// The sixteen tables: names, columns in bound order, kinds and connect strings, checked
// against the lists below (written out independently of the schema code) and against
// what the driver reports for a freshly created database.
#include "TempDatabase.h"

#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCPRecord.h"
#include "store/CCSRecord.h"
#include "store/CCTRecord.h"
#include "store/CCWRecord.h"
#include "store/CGCRecord.h"
#include "store/CGLRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/COPRecord.h"
#include "store/CRLRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Expected {
    std::string table;
    std::vector<std::string> columns;
    std::string connect;
    std::unique_ptr<store::RecordSet> recordSet;
};

std::vector<Expected> expectedTables() {
    const std::string lower = "ODBC;DSN=tavlen";
    const std::string upper = "ODBC;DSN=TAVLEN";
    std::vector<Expected> list;
    list.push_back({"attendance",
                    {"教师", "周别", "班级", "日期", "星期", "节别", "性质", "补课", "备注"},
                    lower,
                    std::make_unique<store::CATRecord>()});
    list.push_back({"classcourse",
                    {"班级", "学科", "教师", "周课时"},
                    lower,
                    std::make_unique<store::CCCRecord>()});
    list.push_back({"coursename", {"coursename"}, lower, std::make_unique<store::CCNRecord>()});
    list.push_back({"courseproperty",
                    {"grade", "course", "property"},
                    upper,
                    std::make_unique<store::CCPRecord>()});
    list.push_back(
        {"courseshare", {"coursename", "share"}, upper, std::make_unique<store::CCSRecord>()});
    list.push_back(
        {"courseteacher", {"course", "teacher"}, lower, std::make_unique<store::CCTRecord>()});
    list.push_back({"courseweek",
                    {"coursename", "grade", "week"},
                    upper,
                    std::make_unique<store::CCWRecord>()});
    list.push_back({"gradecourse",
                    {"年段", "学科", "周课时", "天数"},
                    lower,
                    std::make_unique<store::CGCRecord>()});
    list.push_back({"gradelesson",
                    {"class", "number", "monday", "tuesday", "wednesday", "thursday", "friday",
                     "saturday", "sunday"},
                    lower,
                    std::make_unique<store::CGLRecord>()});
    list.push_back({"gradeclass", {"grade", "class"}, lower, std::make_unique<store::CGSRecord>()});
    list.push_back({"lessonprearrange",
                    {"teacher", "prearrange"},
                    upper,
                    std::make_unique<store::CLPRecord>()});
    list.push_back({"orderplan",
                    {"class", "course", "week1", "week2", "number1", "number2", "order"},
                    lower,
                    std::make_unique<store::COPRecord>()});
    list.push_back({"reviewlesson",
                    {"class", "number", "one", "two", "three", "four", "five", "six", "seven",
                     "eight", "nine", "ten"},
                    lower,
                    std::make_unique<store::CRLRecord>()});
    list.push_back({"samelesson",
                    {"年段", "星期", "节别", "学科"},
                    lower,
                    std::make_unique<store::CSLRecord>()});
    list.push_back({"supervise",
                    {"classname", "time", "teacher"},
                    lower,
                    std::make_unique<store::CSORecord>()});
    list.push_back({"teachername", {"姓名"}, lower, std::make_unique<store::CTNRecord>()});
    return list;
}

TEST(Schema, EveryRecordSetBindsItsDocumentedColumnsInOrder) {
    const auto expected = expectedTables();
    ASSERT_EQ(expected.size(), store::schema::allTables().size());
    for (const Expected& e : expected) {
        const store::TableDef& def = e.recordSet->table();
        EXPECT_EQ(def.name, e.table);
        EXPECT_EQ(e.recordSet->defaultSql(), "[" + e.table + "]");
        EXPECT_EQ(e.recordSet->defaultConnect(), e.connect) << e.table;
        ASSERT_EQ(def.columns.size(), e.columns.size()) << e.table;
        for (std::size_t i = 0; i < e.columns.size(); ++i) {
            EXPECT_EQ(def.columns[i].name, e.columns[i]) << e.table << " column " << i;
        }
        EXPECT_EQ(e.recordSet->fields().size(), e.columns.size()) << e.table;
    }
}

TEST(Schema, CreatedDatabaseHasTheSixteenTablesWithTheseColumns) {
    const testsupport::TempDatabase db;
    store::odbc::Connection connection;
    connection.connect(store::fileConnectionString(db.databasePath()));
    for (const Expected& e : expectedTables()) {
        store::odbc::Statement stmt(connection);
        stmt.executeDirect("SELECT * FROM [" + e.table + "] LIMIT 0");
        const auto count = static_cast<std::size_t>(stmt.columnCount());
        ASSERT_EQ(count, e.columns.size() + 1) << e.table;
        EXPECT_EQ(stmt.columnName(1), "_key");
        for (std::size_t i = 0; i < e.columns.size(); ++i) {
            EXPECT_EQ(stmt.columnName(static_cast<SQLUSMALLINT>(i + 2)), e.columns[i]) << e.table;
        }
    }
}

TEST(Schema, FieldsStartEmptyAndEmptyTablesHaveNoRows) {
    const testsupport::TempDatabase db;
    for (Expected& e : expectedTables()) {
        store::RecordSet& rs = *e.recordSet;
        rs.open();
        EXPECT_TRUE(rs.isOpen());
        EXPECT_EQ(rs.recordCount(), 0) << e.table;
        EXPECT_TRUE(rs.isEOF()) << e.table;
        for (std::size_t i = 0; i < rs.table().columns.size(); ++i) {
            const store::Field& f = rs.fields()[i];
            switch (rs.table().columns[i].kind) {
            case store::ColumnKind::Text:
                EXPECT_EQ(std::get<std::string>(f), "");
                break;
            case store::ColumnKind::Int:
            case store::ColumnKind::Bool:
                EXPECT_EQ(std::get<std::int32_t>(f), 0);
                break;
            case store::ColumnKind::Date:
                EXPECT_FALSE(std::get<school::DateTime>(f).valid());
                break;
            }
        }
        rs.close();
        EXPECT_FALSE(rs.isOpen());
    }
}

TEST(Schema, CreatingOverAnExistingDatabaseIsRefused) {
    const testsupport::TempDatabase db;
    store::CTNRecord teachers;
    const std::vector<store::TeachernameRow> rows = {{"王伟"}};
    teachers.append(rows);
    EXPECT_THROW(store::createDatabase(db.databasePath()), store::DbError);
    EXPECT_EQ(teachers.readAll(), rows);
}

} // namespace
