// Applying a cover plan to the temporary database: one attendance record a missed lesson that
// is not swapped (an uncovered one with 补课 empty), counted by the weekly and monthly
// statistics through their own logic; applying twice adds nothing; a changed substitute
// replaces its record; the term timetable is never touched; a plan whose timetable changed
// is applied only when the user says so; a substitute who became busy meanwhile stops the
// whole apply.
#include "CoverTestSchool.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "attendance/Attendancecount.h"
#include "attendance/WorkloadTable.h"
#include "cover/CoverApply.h"
#include "cover/CoverPlanner.h"
#include "store/CGLRecord.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using cover::ApplyOutcome;
using cover::CoverPlan;
using cover::CoverPlanner;
using cover::CoverSchool;

class CoverApplyTest : public ::testing::Test {
protected:
    void SetUp() override { covertest::storeSmallSchool({{"刘洋", 1, covertest::kFriday, 4}}); }

    static CoverPlanner now() { return CoverPlanner(CoverSchool::load()); }

    // 王伟's 公  假 from Monday to Wednesday of week 2, first candidates given; the lesson of
    // Monday's period 1 swapped with 张强's on Thursday, Wednesday's left uncovered.
    static CoverPlan madePlan() {
        const CoverPlanner planner = now();
        CoverPlan plan = *planner.plan("王伟", "2024-09-09", "2024-09-11", "公假").plan;
        planner.assignFirst(plan);
        plan.lessons[0].substitute.clear();
        plan.lessons[0].swap = planner.swaps(plan, 0).at(0);
        plan.lessons[3].substitute.clear();
        return plan;
    }

    static std::vector<store::AttendanceRow> records() { return store::CATRecord().readAll(); }

    static store::AttendanceRow expected(const char* date, const char* weekday, const char* period,
                                         const char* className, const char* substitute,
                                         const char* remark = "") {
        store::AttendanceRow row =
            covertest::record("王伟", date, period, "公  假", substitute, className, "2");
        row.weekday = weekday;
        row.remark = remark;
        return row;
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(CoverApplyTest, WritesTheRecordsTheStatisticsCount) {
    const std::vector<store::GradelessonRow> timetable = store::CGLRecord().readAll();
    const CoverPlan plan = madePlan();
    EXPECT_EQ(plan.lessons[0].swap->teacher, "张强");

    const ApplyOutcome outcome = cover::applyPlan(plan, now(), m_messenger);
    EXPECT_EQ(outcome.kind, ApplyOutcome::Kind::Applied);
    EXPECT_EQ(outcome.message(), "已写入 3 条出勤记录。");
    EXPECT_EQ(records(), (std::vector<store::AttendanceRow>{
                             expected("2024-09-09", "星期一", "第三节", "初一⑵", "李娜"),
                             expected("2024-09-10", "星期二", "第二节", "初一⑴", "李娜"),
                             expected("2024-09-11", "星期三", "第一节", "初一⑵", "", "无人代课")}));
    EXPECT_EQ(store::CGLRecord().readAll(), timetable);
    EXPECT_TRUE(m_messenger.entries().empty());

    // The weekly count: 王伟's three official leaves, 李娜's two substitutions.
    const std::vector<attendance::WeekCount> week = attendance::readWeekCounts(2, "常规教学");
    ASSERT_EQ(week.size(), 2u);
    EXPECT_EQ(week[0], (attendance::WeekCount{"王伟", {0, 0, 0, 3, 0, 0}}));
    EXPECT_EQ(week[1], (attendance::WeekCount{"李娜", {0, 0, 0, 0, 0, 2}}));
    // The monthly workload of weeks 2 to 2.
    const attendance::Workload month = attendance::readWorkload({2, 2});
    const auto teacher = [&](const std::string& name) {
        return *std::find_if(month.teachers.begin(), month.teachers.end(),
                             [&](const auto& t) { return t.name == name; });
    };
    EXPECT_EQ(teacher("王伟").values[5], 3);
    EXPECT_EQ(teacher("李娜").values[7], 2);
    EXPECT_EQ(attendance::readWorkload({3, 3}).teachers[0].values[5], 0);
}

TEST_F(CoverApplyTest, ApplyingTwiceAddsNothingAndAChangeReplacesItsRecord) {
    CoverPlan plan = madePlan();
    ASSERT_EQ(cover::applyPlan(plan, now(), m_messenger).kind, ApplyOutcome::Kind::Applied);
    const ApplyOutcome again = cover::applyPlan(plan, now(), m_messenger);
    EXPECT_EQ(again.kind, ApplyOutcome::Kind::Unchanged);
    EXPECT_EQ(again.message(), "这份代课安排已经应用过，出勤记录没有变化。");
    EXPECT_EQ(records().size(), 3u);

    // Another teacher's record stays; Tuesday's cover goes to 周杰, Wednesday's is swapped.
    store::CATRecord().append(std::vector<store::AttendanceRow>{
        covertest::record("孙丽", "2024-09-12", "第一节", "事  假", "", "初一⑵")});
    const CoverPlanner planner = now();
    const std::vector<cover::CoverChoice> tuesday = planner.candidates(plan, 2);
    ASSERT_EQ(tuesday.at(1).candidate.teacher, "周杰");
    plan.lessons[2].substitute = "周杰";
    plan.lessons[3].swap = planner.swaps(plan, 3).at(0);
    EXPECT_EQ(cover::applyPlan(plan, planner, m_messenger).kind, ApplyOutcome::Kind::Applied);
    const std::vector<store::AttendanceRow> rows = records();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].teacher, "孙丽");
    EXPECT_EQ(rows[1].substitute, "李娜");
    EXPECT_EQ(rows[2].substitute, "周杰");
    EXPECT_EQ(rows[2].period, "第二节");
}

TEST_F(CoverApplyTest, AskedWhenTheTimetableChangedAndStoppedWhenASubstituteIsBusy) {
    const CoverPlan plan = madePlan();
    // The timetable changes: 陈静 gets a Friday lesson.
    covertest::storeSmallSchool({{"刘洋", 1, covertest::kFriday, 4}, {"陈静", 2, 4, 6}});
    m_messenger.scriptAnswers({false});
    EXPECT_EQ(cover::applyPlan(plan, now(), m_messenger).kind, ApplyOutcome::Kind::Declined);
    EXPECT_EQ(m_messenger.texts(), (std::vector<std::string>{cover::kTimetableChanged}));
    EXPECT_TRUE(records().empty());

    // Meanwhile 李娜 was given 孙丽's class in Monday's period 3.
    store::CATRecord().append(std::vector<store::AttendanceRow>{
        covertest::record("孙丽", "2024-09-09", "第三节", "公  假", "李娜", "初一⑶")});
    m_messenger.clear();
    const ApplyOutcome busy = cover::applyPlan(plan, now(), m_messenger);
    EXPECT_EQ(busy.kind, ApplyOutcome::Kind::Conflicts);
    EXPECT_EQ(busy.conflicts,
              (std::vector<std::string>{"9月9日 星期一 第三节 初一⑵：李娜 已不能代课"}));
    EXPECT_EQ(busy.message(), "下列课的安排已不成立，没有写入任何记录，请重新选择：\n"
                              "9月9日 星期一 第三节 初一⑵：李娜 已不能代课");
    EXPECT_EQ(records().size(), 1u);
    EXPECT_EQ(m_messenger.texts().size(), 1u); // asked again, answered yes
}

} // namespace
