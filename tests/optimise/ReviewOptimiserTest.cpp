// The review optimiser over random small review plans (seeded by GoogleTest's random seed),
// judged by its own reading of the timetable: no teacher in two classes at once, every review
// lesson placed, doubles at periods 1-2, 3-4 or 5-6 and singles in period 7, each class's
// doubles of a teacher spread over the days, the classes laid out as the review arrangement
// lays them out; the same seed gives the same timetable; plans that cannot be arranged are
// named before searching.
#include "EngineTestSupport.h"

#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "optimise/ReviewOptimiser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using timetable::ReviewData;

int pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

struct Plan {
    int grade = 0;
    int days = 0;
    int classes = 0;
    std::vector<std::pair<std::string, int>> courses;            // course, review periods
    std::map<std::pair<int, std::string>, std::string> teachers; // (class, course) -> teacher
};

// A plan over 3..10 days: 4..7 courses whose periods fill 15..7D cells of a class, a teacher
// of each course for one to three neighbouring classes.
Plan randomPlan(std::mt19937& rng) {
    Plan plan;
    plan.grade = pick(rng, 0, 5);
    plan.days = pick(rng, 3, 10);
    plan.classes = pick(rng, 2, 10);
    const int courses = pick(rng, 4, 7);
    int doubles = 0;
    int singles = 0;
    for (int i = 0; i < courses; ++i) {
        int periods = pick(rng, 1, std::max(2, 2 * plan.days - 1));
        // room for the others: at most 3D doubles and D singles a class
        while (doubles + periods / 2 > 3 * plan.days - (courses - i - 1) ||
               singles + periods % 2 > plan.days) {
            --periods;
        }
        doubles += periods / 2;
        singles += periods % 2;
        plan.courses.emplace_back("课" + std::to_string(i + 1), periods);
    }
    for (int i = 0; doubles * 2 + singles < 15; i = (i + 1) % courses) {
        auto& [course, periods] = plan.courses[static_cast<std::size_t>(i)];
        if (periods % 2 == 1 && doubles < 3 * plan.days) {
            ++periods; // an odd count becomes a double
            --singles;
            ++doubles;
        } else if (singles < plan.days) {
            ++periods;
            ++singles;
        }
    }
    // a teacher's doubles and singles over the grade within what the days hold
    for (int i = 0; i < courses; ++i) {
        const int periods = plan.courses[static_cast<std::size_t>(i)].second;
        const int span = std::min({pick(rng, 1, 3), 3 * plan.days / std::max(1, periods / 2),
                                   plan.days / std::max(1, periods % 2)});
        for (int c = 1; c <= plan.classes; ++c) {
            plan.teachers[{c, plan.courses[static_cast<std::size_t>(i)].first}] =
                "师" + std::to_string(i + 1) + "-" + std::to_string((c - 1) / span + 1);
        }
    }
    return plan;
}

ReviewData dataOf(const Plan& plan) {
    ReviewData data(plan.grade);
    const std::string grade(school::kGradeNames[static_cast<std::size_t>(plan.grade)]);
    for (const auto& [course, periods] : plan.courses) {
        data.addGradecourse(grade, course, periods, plan.days);
    }
    for (int c = 1; c <= plan.classes; ++c) {
        for (const auto& course : plan.courses) {
            data.addClasscourse(school::className(plan.grade, c), course.first,
                                plan.teachers.at({c, course.first}));
        }
    }
    return data;
}

