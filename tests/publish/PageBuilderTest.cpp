// The published pages of a small hand-made school, cell by cell: a class week with a unified
// slot, a teacher who teaches in two grades (and a clash), a grade's overview and its
// assignment table, a grade stored in course names, missing settings and ungraded choices;
// and the source read back from a database.
#include "publish/PageBuilder.h"
#include "publish/OutputTarget.h"
#include "publish/SchoolSource.h"

#include "TempDatabase.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/CSLRecord.h"
#include "store/CTNRecord.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <gtest/gtest.h>

using publish::Lines;
using publish::Page;

namespace {

// 初一⑴ 初一⑵ and 初二⑴; 张伟 teaches 语文 in 初一⑴ and 初二⑴, 李娜 数学 in both 初一 classes,
// 王芳 英语 in 初一⑵; 初一 has 班会 on Friday period 7.
publish::SchoolSource smallSchool() {
    publish::SchoolSource s;
    s.data.addClasscourse("初一⑴", "语文", "张伟", 5);
    s.data.addClasscourse("初一⑴", "数学", "李娜", 5);
    s.data.addClasscourse("初一⑵", "数学", "李娜", 5);
    s.data.addClasscourse("初一⑵", "英语", "王芳", 5);
    s.data.addClasscourse("初二⑴", "语文", "张伟", 5);
    s.data.addClasscourse("初二⑴", "物理", "赵强", 5);
    s.data.cleanUp();
    s.data.addSamelesson("初一", 5, 7, "班会");
    s.teachers.cell(0, 0, 0, 0) = "初一⑴";
    s.teachers.cell(0, 1, 0, 0) = "初一⑵";
    s.teachers.cell(1, 0, 0, 0) = "初二⑴";
    for (int d = 0; d < 5; ++d) {
        s.teachers.cell(0, 0, d, 0) = "初一⑴";
        s.teachers.cell(0, 1, d, 0) = "初一⑵";
        s.teachers.cell(1, 0, d, 0) = "初二⑴";
    }
    s.teachers.cell(0, 0, 0, 1) = "张伟";
    s.teachers.cell(0, 0, 0, 2) = "李娜";
    s.teachers.cell(0, 1, 0, 1) = "李娜";
    s.teachers.cell(0, 1, 2, 4) = "王芳";
    s.teachers.cell(1, 0, 0, 2) = "张伟";
    s.teachers.cell(1, 0, 3, 6) = "赵强";
    s.teachers.cell(0, 0, 4, 7) = timetable::kUnifiedBlank;
    s.teachers.cell(0, 1, 4, 7) = timetable::kUnifiedBlank;
    s.roster = {"王芳", "赵强", "李娜", "张伟"};
    s.settings.schoolName = "育才中学";
    s.settings.periods[0] = {"08:00", "08:45", false};
    s.settings.periods[4] = {"14:30", "15:15", true};
    return s;
}

TEST(PageBuilder, AClassWeekHoldsCourseOverTeacherUnifiedCourseAndTimes) {
    const std::vector<Page> pages = publish::classPages(smallSchool(), 0);
    ASSERT_EQ(pages.size(), 2u);
    const Page& p = pages[0];
    EXPECT_EQ(p.title, "育才中学 初一⑴班课程表");
    EXPECT_EQ(p.name, "初一⑴");
    EXPECT_FALSE(p.landscape);
    EXPECT_EQ(p.columnHeads,
              (std::vector<std::string>{"星期一", "星期二", "星期三", "星期四", "星期五"}));
    ASSERT_EQ(p.rowHeads.size(), 7u);
    EXPECT_EQ(p.rowHeads[0], (Lines{"第一节", "08:00-08:45"}));
    EXPECT_EQ(p.rowHeads[1], (Lines{"第二节"}));
    EXPECT_EQ(p.rowHeads[4], (Lines{"第五节", "14:30-15:15"}));
    EXPECT_EQ(p.rowGroups, (std::vector<publish::Span>{{"上午", 0, 4}, {"下午", 4, 3}}));
    EXPECT_EQ(p.cells[0][0], (Lines{"语文", "张伟"}));
    EXPECT_EQ(p.cells[1][0], (Lines{"数学", "李娜"}));
    EXPECT_EQ(p.cells[6][4], (Lines{"班会"}));
    EXPECT_TRUE(p.cells[2][0].empty());
    EXPECT_EQ(p.lessons.size(), 3u);
    EXPECT_EQ(p.lessons.back(), (publish::Lesson{4, 7, "班会", "初一⑴", ""}));
}

TEST(PageBuilder, ATeacherInTwoGradesGetsOneWeekWithTotalsAndClasses) {
    const publish::SchoolSource school = smallSchool();
    // 初二 alone still shows 张伟's 初一 lesson; roster order, 赵强 before 张伟
    const std::vector<Page> pages = publish::teacherPages(school, 1);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].name, "赵强");
    const Page& p = pages[1];
    EXPECT_EQ(p.title, "育才中学 张伟老师课程表");
    EXPECT_EQ(p.grade, "初一");
    EXPECT_EQ(p.cells[0][0], (Lines{"初一⑴", "语文"}));
    EXPECT_EQ(p.cells[1][0], (Lines{"初二⑴", "语文"}));
    EXPECT_EQ(p.notes, (std::vector<std::string>{"本周 2 节", "任课班级：初一⑴ 初二⑴"}));

    // a clash shows both classes, one line each; a teacher missing from the roster comes last
    publish::SchoolSource clash = school;
    clash.teachers.cell(1, 0, 0, 1) = "张伟";
    clash.roster = {"张伟"};
    const std::vector<Page> all = publish::teacherPages(clash, std::nullopt);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].name, "张伟");
    EXPECT_EQ(all[1].name, "李娜"); // first seen in 初一⑴
    EXPECT_EQ(all[0].cells[0][0], (Lines{"初一⑴ 语文", "初二⑴ 语文"}));
    EXPECT_EQ(all[0].notes[0], "本周 3 节");
    EXPECT_EQ(publish::teacherPage(clash, "张伟"), all[0]);
    EXPECT_FALSE(publish::teacherPage(clash, "无此人"));
}

