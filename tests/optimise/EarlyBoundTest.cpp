// The periods 1-2 lower bound: it never exceeds the misses of a timetable the search returns
// (any timetable keeping the hard rules holds at least that many), and on a school where it is
// exact the search reaches it and stops there instead of searching on.
#include "EngineTestSupport.h"
#include "RuleChecker.h"

#include "optimise/EarlyBound.h"
#include "optimise/Optimiser.h"
#include "optimise/Problem.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

using namespace enginetest;

namespace {

int pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

std::string preset(std::initializer_list<int> cells) {
    std::string mask(35, '0');
    for (const int cell : cells) {
        mask[static_cast<std::size_t>(cell)] = '1';
    }
    return mask;
}

} // namespace

TEST(EarlyBound, NeverAboveTheMissesOfAReturnedTimetable) {
    std::mt19937 rng(testSeed());
    int positive = 0;
    for (int round = 0; round < 16; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        SchoolOptions options;
        for (int& n : options.classes) {
            n = pick(rng, 1, 5);
        }
        options.unifiedPerGrade = pick(rng, 0, 3);
        options.sharedTeachers = pick(rng, 0, 1) == 1;
        timetable::AutoOrderData data = makeSchoolData(rng, options);
        // The main teachers of a few classes kept out of a day's first two periods, so that
        // the bound has something to count.
        std::map<std::string, std::string> masks;
        for (int n = pick(rng, 1, 3); n > 0; --n) {
            const auto& entries = data.classList(pick(rng, 0, 5), 0).entries;
            const int day = pick(rng, 0, 4);
            for (int main = 0; main < 4; ++main) {
                const std::string& teacher = entries[static_cast<std::size_t>(main)].teacher;
                if (!teacher.empty()) {
                    std::string& mask =
                        masks.try_emplace(teacher, std::string(35, '0')).first->second;
                    mask[static_cast<std::size_t>(day * 7)] = '1';
                    mask[static_cast<std::size_t>(day * 7 + 1)] = '1';
                }
            }
        }
        for (const auto& [teacher, mask] : masks) {
            data.addPreset(teacher, mask);
        }
        data.cleanUp();
        optimise::Request request;
        request.grades = {0, 1, 2, 3, 4, 5};
        request.timeLimitSeconds = 5;
        for (int seed = 0; seed < 2; ++seed) {
            ScriptedRandom random(rng());
            const optimise::Outcome outcome = optimise::optimise(data, request, random);
            if (!outcome.solved) {
                continue;
            }
            const int misses = optimisetest::earlyMisses(data, request, outcome.timetable);
            EXPECT_LE(outcome.earlyMissesBound, misses);
            EXPECT_EQ(outcome.earlyMissesBound,
                      optimise::earlyBound(optimise::Problem(data, request)).total());
            positive += outcome.earlyMissesBound > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(positive, 0) << "no school gave the bound anything to count";
}

TEST(EarlyBound, AnExactBoundIsReachedAndEndsTheSearch) {
    // Two classes whose four main teachers are all kept out of Monday's and Tuesday's first
    // two periods: eight early cells can hold no main course, and every other can.
    timetable::AutoOrderData data;
    for (int c = 1; c <= 2; ++c) {
        const auto plan = planWithTotal(30, 0, c);
        addClass(data, 0, c, plan);
        for (int main = 0; main < 4; ++main) {
            data.addPreset(plan[static_cast<std::size_t>(main)].teacher, preset({0, 1, 7, 8}));
        }
    }
    data.cleanUp();
    optimise::Request request;
    request.grades = {0};
    const optimise::EarlyBound bound = optimise::earlyBound(optimise::Problem(data, request));
    EXPECT_EQ(bound.flow, 8);
    EXPECT_EQ(bound.locked, 0);
    ScriptedRandom random(5);
    const optimise::Outcome outcome = optimise::optimise(data, request, random);
    ASSERT_TRUE(outcome.solved);
    EXPECT_EQ(outcome.earlyMissesBound, 8);
    EXPECT_EQ(outcome.earlyMisses, 8);
    // Stopped at the bound: a search that waited for a stall takes thousands of steps.
    EXPECT_LT(outcome.iterations, 1000);
}

TEST(EarlyBound, LockedEarlyCellsWithoutAMainCourseCount) {
    timetable::AutoOrderData data;
    const auto plan = planWithTotal(30, 0, 1);
    addClass(data, 0, 1, plan);
    data.cleanUp();
    optimise::Request request;
    request.grades = {0};
    for (int d = 0; d < 5; ++d) {
        request.timetable.cell(0, 0, d, 0) = "初一⑴";
    }
    request.timetable.cell(0, 0, 2, 1) = plan[6].teacher; // a minor course, locked
    request.timetable.cell(0, 0, 3, 2) = plan[0].teacher; // 语文, locked
    request.locked = {{0, 0, 2, 1}, {0, 0, 3, 2}};
    const optimise::EarlyBound bound = optimise::earlyBound(optimise::Problem(data, request));
    EXPECT_EQ(bound.locked, 1);
    EXPECT_EQ(bound.flow, 0);
    EXPECT_EQ(bound.total(), 1);
}
