// Schools that cannot be arranged: every cause found by counting is named, with the teacher,
// class or course concerned, and the run says it is not solved; a school whose trouble no
// count reveals is searched until its time limit and comes back with its violations listed;
// a cancelled run stops. Plus how the plan's ranges read their bounds.
#include "EngineTestSupport.h"
#include "RuleChecker.h"

#include "core/SampleNames.h"
#include "optimise/Causes.h"
#include "optimise/Optimiser.h"
#include "optimise/Problem.h"
#include "timetable/TimetableRules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace enginetest;

namespace {

constexpr const char* kShared = "张老师";

struct Case {
    const char* name;
    std::function<void(timetable::AutoOrderData&, optimise::Request&)> build;
    std::vector<std::string> named; // every one of them in one cause
};

std::string preset(std::initializer_list<int> cells) {
    std::string mask(35, '0');
    for (const int cell : cells) {
        mask[static_cast<std::size_t>(cell)] = '1';
    }
    return mask;
}

// Classes 1..n of 初一 with plans of the total, each with its own teachers.
void plainClasses(timetable::AutoOrderData& data, int n, int total) {
    for (int c = 1; c <= n; ++c) {
        addClass(data, 0, c, planWithTotal(total, 0, c));
    }
}

std::vector<Case> cases() {
    return {
        {"a class over 35 lessons",
         [](timetable::AutoOrderData& data, optimise::Request&) {
             addClass(data, 0, 1, planWithTotal(36, 0, 1));
             addClass(data, 0, 2, planWithTotal(30, 0, 2));
         },
         {"初一⑴", "36", "超过 35"}},
        {"a teacher with 36 lessons",
         [](timetable::AutoOrderData& data, optimise::Request&) {
             for (int c = 1; c <= 6; ++c) {
                 auto plan = planWithTotal(30, 0, c);
                 plan[1].teacher = kShared; // 数学 6 a week in six classes
                 plan[1].weekly = 6;
                 plan.back().weekly -= 1;
                 addClass(data, 0, c, plan);
             }
         },
         {"教师张老师每周 36 节，超过一周可排的 35 节"}},
        {"a teacher's presets leave too few periods",
         [](timetable::AutoOrderData& data, optimise::Request&) {
             for (int c = 1; c <= 3; ++c) {
                 auto plan = planWithTotal(30, 0, c);
                 plan[1].teacher = kShared; // 15 lessons: at most 4 a day
                 addClass(data, 0, c, plan);
             }
             // Tuesday to Friday closed but for periods 1 and 2
             std::string mask(35, '0');
             for (int cell = 7; cell < 35; ++cell) {
                 mask[static_cast<std::size_t>(cell)] = cell % 7 < 2 ? '0' : '1';
             }
             data.addPreset(kShared, mask);
         },
         {kShared, "15", "只能排"}},
        {"a day with more classes than free periods",
         [](timetable::AutoOrderData& data, optimise::Request&) {
             for (int c = 1; c <= 3; ++c) {
                 auto plan = planWithTotal(30, 0, c);
                 plan[1].teacher = kShared; // 数学 5 a week: every class every day
                 addClass(data, 0, c, plan);
             }
             data.addPreset(kShared, preset({0, 1, 2, 3, 4}));
         },
         {kShared, "星期一", "3", "只有 2 节"}},
        {"a resource with more lessons than its limit allows",
         [](timetable::AutoOrderData& data, optimise::Request&) {
             for (int c = 1; c <= 12; ++c) {
                 auto plan = planWithTotal(28, 0, c);
                 plan.push_back({"体育", school::sampleTeacherName(900 + c), 3});
                 addClass(data, 0, c, plan);
             }
             data.addCourseshare("体育", 1);
         },
         {"体育", "36", "35"}},
        {"a locked lesson meeting the teacher in another grade",
         [](timetable::AutoOrderData& data, optimise::Request& request) {
             auto first = planWithTotal(30, 0, 1);
             auto second = planWithTotal(30, 1, 1);
             first[0].teacher = second[0].teacher = kShared;
             addClass(data, 0, 1, first);
             addClass(data, 1, 1, second);
             for (int g = 0; g < 2; ++g) {
                 for (int d = 0; d < 5; ++d) {
                     request.timetable.cell(g, 0, d, 0) = school::className(g, 1);
                 }
                 request.timetable.cell(g, 0, 2, 3) = kShared;
             }
             request.locked.push_back({0, 0, 2, 3});
         },
         {"锁定", kShared, "星期三 第三节", "初一⑴", "初二⑴"}},
        {"a locked lesson in the teacher's preset",
         [](timetable::AutoOrderData& data, optimise::Request& request) {
             plainClasses(data, 1, 30);
             const std::string teacher = data.classList(0, 0).entries[2].teacher;
             data.addPreset(teacher, preset({8}));
             for (int d = 0; d < 5; ++d) {
                 request.timetable.cell(0, 0, d, 0) = "初一⑴";
             }
             request.timetable.cell(0, 0, 1, 2) = teacher;
             request.locked.push_back({0, 0, 1, 2});
         },
         {"锁定", "初一⑴", "星期二 第二节", "预设"}},
        {"a plan that leaves a course too few periods",
         [](timetable::AutoOrderData& data, optimise::Request& request) {
             plainClasses(data, 1, 30);
             request.plan.push_back({"初一⑴", "化学", 1, 5, 1, 6}); // only periods 7 left
             request.plan.push_back({"初一⑴", "化学", 1, 4, 7, 7}); // and then Friday's
         },
         {"初一⑴", "化学", "只剩 1 个时间"}},
        {"语文 without a place for its double",
         [](timetable::AutoOrderData& data, optimise::Request& request) {
             plainClasses(data, 1, 30);
             request.plan.push_back({"初一⑴", "语文", 1, 5, 4, 6});
         },
         {"初一⑴", "语文", "连堂"}},
    };
}

} // namespace

