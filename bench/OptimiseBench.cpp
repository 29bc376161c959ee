// Time of the clash-free optimiser alone (no process start, no database) on the 6 × 20
// school of BenchSchool.h: the whole school in one run, and one grade of 20 classes around
// the five others as the faithful engine left them. The school's resource limits are raised
// so that its lessons fit outside periods 1-2 (as given, 体育 and 音乐 have more lessons than
// their limits allow in a week, which the optimiser reports before searching). Counters:
// solved runs, search steps and periods 1-2 without a main course of the last run. The parts
// of a run before its first step are measured alone too.
#include "BenchSchool.h"

#include "optimise/Causes.h"
#include "optimise/EarlyBound.h"
#include "optimise/Optimiser.h"
#include "optimise/Problem.h"
#include "timetable/TimetableRules.h"

#include <benchmark/benchmark.h>

namespace {

const timetable::AutoOrderData& feasibleData() {
    static const timetable::AutoOrderData data = [] {
        timetable::AutoOrderData copy = bench::school20().data;
        for (timetable::SubjectResource& resource : copy.resources) {
            resource.limit = resource.course == "体育" ? 10 : 4;
        }
        return copy;
    }();
    return data;
}

void run(benchmark::State& state, const optimise::Request& request) {
    bench::Lcg random(42);
    int solved = 0;
    int runs = 0;
    long long steps = 0;
    int misses = 0;
    for (auto _ : state) {
        const optimise::Outcome outcome = optimise::optimise(feasibleData(), request, random);
        benchmark::DoNotOptimize(outcome.timetable);
        solved += outcome.solved ? 1 : 0;
        ++runs;
        steps = outcome.iterations;
        misses = outcome.earlyMisses;
    }
    state.counters["solved"] = runs > 0 ? static_cast<double>(solved) / runs : 0.0;
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["misses"] = misses;
}

void BM_OptimiseWholeSchool6x20(benchmark::State& state) {
    optimise::Request request;
    request.grades = {0, 1, 2, 3, 4, 5};
    run(state, request);
}

void BM_OptimiseOneGradeAroundOthers(benchmark::State& state) {
    optimise::Request request;
    request.timetable = timetable::inTeacherNames(feasibleData(), bench::school20().timetable);
    request.grades = {2};
    run(state, request);
}

// What a run costs before its first step, each part alone: the model, the counted causes and
// the periods 1-2 lower bound (its maximum flow), on the whole 6 x 20 school.
optimise::Request wholeSchool() {
    optimise::Request request;
    request.grades = {0, 1, 2, 3, 4, 5};
    return request;
}

void BM_Problem6x20(benchmark::State& state) {
    const optimise::Request request = wholeSchool();
    for (auto _ : state) {
        const optimise::Problem problem(feasibleData(), request);
        benchmark::DoNotOptimize(problem.groups().data());
    }
}

void BM_Causes6x20(benchmark::State& state) {
    const optimise::Problem problem(feasibleData(), wholeSchool());
    for (auto _ : state) {
        benchmark::DoNotOptimize(optimise::findCauses(problem));
    }
}

void BM_EarlyBound6x20(benchmark::State& state) {
    const optimise::Problem problem(feasibleData(), wholeSchool());
    int bound = 0;
    for (auto _ : state) {
        bound = optimise::earlyBound(problem).total();
        benchmark::DoNotOptimize(bound);
    }
    state.counters["bound"] = bound;
}

BENCHMARK(BM_Problem6x20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Causes6x20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EarlyBound6x20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseWholeSchool6x20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseOneGradeAroundOthers)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
