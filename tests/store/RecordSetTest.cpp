// Cursor operations of a record set against the real driver: stored order through
// edits and deletes, text and dates byte-exact, the driver's own error texts.
#include "TempDatabase.h"

#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCSRecord.h"
#include "store/CGLRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "store/ConnectTarget.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using store::TeachernameRow;

void addTeacher(store::CTNRecord& rs, const std::string& name) {
    rs.addNew();
    rs.setCurrent({name});
    rs.update();
}

std::vector<std::string> names(store::CTNRecord& rs) {
    std::vector<std::string> out;
    for (const TeachernameRow& row : rs.readAll()) {
        out.push_back(row.name);
    }
    return out;
}

TEST(RecordSet, InsertionOrderSurvivesEditsAndDeletes) {
    const testsupport::TempDatabase db;
    store::CTNRecord rs;
    rs.open();
    for (const char* name : {"赵一", "钱二", "孙三", "李四"}) {
        addTeacher(rs, name);
    }
    // Additions become visible after a requery.
    EXPECT_EQ(rs.recordCount(), 0);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 4);

    rs.moveFirst();
    rs.moveNext(); // 钱二
    rs.edit();
    rs.setCurrent({"钱二改"});
    rs.update();
    rs.moveNext(); // 孙三
    rs.deleteRow();
    rs.moveNext();
    EXPECT_EQ(rs.current().name, "李四");
    addTeacher(rs, "周五");
    // An edit keeps the row's place; a deleted row's place is not reused.
    EXPECT_EQ(names(rs), (std::vector<std::string>{"赵一", "钱二改", "李四", "周五"}));

    rs.open();
    rs.moveLast();
    EXPECT_EQ(rs.current().name, "周五");
    rs.moveNext();
    EXPECT_TRUE(rs.isEOF());
}

TEST(RecordSet, EditAndDeleteNeedACurrentRow) {
    const testsupport::TempDatabase db;
    store::CTNRecord rs;
    rs.open();
    EXPECT_THROW(rs.edit(), store::DbError);
    EXPECT_THROW(rs.deleteRow(), store::DbError);
    EXPECT_THROW(rs.update(), store::DbError);
    store::CTNRecord closed;
    EXPECT_THROW(closed.moveFirst(), store::DbError);
}

TEST(RecordSet, TextAndNumbersComeBackByteIdentical) {
    const testsupport::TempDatabase db;
    store::CCCRecord rs;
    const std::vector<store::ClasscourseRow> rows = {
        {"初一⑴", "语文", "王伟", 6},
        {"高三⒇", "信息技术", "        ", 0}, // a removed teacher: eight spaces
        {"初二⑽", "数学", "", 30},
    };
    rs.append(rows);
    EXPECT_EQ(rs.readAll(), rows);
    const std::vector<store::CourseshareRow> shares = {{"体育", -3}, {"音乐", 2147483647}};
    store::CCSRecord().append(shares);
    EXPECT_EQ(store::CCSRecord().readAll(), shares);
}

// Stored numbers are read wide, never wrapped into another number: what is no whole number
// or does not fit 32 bits reads as -1; readChecked() passes over every row outside its
// column's range.
TEST(RecordSet, StoredNumbersAreReadWithTheirRangeNeverWrapped) {
    const testsupport::TempDatabase db;
    struct Case {
        const char* stored; // SQL literal
        int read;
        bool valid;
    };
    const Case cases[] = {{"5", 5, true},
                          {"0", 0, true},
                          {"30", 30, true},
                          {"NULL", 0, true},
                          {"31", 31, false},
                          {"-1", -1, false},
                          {"99999999999", -1, false},
                          {"4294967301", -1, false},
                          {"'abc'", -1, false},
                          {"3.7", -1, false},
                          {"'5abc'", -1, false},
                          {"' 5'", 5, true}};
    for (const Case& c : cases) {
        db.execute(std::string("INSERT INTO classcourse (班级, 学科, 教师, 周课时) VALUES "
                               "('初一⑴', '语文', '王伟', ") +
                   c.stored + ")");
    }
    const auto all = store::CCCRecord().readAll();
    const auto checked = store::CCCRecord().readChecked();
    ASSERT_EQ(all.size(), std::size(cases));
    std::size_t valid = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].weekly, cases[i].read) << cases[i].stored;
        if (cases[i].valid) {
            ASSERT_LT(valid, checked.positions.size());
            EXPECT_EQ(checked.positions[valid++], static_cast<int>(i) + 1) << cases[i].stored;
        }
    }
    EXPECT_EQ(valid, checked.rows.size());
    ASSERT_EQ(checked.invalid.size(), std::size(cases) - valid);
    EXPECT_EQ(checked.invalid[0], "classcourse 第 5 行：周课时 = 31");
    EXPECT_EQ(checked.invalid[2], "classcourse 第 7 行：周课时 = 99999999999");

    db.execute("INSERT INTO gradeclass (grade, class) VALUES ('初一', 2147483647)");
    EXPECT_EQ(store::CGSRecord().readAll()[0].classes, 2147483647);
    EXPECT_EQ(store::CGSRecord().readChecked().invalid,
              std::vector<std::string>{"gradeclass 第 1 行：class = 2147483647"});
}

TEST(RecordSet, LongTextIsReadWhole) {
    const testsupport::TempDatabase db;
    store::CGLRecord rs;
    store::GradelessonRow row{"初一⑴", 10101, {}};
    row.days[0] = std::string(700, 'x') + "王伟";
    row.days[4] = "       ";
    rs.append(std::vector<store::GradelessonRow>{row});
    const auto back = rs.readAll();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], row);
}

TEST(RecordSet, DatesRoundTripAndNullDatesStayInvalid) {
    const testsupport::TempDatabase db;
    store::CATRecord rs;
    store::AttendanceRow withDate{
        "王伟", "5", "初一⑴", school::DateTime{2026, 10, 12}, "星期一", "第一节", "迟  到", "", ""};
    store::AttendanceRow noDate = withDate;
    noDate.date = {};
    noDate.kind = "公  假";
    noDate.substitute = "李娜";
    rs.append(std::vector<store::AttendanceRow>{withDate, noDate});
    const auto back = rs.readAll();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], withDate);
    EXPECT_EQ(back[1], noDate);
    EXPECT_FALSE(back[1].date.valid());
}

TEST(RecordSet, DatabaseErrorsCarryTheDriversText) {
    const testsupport::TempDatabase db;
    db.execute("DROP TABLE [teachername]");
    store::CTNRecord rs;
    try {
        rs.open();
        FAIL() << "opening a missing table must fail";
    } catch (const store::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table: teachername"), std::string::npos)
            << e.what();
    }
}

TEST(RecordSet, AMissingDatabaseFileIsAnErrorAndIsNotCreated) {
    const testsupport::TempDatabase db;
    const std::string missing = db.workingDir() + "/tavlen/other.mdb";
    store::useDatabaseFile(missing);
    store::CTNRecord rs;
    EXPECT_THROW(rs.open(), store::DbError);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(RecordSet, AFileThatIsNotADatabaseFailsOnFirstUse) {
    const testsupport::TempDatabase db;
    const std::string junk = db.workingDir() + "/tavlen/junk.mdb";
    {
        std::FILE* f = std::fopen(junk.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("this is not a database file, only some text to fill a page", f);
        std::fclose(f);
    }
    store::useDatabaseFile(junk);
    store::CTNRecord rs;
    EXPECT_THROW(rs.open(), store::DbError);
}

} // namespace