TEST(Infeasible, EveryCountedCauseIsNamed) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        timetable::AutoOrderData data;
        optimise::Request request;
        c.build(data, request);
        data.cleanUp();
        request.grades = {0};
        request.timeLimitSeconds = 5;
        ScriptedRandom random(7);
        const optimise::Outcome outcome = optimise::optimise(data, request, random);
        EXPECT_FALSE(outcome.solved);
        bool found = false;
        for (const std::string& cause : outcome.causes) {
            bool all = true;
            for (const std::string& part : c.named) {
                all = all && cause.find(part) != std::string::npos;
            }
            found = found || all;
        }
        std::string causes;
        for (const std::string& cause : outcome.causes) {
            causes += cause + "\n";
        }
        EXPECT_TRUE(found) << causes;
    }
}

TEST(Infeasible, ATeacherWithMoreLessonsThanPeriodsIsCountedFirst) {
    timetable::AutoOrderData data;
    for (int c = 1; c <= 6; ++c) {
        auto plan = planWithTotal(30, 0, c);
        plan[1].teacher = kShared;
        plan[1].weekly = 6;
        plan.back().weekly -= 1;
        addClass(data, 0, c, plan);
    }
    data.cleanUp();
    optimise::Request request;
    request.grades = {0};
    const std::vector<std::string> causes = optimise::findCauses(optimise::Problem(data, request));
    ASSERT_FALSE(causes.empty());
    EXPECT_EQ(causes.front(), "教师张老师每周 36 节，超过一周可排的 35 节");
    // Nothing but the count stands in the way: no day of the teacher is cut by a preset.
    for (std::size_t i = 1; i < causes.size(); ++i) {
        EXPECT_EQ(causes[i].find(kShared), std::string::npos) << causes[i];
    }
    // With a preset closing Monday, that day adds something and follows the count.
    data.addPreset(kShared, preset({0, 1, 2, 3, 4, 5, 6}));
    data.cleanUp();
    const std::vector<std::string> more = optimise::findCauses(optimise::Problem(data, request));
    ASSERT_GE(more.size(), 2U);
    EXPECT_EQ(more.front(), causes.front());
    bool monday = false;
    for (const std::string& cause : more) {
        monday = monday || cause.find("教师 张老师 星期一") != std::string::npos;
    }
    EXPECT_TRUE(monday);
}

// A resource whose limit leaves it short by k lessons: the best timetable runs over that
// resource by k and breaks nothing else, as the independent checker and a plain count of the
// result read it.
TEST(Infeasible, AShortResourceBreaksOnlyItselfByItsShortfall) {
    for (const int classes : {12, 13}) {
        SCOPED_TRACE(std::to_string(classes) + " classes");
        timetable::AutoOrderData data;
        for (int c = 1; c <= classes; ++c) {
            auto plan = planWithTotal(28, 0, c);
            plan.push_back({"体育", school::sampleTeacherName(900 + c), 3});
            addClass(data, 0, c, plan);
        }
        data.addCourseshare("体育", 1);
        data.cleanUp();
        const int shortfall = classes * 3 - 35;
        optimise::Request request;
        request.grades = {0};
        request.timeLimitSeconds = 20;
        ScriptedRandom random(17);
        const optimise::Outcome outcome = optimise::optimise(data, request, random);
        EXPECT_FALSE(outcome.solved);
        ASSERT_EQ(outcome.causes.size(), 1U);
        EXPECT_NE(outcome.causes.front().find("资源 体育"), std::string::npos);
        for (const std::string& violation : outcome.violations) {
            EXPECT_EQ(violation.rfind("资源超量：体育", 0), 0U) << violation;
        }
        for (const std::string& broken :
             optimisetest::brokenRules(data, request, outcome.timetable)) {
            EXPECT_NE(broken.find("体育 over its limit"), std::string::npos) << broken;
        }
        const school::SchoolTimetable courses = timetable::inCourseNames(data, outcome.timetable);
        int over = 0;
        for (int d = 0; d < 5; ++d) {
            for (int p = 1; p <= 7; ++p) {
                int pe = 0;
                for (int c = 0; c < classes; ++c) {
                    pe += courses.cell(0, c, d, p) == "体育" ? 1 : 0;
                }
                over += std::max(0, pe - 1);
            }
        }
        EXPECT_EQ(over, shortfall);
    }
}

