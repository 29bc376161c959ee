#include "CliTestSupport.h"
#include "TempDatabase.h"

#include "overview/NextStep.h"
#include "overview/OverviewText.h"
#include "overview/SchoolStanding.h"
#include "store/CATRecord.h"
#include "store/CGCRecord.h"
#include "store/CSORecord.h"
#include "store/Schema.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using overview::nextStep;
using overview::SchoolTables;
using overview::standingOf;

// A grade of two classes, set up as far as `steps` says, one step at a time in set-up order.
SchoolTables setUpTo(int steps) {
    SchoolTables t;
    if (steps >= 1) {
        t.courseNames = {"语文", "数学"};
    }
    if (steps >= 2) {
        t.classes.setCount(0, 2);
    }
    if (steps >= 3) {
        t.teachers = {"张伟", "李娜"};
    }
    if (steps >= 4) {
        t.courseTeachers = 2;
    }
    if (steps >= 5) {
        t.gradePlans = {{"初一", "语文", 5, 0}, {"初一", "数学", 5, 0}};
    }
    if (steps >= 6) { // both class plans, the second class's 数学 without its teacher yet
        for (int k = 1; k <= 2; ++k) {
            const std::string name = school::className(0, k);
            t.data.addClasscourse(name, "语文", "张伟", 5);
            t.data.addClasscourse(name, "数学", steps >= 7 || k == 1 ? "李娜" : "", 5);
        }
        t.data.cleanUp();
    }
    if (steps >= 8) { // 初一⑴ arranged, 初一⑵ too from step 9
        for (int c = 0; c < (steps >= 9 ? 2 : 1); ++c) {
            for (int d = 0; d < school::kDays; ++d) {
                t.timetable.cell(0, c, d, 0) = school::className(0, c + 1);
                t.timetable.cell(0, c, d, 1) = c == 0 ? "张伟" : "李娜";
                t.timetable.cell(0, c, d, 2) = c == 0 ? "李娜" : "张伟";
            }
        }
    }
    if (steps >= 10) { // both teachers twice on Monday, in periods 1 and 2
        t.timetable.cell(0, 1, 0, 1) = "张伟";
        t.timetable.cell(0, 1, 0, 2) = "李娜";
    }
    return t;
}

