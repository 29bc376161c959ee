// gradelesson into the school timetable and back; the engine's lists from the tables.
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"

#include "TempDatabase.h"
#include "store/CCCRecord.h"
#include "store/CCSRecord.h"
#include "store/CGLRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/DbError.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using store::GradelessonRow;
using timetable::loadSchoolTimetable;
using timetable::saveSchoolTimetable;

namespace {

GradelessonRow row(const std::string& name, int number, const std::string& monday,
                   const std::string& friday = "") {
    GradelessonRow r;
    r.className = name;
    r.number = number;
    r.days[0] = monday;
    r.days[4] = friday;
    r.days[5] = "六";
    return r;
}

} // namespace

TEST(SchoolTimetableStore, LoadsRowsByNumberAndIgnoresOutOfRangeOnes) {
    testsupport::TempDatabase db;
    const std::vector<GradelessonRow> rows = {
        row("初二⑶", 20301, "王伟", "李强"), row("初二⑶", 20307, "张敏"),
        row("别名", 20302, "刘静"), // slot 0 already named: kept
        row("高三⒇", 62007, "陈军"),         row("初一⑴", 10108, "越界"),
        row("初一⑴", 12101, "越界"),         row("初一⑴", 70101, "越界"),
        row("初一⑴", 10001, "越界")};
    store::CGLRecord().append(rows);
    const school::SchoolTimetable t = loadSchoolTimetable();
    for (int d = 0; d < school::kDays; ++d) {
        EXPECT_EQ(t.cell(1, 2, d, 0), "初二⑶");
    }
    EXPECT_EQ(t.cell(1, 2, 0, 1), "王伟");
    EXPECT_EQ(t.cell(1, 2, 4, 1), "李强");
    EXPECT_EQ(t.cell(1, 2, 0, 7), "张敏");
    EXPECT_EQ(t.cell(1, 2, 0, 2), "刘静");
    EXPECT_EQ(t.cell(5, 19, 0, 7), "陈军");
    EXPECT_EQ(t.cell(0, 0, 0, 0), ""); // only out-of-range rows for 初一⑴
}

TEST(SchoolTimetableStore, SaveReplacesEveryRowWithSevenPerNamedClass) {
    testsupport::TempDatabase db;
    store::CGLRecord().append(std::vector<GradelessonRow>{row("高一⑴", 40101, "旧的")});
    school::SchoolTimetable t;
    for (int d = 0; d < school::kDays; ++d) {
        t.cell(0, 0, d, 0) = "初一⑴";
        t.cell(2, 4, d, 0) = "初三⑸";
    }
    t.cell(0, 0, 1, 3) = "王伟";
    t.cell(2, 4, 4, 7) = "       ";
    t.cell(3, 0, 0, 1) = "无名"; // no class name: not saved
    saveSchoolTimetable(t);
    const auto rows = store::CGLRecord().readAll();
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[0].className, "初一⑴");
    EXPECT_EQ(rows[0].number, 10101);
    EXPECT_EQ(rows[2].number, 10103);
    EXPECT_EQ(rows[2].days[1], "王伟");
    EXPECT_EQ(rows[13].number, 30507);
    EXPECT_EQ(rows[13].days[4], "       ");
    EXPECT_EQ(rows[13].days[5], "");
    EXPECT_TRUE(loadSchoolTimetable().week(0, 0) == t.week(0, 0));
    EXPECT_TRUE(loadSchoolTimetable().week(2, 4) == t.week(2, 4));
}

TEST(SchoolTimetableStore, FailedSaveLeavesTheTableAsItWas) {
    testsupport::TempDatabase db;
    store::CGLRecord().append(std::vector<GradelessonRow>{row("高一⑴", 40101, "旧的")});
    db.execute("CREATE TRIGGER stop BEFORE INSERT ON gradelesson WHEN NEW.number = 10105 "
               "BEGIN SELECT RAISE(ABORT, 'stop'); END");
    school::SchoolTimetable t;
    for (int d = 0; d < school::kDays; ++d) {
        t.cell(0, 0, d, 0) = "初一⑴";
    }
    EXPECT_THROW(saveSchoolTimetable(t), store::DbError);
    const auto rows = store::CGLRecord().readAll();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].days[0], "旧的");
}