TEST(Infeasible, FeasibleNeighboursOfTheCasesHaveNoCause) {
    // The same shapes one step inside their limits.
    timetable::AutoOrderData data;
    addClass(data, 0, 1, planWithTotal(35, 0, 1));
    for (int c = 2; c <= 4; ++c) {
        auto plan = planWithTotal(30, 0, c);
        plan[1].teacher = kShared;
        addClass(data, 0, c, plan);
    }
    data.addPreset(kShared, preset({0, 1, 2, 3}));
    data.cleanUp();
    optimise::Request request;
    request.grades = {0};
    ScriptedRandom random(3);
    const optimise::Outcome outcome = optimise::optimise(data, request, random);
    EXPECT_TRUE(outcome.causes.empty()) << outcome.causes.front();
    EXPECT_TRUE(outcome.solved);
}

// Periods 1 and 2 closed to the two big courses of a full week: only the five 物理 lessons
// can go there, which no count per teacher, class or day reveals.
timetable::AutoOrderData hiddenlyInfeasible() {
    timetable::AutoOrderData data;
    addClass(data, 0, 1, {{"数学", "甲老师", 15}, {"英语", "乙老师", 15}, {"物理", "丙老师", 5}});
    const std::string early = preset({0, 1, 7, 8, 14, 15, 21, 22, 28, 29});
    data.addPreset("甲老师", early);
    data.addPreset("乙老师", early);
    data.cleanUp();
    return data;
}

TEST(Infeasible, ATimeLimitedRunReturnsInTimeWithItsViolations) {
    const timetable::AutoOrderData data = hiddenlyInfeasible();
    optimise::Request request;
    request.grades = {0};
    request.timeLimitSeconds = 0.3;
    ScriptedRandom random(11);
    const auto start = std::chrono::steady_clock::now();
    const optimise::Outcome outcome = optimise::optimise(data, request, random);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(outcome.solved);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.causes.empty());
    ASSERT_FALSE(outcome.violations.empty());
    EXPECT_NE(outcome.violations.front().find("教师预设"), std::string::npos);
    EXPECT_LT(wall, request.timeLimitSeconds + 2.0); // a generous margin: no benchmark
    EXPECT_EQ(outcome.timetable.cell(0, 0, 0, 0), "初一⑴");
}

TEST(Infeasible, ACancelledRunStopsWithTheBestFound) {
    const timetable::AutoOrderData data = hiddenlyInfeasible();
    optimise::Request request;
    request.grades = {0};
    request.timeLimitSeconds = 3600;
    int polls = 0;
    request.keepGoing = [&polls] { return ++polls < 3; };
    ScriptedRandom random(11);
    const optimise::Outcome outcome = optimise::optimise(data, request, random);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_FALSE(outcome.solved);
    EXPECT_EQ(polls, 3);
    EXPECT_FALSE(outcome.violations.empty());
}

TEST(PlanRanges, UnsetBoundsTakeTheOtherWeekendsFallOutsideBackwardsReadsForwards) {
    struct Row {
        int firstDay, lastDay, firstPeriod, lastPeriod;
        std::vector<std::pair<int, int>> cells; // day 1..5, period 1..7
    };
    const auto span = [](int d1, int d2, int p1, int p2) {
        std::vector<std::pair<int, int>> cells;
        for (int d = d1; d <= d2; ++d) {
            for (int p = p1; p <= p2; ++p) {
                cells.emplace_back(d, p);
            }
        }
        return cells;
    };
    const std::vector<Row> rows = {
        {2, 3, 4, 5, span(2, 3, 4, 5)},
        {2, 0, 4, 0, span(2, 2, 4, 4)},
        {0, 3, 0, 6, span(3, 3, 6, 6)},
        {0, 0, 1, 2, span(1, 5, 1, 2)},
        {4, 2, 0, 0, span(2, 4, 1, 7)},
        {5, 7, 7, 7, span(5, 5, 7, 7)},
        {6, 7, 1, 7, {}},
        {9, 2, 3, 3, span(2, 2, 3, 3)},
    };
    timetable::AutoOrderData data;
    addClass(data, 0, 1, planWithTotal(30, 0, 1));
    data.cleanUp();
    for (const Row& row : rows) {
        optimise::Request request;
        request.grades = {0};
        request.plan = {
            {"初一⑴", "化学", row.firstDay, row.lastDay, row.firstPeriod, row.lastPeriod},
            {"初一⑵", "化学", 1, 5, 1, 7},  // another class: no effect
            {"初一⑴", "音乐", 1, 5, 1, 7}}; // a course the class lacks
        const optimise::Problem problem(data, request);
        optimise::CellMask expected = 0;
        for (const auto& [day, period] : row.cells) {
            expected |= optimise::bit(optimise::cellAt(day - 1, period));
        }
        for (const optimise::Group& group : problem.groups()) {
            EXPECT_EQ(group.planned, group.courses.front() == "化学" ? expected : 0)
                << row.firstDay << '-' << row.lastDay << ' ' << row.firstPeriod << '-'
                << row.lastPeriod << ' ' << group.courses.front();
        }
    }
}
