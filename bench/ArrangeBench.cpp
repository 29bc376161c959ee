// Time of one automatic arrangement of a 20-class grade in a school of 6 × 20 classes
// (BenchSchool.h), on the fast board (AutoOrder) and on the plain reference board.
#include "BenchSchool.h"

#include "timetable/AutoOrder.h"

#include <benchmark/benchmark.h>

#include <type_traits>

namespace {

using bench::Lcg;
using bench::School;
using bench::school20;

template <class Engine> void arrangeGrade(benchmark::State& state) {
    const School& s = school20();
    Lcg random(42);
    int unresolved = 0;
    int arranged = 0;
    for (auto _ : state) {
        Engine engine(s.data, random); // a fresh engine per run, as the grade dialog does
        engine.arrange(2, s.timetable);
        benchmark::DoNotOptimize(engine.result());
        arranged = engine.arrangedCount();
        if constexpr (std::is_same_v<Engine, timetable::AutoOrder>) {
            unresolved = engine.unresolved();
        }
    }
    state.counters["classes"] = arranged;
    state.counters["unresolved"] = unresolved;
}

void BM_ArrangeGrade20Classes(benchmark::State& state) {
    arrangeGrade<timetable::AutoOrder>(state);
}
void BM_ArrangeGrade20ClassesPlainBoard(benchmark::State& state) {
    arrangeGrade<timetable::PlainAutoOrder>(state);
}

BENCHMARK(BM_ArrangeGrade20Classes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrangeGrade20ClassesPlainBoard)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