TEST(OverviewNextStep, FollowsTheSetUpOrderAndNamesWhatIsMissing) {
    struct Case {
        int steps;
        std::vector<std::string> entries;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {0, {"课程名称设置"}, "还没有课程名称"},
        {1, {"年段班级编辑"}, "还没有设置任何年段的班级数"},
        {2, {"教师名单编辑"}, "还没有教师名单"},
        {3, {"学科教师编辑"}, "还没有设置各学科的课任教师"},
        {4, {"年段课程设置"}, "初一 还没有年段课程设置"},
        {5, {"班级课程设置", "课任教师选用"}, "初一 有 2 个班还没有课程计划"},
        {6, {"班级课程设置", "课任教师选用"}, "初一⑵ 数学 还没有课任教师"},
        {7, {"年段课程编排"}, "初一 有 2 个班还没有编排课表"},
        {8, {"年段课程编排"}, "初一 有 1 个班还没有编排课表"},
        {9, {}, "各年段都已设置并编排完毕"},
        {10,
         {"年段课程编排"},
         "初一 的课表剩余：碰课 2 处，教师日超量 0 处，预设违例 0 处，资源超量 0 处"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("steps " + std::to_string(c.steps));
        const overview::NextStep next = nextStep(standingOf(setUpTo(c.steps)));
        EXPECT_EQ(next.entries, c.entries);
        EXPECT_EQ(next.reason, c.reason);
    }
}

TEST(OverviewNextStep, AGradeWhoseClassesAllHavePlansNeedsNoGradePlan) {
    SchoolTables t = setUpTo(7);
    t.gradePlans.clear();
    EXPECT_EQ(nextStep(standingOf(t)).entries, std::vector<std::string>{"年段课程编排"});
    // a grade without classes asks for nothing
    t.gradePlans.push_back({"初二", "语文", 5, 0});
    t.classes.setCount(1, 0);
    EXPECT_EQ(nextStep(standingOf(t)).reason, "初一 有 2 个班还没有编排课表");
}

TEST(OverviewStanding, CountsClassesPlansTeachersArrangementAndDuty) {
    SchoolTables t = setUpTo(8);
    // a review plan row is no weekly plan
    t.gradePlans = {{"初一", "语文", 5, 3}};
    t.attendance = {{.teacher = "张伟", .week = " 3"},
                    {.teacher = "李娜", .week = "3"},
                    {.teacher = "张伟", .week = "12"},
                    {.teacher = "张伟", .week = "x"}};
    t.duty = {{"初一⑴", "周一晚", "张伟"}, {"初一⑴", "周一晚", "李娜"}, // one slot, two teachers
              {"初一⑵", "周日早", "李娜"}, {"初一⑶", "周一晚", "张伟"}, // no class ⑶
              {"初一⑵", "周八晚", "李娜"}, {"初一⑵", "周二早", "        "}};
    const overview::Standing s = standingOf(t);
    const overview::GradeStanding& g = s.grades[0];
    EXPECT_EQ(g.classes, 2);
    EXPECT_FALSE(g.gradePlan);
    EXPECT_EQ(g.planned, 2);
    EXPECT_EQ(g.staffed, 2);
    EXPECT_EQ(g.arranged, 1);
    EXPECT_FALSE(g.remaining.any());
    EXPECT_FALSE(s.grades[1].classes.has_value());
    EXPECT_EQ(s.attendanceWeeks, (std::vector<int>{3, 12}));
    EXPECT_EQ(s.attendanceRecords, 4);
    EXPECT_EQ(s.dutyFilled, 2);
    EXPECT_EQ(s.dutySlots, 28);

    const std::string html = overview::overviewHtml(s, nextStep(s));
    EXPECT_NE(html.find("出勤记录：2 周（第 3–12 周），共 4 条"), std::string::npos) << html;
    EXPECT_NE(html.find("<a href=\"entry:年段课程编排\">年段课程编排</a>"), std::string::npos);
    EXPECT_NE(html.find("未设置班级数"), std::string::npos);
}

TEST(OverviewText, EscapesWhatTheTablesHold) {
    overview::Standing s;
    s.database = "数据库文件 /tmp/a<b>&c";
    const std::string html = overview::overviewHtml(s, {{"课程名称设置"}, "x<y"});
    EXPECT_NE(html.find("/tmp/a&lt;b&gt;&amp;c"), std::string::npos);
    EXPECT_NE(html.find("x&lt;y"), std::string::npos);
    EXPECT_EQ(html.find("a<b>"), std::string::npos);
}

TEST(OverviewOnDatabase, AnEmptySchoolAsksForItsCourseNamesFirst) {
    testsupport::TempDatabase db;
    const overview::Standing s = overview::readStanding();
    EXPECT_EQ(s.database, "数据库文件 " + db.databasePath());
    EXPECT_EQ(s.courseNames, 0);
    EXPECT_EQ(s.attendanceRecords, 0);
    EXPECT_EQ(s.dutySlots, 0);
    for (const overview::GradeStanding& g : s.grades) {
        EXPECT_FALSE(g.classes.has_value());
        EXPECT_EQ(g.planned + g.arranged, 0);
    }
    EXPECT_EQ(nextStep(s).entries, std::vector<std::string>{"课程名称设置"});
}

class OverviewOnDemo : public clitest::DemoSchoolDir {};

// The demo's counts against the tables read on their own.
TEST_F(OverviewOnDemo, CountsTheDemoSchoolThenItsArrangement) {
    overview::Standing s = overview::readStanding();
    std::set<std::string> weeks;
    for (const store::AttendanceRow& row : store::CATRecord().readAll()) {
        weeks.insert(row.week);
    }
    EXPECT_EQ(s.attendanceWeeks.size(), weeks.size());
    EXPECT_GT(s.attendanceRecords, 0);
    std::set<std::pair<std::string, std::string>> duty;
    for (const store::SuperviseRow& row : store::CSORecord().readAll()) {
        duty.emplace(row.className, row.time);
    }
    EXPECT_EQ(s.dutyFilled, static_cast<int>(duty.size()));
    int classes = 0;
    for (const overview::GradeStanding& g : s.grades) {
        SCOPED_TRACE(g.grade);
        ASSERT_TRUE(g.classes.has_value());
        classes += *g.classes;
        EXPECT_EQ(g.planned, *g.classes);
        EXPECT_EQ(g.staffed, *g.classes);
        EXPECT_EQ(g.arranged, 0);
    }
    EXPECT_EQ(s.dutySlots, classes * 14);
    EXPECT_EQ(nextStep(s).entries, std::vector<std::string>{"年段课程编排"});

    ASSERT_EQ(clitest::runCli({"arrange", "all", "--optimise", "--save"}).code, 0);
    s = overview::readStanding();
    for (const overview::GradeStanding& g : s.grades) {
        EXPECT_EQ(g.arranged, *g.classes);
        EXPECT_FALSE(g.remaining.any()) << g.remaining.line;
    }
    EXPECT_EQ(nextStep(s).reason, "各年段都已设置并编排完毕");
}

} // namespace