// Every rule of a solved review, read off the timetable alone.
void expectReviewRules(const Plan& plan, const school::ReviewTimetable& t) {
    const int g = plan.grade;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        for (int d = 0; d < timetable::kReviewDays; ++d) {
            const std::string expected =
                c < plan.classes && d < plan.days ? school::className(g, c + 1) : "";
            ASSERT_EQ(t.cell(g, c, d, 0), expected) << "class " << c << " day " << d;
            for (int p = 1; p <= school::kPeriods && (c >= plan.classes || d >= plan.days); ++p) {
                ASSERT_EQ(t.cell(g, c, d, p), "");
            }
        }
    }
    for (int d = 0; d < plan.days; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int a = 0; a < plan.classes; ++a) {
                for (int b = a + 1; b < plan.classes; ++b) {
                    const std::string& text = t.cell(g, a, d, p);
                    EXPECT_FALSE(!text.empty() && text == t.cell(g, b, d, p))
                        << text << " in two classes, day " << d << " period " << p;
                }
            }
        }
    }
    for (int c = 0; c < plan.classes; ++c) {
        // what each teacher is owed: doubles and singles
        std::map<std::string, std::pair<int, int>> owed;
        for (const auto& [course, periods] : plan.courses) {
            if (periods == 0) {
                continue;
            }
            auto& [doubles, singles] = owed[plan.teachers.at({c + 1, course})];
            doubles += periods / 2;
            singles += periods % 2;
        }
        std::map<std::string, std::pair<int, int>> placed;
        std::map<std::pair<std::string, int>, int> doublesOnDay;
        for (int d = 0; d < plan.days; ++d) {
            for (int p = 1; p <= 5; p += 2) {
                const std::string& first = t.cell(g, c, d, p);
                EXPECT_EQ(first, t.cell(g, c, d, p + 1)) << "a double broken at " << p;
                if (!first.empty()) {
                    ++placed[first].first;
                    ++doublesOnDay[{first, d}];
                }
            }
            if (!t.cell(g, c, d, 7).empty()) {
                ++placed[t.cell(g, c, d, 7)].second;
            }
        }
        EXPECT_EQ(placed, owed) << "class " << c;
        for (const auto& [teacher, counts] : owed) {
            const int low = counts.first / plan.days;
            const int high = (counts.first + plan.days - 1) / plan.days;
            for (int d = 0; d < plan.days; ++d) {
                const int n = doublesOnDay[{teacher, d}];
                EXPECT_TRUE(n >= low && n <= high) << teacher << " day " << d << ": " << n;
            }
        }
    }
}

} // namespace

TEST(ReviewOptimiserProperties, RandomPlansArePlacedWholeWithoutClashes) {
    std::mt19937 rng(enginetest::testSeed());
    for (int round = 0; round < 40; ++round) {
        const Plan plan = randomPlan(rng);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(plan.days) +
                     " days, " + std::to_string(plan.classes) + " classes");
        enginetest::ScriptedRandom random(enginetest::testSeed() + static_cast<unsigned>(round));
        optimise::ReviewRequest request;
        request.timeLimitSeconds = 5;
        const optimise::ReviewOutcome outcome =
            optimise::optimiseReview(dataOf(plan), request, random);
        ASSERT_TRUE(outcome.causes.empty()) << outcome.causes.front();
        ASSERT_TRUE(outcome.solved) << outcome.violations.front();
        EXPECT_TRUE(outcome.violations.empty());
        EXPECT_EQ(outcome.days, plan.days);
        EXPECT_EQ(outcome.arranged, plan.classes);
        expectReviewRules(plan, outcome.timetable);
    }
}

TEST(ReviewOptimiserProperties, TheSameSeedGivesTheSameTimetable) {
    std::mt19937 rng(enginetest::testSeed());
    const Plan plan = randomPlan(rng);
    const ReviewData data = dataOf(plan);
    optimise::ReviewRequest request;
    request.timeLimitSeconds = 5;
    enginetest::ScriptedRandom first(7);
    enginetest::ScriptedRandom second(7);
    const optimise::ReviewOutcome a = optimise::optimiseReview(data, request, first);
    const optimise::ReviewOutcome b = optimise::optimiseReview(data, request, second);
    EXPECT_TRUE(a.timetable == b.timetable);
    EXPECT_EQ(a.iterations, b.iterations);
    EXPECT_EQ(first.draws(), second.draws());
}

TEST(ReviewOptimiserProperties, APlanWithoutSlackIsSolved) {
    // Nine classes over three days, every teacher in three classes: the teachers of 物理 and
    // 化学 need every period 7 of the three days, one class each.
    Plan plan;
    plan.grade = 2;
    plan.days = 3;
    plan.classes = 9;
    plan.courses = {{"语文", 4}, {"数学", 4}, {"英语", 4}, {"物理", 3}, {"化学", 3}};
    for (int c = 1; c <= plan.classes; ++c) {
        for (const auto& [course, periods] : plan.courses) {
            plan.teachers[{c, course}] = course + std::to_string((c - 1) / 3 + 1);
        }
    }
    enginetest::ScriptedRandom random(enginetest::testSeed());
    const optimise::ReviewOutcome outcome =
        optimise::optimiseReview(dataOf(plan), optimise::ReviewRequest{}, random);
    ASSERT_TRUE(outcome.solved) << (outcome.causes.empty() ? outcome.violations.front()
                                                           : outcome.causes.front());
    expectReviewRules(plan, outcome.timetable);
}