TEST(PageBuilder, OverviewAndAssignmentOfAGrade) {
    publish::SchoolSource school = smallSchool();
    school.data.addClasscourse("初一⑴", "信息技术", "欧阳明", 2);
    const Page o = publish::overviewPages(school, 0).at(0);
    EXPECT_TRUE(o.landscape);
    EXPECT_EQ(o.title, "育才中学 初一总课表");
    ASSERT_EQ(o.columnHeads.size(), 35u);
    EXPECT_EQ(o.columnGroups.size(), 5u);
    EXPECT_EQ(o.columnGroups[2], (publish::Span{"星期三", 14, 7}));
    EXPECT_EQ(o.rowHeads, (std::vector<Lines>{{"初一⑴"}, {"初一⑵"}}));
    EXPECT_EQ(o.cells[0][0], (Lines{"语文", "张"}));
    EXPECT_EQ(o.cells[1][14 + 3], (Lines{"英语", "王"}));
    EXPECT_EQ(o.cells[0][34], (Lines{"班会"}));

    school.teachers.cell(0, 0, 1, 1) = "欧阳明";
    EXPECT_EQ(publish::overviewPages(school, 0)[0].cells[0][7], (Lines{"信息", "欧"}));

    const Page a = publish::assignmentPages(school, 0).at(0);
    EXPECT_EQ(a.title, "育才中学 初一任课表");
    EXPECT_EQ(a.columnHeads, (std::vector<std::string>{"语文", "数学", "信息技术", "英语"}));
    EXPECT_EQ(a.cells, (std::vector<std::vector<Lines>>{{{"张伟"}, {"李娜"}, {"欧阳明"}, {}},
                                                        {{}, {"李娜"}, {}, {"王芳"}}}));
}

TEST(PageBuilder, MissingSettingsAndUnarrangedGrades) {
    publish::SchoolSource school = smallSchool();
    school.settings = {};
    const Page p = publish::classPages(school, 0).at(0);
    EXPECT_EQ(p.title, "初一⑴班课程表");
    EXPECT_EQ(p.rowHeads[0], (Lines{"第一节"}));
    EXPECT_EQ(publish::teacherPages(school, 0).at(0).title, "王芳老师课程表");

    const auto refusal = [&](auto build, publish::GradeChoice grade) {
        try {
            build(school, grade);
        } catch (const publish::PublishError& e) {
            return std::string(e.what());
        }
        return std::string("no refusal");
    };
    EXPECT_EQ(refusal(publish::classPages, 2), "初三还没有课程表，请先编排");
    EXPECT_EQ(refusal(publish::teacherPages, 5), "高三还没有课程表，请先编排");
    EXPECT_EQ(refusal(publish::overviewPages, 3), "高一还没有课程表，请先编排");
    EXPECT_EQ(publish::classPages(school, std::nullopt).size(), 3u); // unarranged grades skipped
    EXPECT_FALSE(publish::classPage(school, 0, 5));
    school.teachers = {};
    EXPECT_EQ(refusal(publish::classPages, std::nullopt), "还没有课程表，请先编排");
    school.data = {};
    EXPECT_EQ(refusal(publish::assignmentPages, 0), "初一还没有班级课程设置，请先设置");
}

TEST(PageBuilder, TheSourceReadsAGradeStoredInCourseNamesAsTeachers) {
    testsupport::TempDatabase db;
    store::CCCRecord().replaceAll(std::vector<store::ClasscourseRow>{{"初二⑴", "物理", "赵强", 5},
                                                                     {"初二⑴", "语文", "张伟", 5}});
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{{"张伟"}, {"赵强"}});
    school::SchoolTimetable stored;
    for (int d = 0; d < 5; ++d)
        stored.cell(1, 0, d, 0) = "初二⑴";
    stored.cell(1, 0, 0, 1) = "物理"; // course view: a resource-free grade saved as courses
    stored.cell(1, 0, 0, 2) = "张伟";
    timetable::saveSchoolTimetable(stored);

    const publish::SchoolSource source = publish::loadSchoolSource();
    EXPECT_EQ(source.roster, (std::vector<std::string>{"张伟", "赵强"}));
    const Page p = publish::classPages(source, 1).at(0);
    EXPECT_EQ(p.cells[0][0], (Lines{"物理", "赵强"}));
    EXPECT_EQ(p.cells[1][0], (Lines{"语文", "张伟"}));
    EXPECT_EQ(publish::teacherPages(source, 1).at(1).cells[0][0], (Lines{"初二⑴", "物理"}));
}

} // namespace
