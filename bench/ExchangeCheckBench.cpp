// Where a picked lesson can go, on the generated school of 6 × 20 classes (BenchSchool.h):
// shading the whole week of one class (the lesson's 34 targets, each exchange judged by the
// grade's rules), for a single lesson and for a double period; the check built afresh each
// time, as a redraw does. Target: under 15 ms for a row.
#include "BenchSchool.h"

#include "arrange/ExchangeCheck.h"

#include <benchmark/benchmark.h>

namespace {

bool noLocks(const arrange::GridPlace&) {
    return false;
}

void BM_ShadeRowOfALesson(benchmark::State& state) {
    const bench::School& s = bench::school20();
    const int grade = static_cast<int>(state.range(0));
    for (auto _ : state) {
        arrange::ExchangeCheck check(s.data, s.timetable, grade);
        benchmark::DoNotOptimize(check.shadeWeek({{7, 2, 3}}, noLocks));
    }
}
BENCHMARK(BM_ShadeRowOfALesson)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_ShadeRowOfAPair(benchmark::State& state) {
    const bench::School& s = bench::school20();
    for (auto _ : state) {
        arrange::ExchangeCheck check(s.data, s.timetable, 2);
        benchmark::DoNotOptimize(check.shadeWeek({{7, 2, 3}, {7, 2, 4}}, noLocks));
    }
}
BENCHMARK(BM_ShadeRowOfAPair)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