TEST(ReviewOptimiserProperties, DoublesBeyondThreeADayGoToPeriodSevenFromTheLastCourse) {
    // 10 doubles in three days: 物理's one double becomes two period-7 lessons.
    ReviewData data(2);
    const std::pair<const char*, int> plan[] = {{"语文", 6}, {"数学", 6}, {"英语", 6}, {"物理", 2}};
    for (const auto& [course, periods] : plan) {
        data.addGradecourse("初三", course, periods, 3);
    }
    for (const auto& [course, periods] : plan) {
        data.addClasscourse("初三⑴", course, std::string(course) + "师");
    }
    enginetest::ScriptedRandom random(enginetest::testSeed());
    const optimise::ReviewOutcome outcome =
        optimise::optimiseReview(data, optimise::ReviewRequest{}, random);
    ASSERT_TRUE(outcome.solved) << outcome.causes.size() << outcome.violations.size();
    std::map<std::string, int> early;
    std::map<std::string, int> last;
    for (int d = 0; d < 3; ++d) {
        for (int p = 1; p <= 6; ++p) {
            ++early[outcome.timetable.cell(2, 0, d, p)];
        }
        ++last[outcome.timetable.cell(2, 0, d, 7)];
    }
    EXPECT_EQ(early, (std::map<std::string, int>{{"语文师", 6}, {"数学师", 6}, {"英语师", 6}}));
    EXPECT_EQ(last, (std::map<std::string, int>{{"物理师", 2}, {"", 1}}));
}

namespace {

struct Infeasible {
    const char* name;
    int days;
    std::vector<std::pair<std::string, int>> courses; // for every class
    int classes;
    bool sharedTeachers;               // one teacher a course for all classes
    std::vector<std::string> named;    // all in one cause
    std::vector<std::string> violated; // all in one violation (none: no violation asked)
};

} // namespace

TEST(ReviewOptimiserCauses, PlansThatCannotBeArrangedAreNamedBeforeSearching) {
    const std::vector<Infeasible> cases = {
        {"no review plan", 0, {{"语文", 6}}, 2, false, {"复习计划", "初三", "天数"}, {}},
        {"a class under 15 periods",
         3,
         {{"语文", 6}, {"数学", 6}},
         1,
         false,
         {"复习课时不足", "初三⑴", "12"},
         {}},
        {"more lessons than the days hold",
         3,
         {{"语文", 8}, {"数学", 8}, {"英语", 6}},
         1,
         false,
         {"第七节过多", "初三⑴", "需 4 节", "其中 4 节是连堂排不下的", "3 天只有 3 个"},
         {"课时未排", "初三⑴", "数学师1", "少 1 节"}},
        {"more singles than days",
         3,
         {{"语文", 3}, {"数学", 3}, {"英语", 3}, {"物理", 3}, {"化学", 3}},
         1,
         false,
         {"第七节过多", "初三⑴", "5", "3"},
         {"课时未排", "少 1 节"}},
        {"a teacher with more doubles than the days hold",
         3,
         {{"语文", 4}, {"数学", 6}, {"英语", 6}},
         5,
         true,
         {"教师连堂过多", "语文师", "10", "9"},
         {"教师碰课"}},
    };
    for (const Infeasible& c : cases) {
        SCOPED_TRACE(c.name);
        ReviewData data(2);
        for (const auto& [course, periods] : c.courses) {
            data.addGradecourse("初三", course, periods, c.days);
        }
        for (int k = 1; k <= c.classes; ++k) {
            for (const auto& course : c.courses) {
                data.addClasscourse(school::className(2, k), course.first,
                                    course.first + "师" +
                                        (c.sharedTeachers ? "" : std::to_string(k)));
            }
        }
        enginetest::ScriptedRandom random(enginetest::testSeed());
        optimise::ReviewRequest request;
        request.timeLimitSeconds = 2;
        const optimise::ReviewOutcome outcome = optimise::optimiseReview(data, request, random);
        EXPECT_FALSE(outcome.solved);
        const auto holdsAll = [](const std::string& line, const std::vector<std::string>& words) {
            return std::all_of(words.begin(), words.end(), [&](const std::string& w) {
                return line.find(w) != std::string::npos;
            });
        };
        EXPECT_TRUE(std::any_of(outcome.causes.begin(), outcome.causes.end(),
                                [&](const std::string& l) { return holdsAll(l, c.named); }))
            << (outcome.causes.empty() ? "no cause" : outcome.causes.front());
        if (!c.violated.empty()) {
            EXPECT_TRUE(std::any_of(outcome.violations.begin(), outcome.violations.end(),
                                    [&](const std::string& l) { return holdsAll(l, c.violated); }))
                << (outcome.violations.empty() ? "no violation" : outcome.violations.front());
        }
    }
}
