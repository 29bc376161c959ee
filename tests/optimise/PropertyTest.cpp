// Over many generated schools (seeded by GoogleTest's random seed): a solved result keeps
// every hard rule as the independent checker reads them, and its count of periods 1-2
// without a main course agrees with the checker and with the engine's review; locked cells
// survive and the other grades stay as they were; the same seed gives the same timetable.
#include "EngineTestSupport.h"
#include "RuleChecker.h"

#include "optimise/Optimiser.h"
#include "timetable/ArrangeReport.h"
#include "timetable/TimetableRules.h"

#include <gtest/gtest.h>

#include <random>

using namespace enginetest;

namespace {

int pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

SchoolOptions randomOptions(std::mt19937& rng) {
    SchoolOptions options;
    for (int& n : options.classes) {
        n = pick(rng, 1, 6);
    }
    options.unifiedPerGrade = pick(rng, 0, 3);
    options.sharedTeachers = pick(rng, 0, 1) == 1;
    return options;
}

// A few plan ranges: a class keeps one of its later courses out of a block of periods.
std::vector<optimise::PlanRange> randomPlan(std::mt19937& rng, const timetable::AutoOrderData& data,
                                            const std::vector<int>& grades) {
    std::vector<optimise::PlanRange> plan;
    for (int row = pick(rng, 0, 4); row > 0; --row) {
        const int g =
            grades[static_cast<std::size_t>(pick(rng, 0, static_cast<int>(grades.size()) - 1))];
        const int c = pick(rng, 0, 1);
        const auto& entries = data.classList(g, c).entries;
        const auto& entry = entries[static_cast<std::size_t>(pick(rng, 4, 9))];
        if (entry.course.empty()) {
            continue;
        }
        const int day = pick(rng, 1, 5);
        const int period = pick(rng, 1, 6);
        plan.push_back({school::className(g, c + 1), entry.course, day, day + pick(rng, 0, 1),
                        period, period + 1});
    }
    return plan;
}

int reviewedMisses(const timetable::AutoOrderData& data, const std::vector<int>& grades,
                   const school::SchoolTimetable& result) {
    int misses = 0;
    for (const int g : grades) {
        misses += static_cast<int>(timetable::reviewGrade(data, g, result).mainCourseFirst.size());
    }
    return misses;
}

} // namespace

TEST(OptimiserProperties, SolvedResultsKeepEveryHardRule) {
    std::mt19937 rng(testSeed());
    int solved = 0;
    constexpr int kRounds = 30;
    for (int round = 0; round < kRounds; ++round) {
        const School s = makeSchool(rng, randomOptions(rng));
        optimise::Request request;
        request.timetable = s.timetable;
        if (round % 3 == 0) {
            request.grades = {0, 1, 2, 3, 4, 5};
        } else {
            request.grades = {pick(rng, 0, 5)};
        }
        request.plan = randomPlan(rng, s.data, request.grades);
        request.timeLimitSeconds = 5;
        ScriptedRandom random(rng());
        SCOPED_TRACE("round " + std::to_string(round));
        const optimise::Outcome outcome = optimise::optimise(s.data, request, random);
        if (!outcome.solved) {
            EXPECT_FALSE(outcome.causes.empty() && outcome.violations.empty());
            continue;
        }
        ++solved;
        EXPECT_TRUE(outcome.causes.empty());
        EXPECT_TRUE(outcome.violations.empty());
        const auto broken = optimisetest::brokenRules(s.data, request, outcome.timetable);
        EXPECT_TRUE(broken.empty()) << broken.front();
        EXPECT_EQ(outcome.earlyMisses,
                  optimisetest::earlyMisses(s.data, request, outcome.timetable));
        EXPECT_EQ(outcome.earlyMisses, reviewedMisses(s.data, request.grades, outcome.timetable));
    }
    // Generated schools leave room: nearly all of them must be solved.
    EXPECT_GE(solved, kRounds * 9 / 10);
}

TEST(OptimiserProperties, LockedCellsSurviveAndOtherGradesStay) {
    std::mt19937 rng(testSeed());
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const School s = makeSchool(rng, randomOptions(rng));
        optimise::Request first;
        first.timetable = s.timetable;
        first.grades = {0, 1, 2, 3, 4, 5};
        ScriptedRandom random(rng());
        const optimise::Outcome solved = optimise::optimise(s.data, first, random);
        ASSERT_TRUE(solved.solved) << (solved.causes.empty() ? "" : solved.causes.front());

        optimise::Request again;
        again.timetable = solved.timetable;
        const int grade = pick(rng, 0, 5);
        again.grades = {grade};
        const int classes = namedClasses(solved.timetable, grade);
        for (int n = pick(rng, 1, 12); n > 0; --n) {
            again.locked.push_back(
                {grade, pick(rng, 0, classes - 1), pick(rng, 0, 4), pick(rng, 1, 7)});
        }
        const optimise::Outcome outcome = optimise::optimise(s.data, again, random);
        EXPECT_TRUE(outcome.solved)
            << (outcome.violations.empty() ? "" : outcome.violations.front());
        const auto broken = optimisetest::brokenRules(s.data, again, outcome.timetable);
        EXPECT_TRUE(broken.empty()) << broken.front();
        for (int g = 0; g < school::kGrades; ++g) {
            for (int c = 0; g != grade && c < school::kMaxClasses; ++c) {
                EXPECT_TRUE(outcome.timetable.week(g, c) == solved.timetable.week(g, c));
            }
        }
    }
}

TEST(OptimiserProperties, TheSameSeedGivesTheSameTimetable) {
    std::mt19937 rng(testSeed());
    for (int round = 0; round < 5; ++round) {
        const School s = makeSchool(rng, randomOptions(rng));
        optimise::Request request;
        request.timetable = s.timetable;
        request.grades = {0, 1, 2, 3, 4, 5};
        const unsigned seed = static_cast<unsigned>(rng());
        ScriptedRandom a(seed);
        ScriptedRandom b(seed);
        ScriptedRandom c(seed + 1);
        const optimise::Outcome first = optimise::optimise(s.data, request, a);
        const optimise::Outcome second = optimise::optimise(s.data, request, b);
        const optimise::Outcome other = optimise::optimise(s.data, request, c);
        ASSERT_TRUE(first.solved);
        EXPECT_TRUE(first.timetable == second.timetable);
        EXPECT_EQ(first.iterations, second.iterations);
        EXPECT_FALSE(first.timetable == other.timetable);
    }
}