TEST(AutoOrderStore, LoadsTheListsFromTheTablesInStoredOrder) {
    testsupport::TempDatabase db;
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"初一⑴", "语文", "王伟", 6}, {"初一⑴", "数学", "李强", 0}, {"初一⑵", "英语", "张敏", 5}});
    store::CCSRecord().append(std::vector<store::CourseshareRow>{{"体育", 40}});
    store::CLPRecord().append(std::vector<store::LessonprearrangeRow>{{"王伟", "1010"}});
    store::CSLRecord().append(
        std::vector<store::SamelessonRow>{{"初一", 2, 3, "班会"}, {"初二", 1, 1, "班会"}});
    const timetable::AutoOrderData data = timetable::loadAutoOrderData();
    EXPECT_EQ(data.classList(0, 0).entries[0].teacher, "王伟");
    EXPECT_EQ(data.classList(0, 0).entries[1].teacher, ""); // count 0
    EXPECT_EQ(data.classList(0, 1).entries[0].course, "英语");
    ASSERT_EQ(data.resources.size(), 1u);
    EXPECT_EQ(data.resources[0].limit, 0);
    ASSERT_EQ(data.presets.size(), 1u);
    ASSERT_EQ(data.sameLessons.size(), 2u);
    EXPECT_EQ(data.sameLessons[1].grade, "初二");
}

// The reading in teacher names every reader of the stored timetable uses: a grade stored in
// course names by an older save (its first lesson no resource), a unified course, a teacher
// name, an unplanned text and a course whose entry has no teacher, cell by cell.
TEST(SchoolTimetableStore, ReadersTakeTheTimetableInTeacherNames) {
    testsupport::TempDatabase db;
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"初二⑶", "语文", "王伟", 5}, {"初二⑶", "数学", "李强", 5}, {"初二⑶", "美术", "赵六", 0}});
    store::CSLRecord().append(
        std::vector<store::SamelessonRow>{{"初二", 5, 7, "班会"}, {"初三", 1, 2, "语文"}});
    store::CCSRecord().append(std::vector<store::CourseshareRow>{{"实验", 2}});
    struct Case {
        int number;
        std::string monday;
        std::string friday;
        std::string mondayRead;
        std::string fridayRead;
    };
    const std::vector<Case> cases = {
        {20301, "语文", "数学", "王伟", "李强"},    // courses of the class plan
        {20307, "李强", "班会", "李强", "       "}, // a teacher; the unified course
        {20302, "班会", "化学", "班会", "化学"},    // 班会 elsewhere; not planned
        {20303, "美术", "", "美术", ""},            // no teacher to read it as
        {30301, "语文", "", "语文", ""},            // 初三⑶ plans nothing
        {30302, "语文", "", "       ", ""},         // 初三's unified slot
    };
    std::vector<GradelessonRow> rows;
    for (const Case& c : cases) {
        rows.push_back(
            row(c.number / 10000 == 2 ? "初二⑶" : "初三⑶", c.number, c.monday, c.friday));
    }
    store::CGLRecord().append(rows);

    const std::vector<GradelessonRow> read = timetable::readTeacherRows();
    const school::SchoolTimetable school = timetable::loadTeacherTimetable();
    ASSERT_EQ(read.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.number);
        EXPECT_EQ(read[i].number, c.number); // in table order
        EXPECT_EQ(read[i].days[0], c.mondayRead);
        EXPECT_EQ(read[i].days[4], c.fridayRead);
        EXPECT_EQ(read[i].days[5], "六"); // Saturday as stored
        const int g = c.number / 10000 - 1;
        EXPECT_EQ(school.cell(g, 2, 0, c.number % 10), c.mondayRead);
        EXPECT_EQ(school.cell(g, 2, 4, c.number % 10), c.fridayRead);
    }
    // what was stored stays as it was
    EXPECT_EQ(loadSchoolTimetable().cell(1, 2, 0, 1), "语文");
}
