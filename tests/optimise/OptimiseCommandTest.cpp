// tavlen-cli arrange --optimise on the demo school: the whole school solved and saved with no
// problem left in any grade, one grade arranged around the others as saved, the plan
// honoured, the same seed repeating, an infeasible school named with a non-zero exit, and
// bad options refused.
#include "ArrangeCliFixture.h"
#include "RuleChecker.h"
#include "TempDatabase.h"

#include "cli/Command.h"
#include "cli/DemoSchool.h"
#include "core/SchoolNames.h"
#include "store/CGLRecord.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using arrangetest::Result;

class OptimiseCommand : public arrangetest::DemoSchoolCli {};

std::vector<std::string> brokenInSaved(const std::vector<int>& grades,
                                       const school::SchoolTimetable& before) {
    const timetable::AutoOrderData data = timetable::loadAutoOrderData();
    optimise::Request request;
    request.timetable = timetable::inTeacherNames(data, before);
    request.grades = grades;
    return optimisetest::brokenRules(data, request, timetable::loadSchoolTimetable());
}

} // namespace

TEST_F(OptimiseCommand, TheWholeSchoolIsSolvedAndSavedWithNoProblemLeft) {
    const Result r = run({"all", "--optimise", "--save", "--grid", "初一"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("初一⑴\n"), std::string::npos);
    for (const auto grade : school::kGradeNames) {
        const std::string name(grade);
        EXPECT_NE(r.out.find("== " + name + " 优化编排："), std::string::npos);
        EXPECT_NE(r.out.find(name + " 剩余问题：\n  无\n"), std::string::npos) << r.out;
    }
    EXPECT_NE(r.out.find("优化编排：全部规则已满足，第一二节非主课 0 处（下界 0），用时 "),
              std::string::npos);
    EXPECT_NE(r.out.find("已存入 gradelesson"), std::string::npos);
    const auto broken = brokenInSaved({0, 1, 2, 3, 4, 5}, {});
    EXPECT_TRUE(broken.empty()) << broken.front();
}

TEST_F(OptimiseCommand, OneGradeIsArrangedAroundTheOthersAsSaved) {
    ASSERT_EQ(run({"all", "--save"}).code, 0); // the faithful engine, rules left broken
    const school::SchoolTimetable before = timetable::loadSchoolTimetable();
    const std::vector<store::GradelessonRow> rowsBefore = store::CGLRecord().readAll();

    const Result r = run({"初二", "--optimise", "--save", "--seed", "4"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("初二 剩余问题：\n  无\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("== 初一"), std::string::npos);
    const auto broken = brokenInSaved({1}, before);
    EXPECT_TRUE(broken.empty()) << broken.front();
    std::vector<store::GradelessonRow> othersBefore;
    std::vector<store::GradelessonRow> othersAfter;
    for (const auto& row : rowsBefore) {
        if (row.number / 10000 != 2) {
            othersBefore.push_back(row);
        }
    }
    for (const auto& row : store::CGLRecord().readAll()) {
        if (row.number / 10000 != 2) {
            othersAfter.push_back(row);
        }
    }
    EXPECT_EQ(othersAfter, othersBefore);
}

TEST_F(OptimiseCommand, ThePlanIsHonoured) {
    m_db.execute("INSERT INTO orderplan (class, course, week1, week2, number1, number2, "
                 "\"order\") VALUES ('初一⑴', '体育', 1, 5, 1, 5, 0)");
    ASSERT_EQ(run({"初一", "--optimise", "--save"}).code, 0);
    std::string teacher;
    const timetable::AutoOrderData data = timetable::loadAutoOrderData(); // outlives the loop
    for (const auto& entry : data.classList(0, 0).entries) {
        teacher = entry.course == "体育" ? entry.teacher : teacher;
    }
    ASSERT_FALSE(teacher.empty());
    const school::SchoolTimetable saved = timetable::loadSchoolTimetable();
    ASSERT_EQ(saved.cell(0, 0, 0, 0), "初一⑴");
    int lessons = 0;
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            const bool held = saved.cell(0, 0, d, p) == teacher;
            lessons += held ? 1 : 0;
            EXPECT_FALSE(held && p <= 5) << d << ' ' << p;
        }
    }
    EXPECT_EQ(lessons, 3);
}

TEST_F(OptimiseCommand, TheSameSeedRepeatsInOneProcessAndInFreshOnes) {
    const Result a = run({"初三", "--optimise", "--seed", "9", "--grid", "初三"});
    const Result b = run({"初三", "--optimise", "--seed", "9", "--grid", "初三"});
    const Result c = run({"初三", "--optimise", "--seed", "10", "--grid", "初三"});
    ASSERT_EQ(a.code, 0) << a.out;
    const auto grid = [](const std::string& out) { return out.substr(0, out.rfind("用时")); };
    EXPECT_EQ(grid(a.out), grid(b.out));
    EXPECT_NE(grid(a.out), grid(c.out));
    EXPECT_EQ(grid(runProcess("初三 --optimise")), grid(runProcess("初三 --optimise")));
}

TEST_F(OptimiseCommand, AnInfeasibleSchoolIsNamedWithANonZeroExit) {
    // 数学 of six classes of 初一, six lessons each, all given by one teacher: 36 lessons
    m_db.execute("UPDATE classcourse SET 教师 = '钱老师', 周课时 = 6 WHERE 学科 = '数学' AND "
                 "班级 IN ('初一⑴', '初一⑵', '初一⑶', '初一⑷', '初一⑸', '初一⑹')");
    const Result r = run({"初一", "--optimise", "--time-limit", "30"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.out.find("无法满足：教师钱老师每周 36 节，超过一周可排的 35 节"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("未满足："), std::string::npos);
    EXPECT_NE(r.out.find("优化编排：未能满足全部规则"), std::string::npos);
    EXPECT_TRUE(store::CGLRecord().readAll().empty());
}

TEST_F(OptimiseCommand, RefusesBadOptions) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"初一", "--time-limit", "5"},
                                               {"初一", "--optimise", "--time-limit"},
                                               {"初一", "--optimise", "--time-limit", "0"},
                                               {"初一", "--optimise", "--time-limit", "-1"},
                                               {"初一", "--optimise", "--time-limit", "1e3"},
                                               {"初一", "--optimise", "--time-limit", "5s"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_NE(r.err.find("usage: tavlen-cli arrange"), std::string::npos);
    }
}
