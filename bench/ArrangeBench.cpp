// Time of one automatic arrangement of a 20-class grade in a school of 6 × 20 classes, on
// the fast board (AutoOrder) and on the plain reference board. The school is generated
// here: 11 courses per class (main courses 语文 数学 英语 物理 first), 28 to 31 lessons a
// week, each teacher taking the same course in two neighbouring classes, two unified
// slots per grade, presets for every seventh teacher; every grade arranged once before
// timing so that clashes and day loads across grades are real.
#include "arrange/AutoOrder.h"
#include "arrange/AutoOrderData.h"
#include "arrange/RandomSource.h"
#include "core/SampleNames.h"
#include "core/SchoolNames.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

class Lcg final : public arrange::RandomSource {
public:
    explicit Lcg(std::uint64_t seed) : m_state(seed) {}
    int next() override {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_state >> 33) & 0x7fffffffu);
    }

private:
    std::uint64_t m_state;
};

struct School {
    arrange::AutoOrderData data;
    school::SchoolTimetable timetable;
};

School makeSchool() {
    School s;
    struct Plan {
        const char* course;
        int weekly;
    };
    const std::array<Plan, 11> plan = {{{"语文", 6},
                                        {"数学", 5},
                                        {"英语", 5},
                                        {"物理", 3},
                                        {"化学", 2},
                                        {"政治", 2},
                                        {"历史", 2},
                                        {"地理", 2},
                                        {"体育", 2},
                                        {"音乐", 1},
                                        {"美术", 1}}};
    Lcg variation(7);
    int next = 0;
    std::vector<std::string> teachers;
    for (int g = 0; g < school::kGrades; ++g) {
        std::array<std::string, plan.size()> current;
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            for (std::size_t k = 0; k < plan.size(); ++k) {
                if (c % 2 == 1) {
                    current[k] = school::sampleTeacherName(next++);
                    teachers.push_back(current[k]);
                }
                const int weekly = plan[k].weekly - (k >= 9 && variation.next() % 3 == 0 ? 1 : 0);
                s.data.addClasscourse(school::className(g, c), plan[k].course, current[k], weekly);
            }
        }
        const std::string grade(school::kGradeNames[static_cast<std::size_t>(g)]);
        s.data.addSamelesson(grade, g % 5 + 1, 7, "班会");
        s.data.addSamelesson(grade, (g + 2) % 5 + 1, 4, "活动");
    }
    s.data.cleanUp();
    s.data.addCourseshare("体育", 6);
    s.data.addCourseshare("音乐", 2);
    for (std::size_t i = 0; i < teachers.size(); i += 7) {
        std::string mask(35, '0');
        mask[i % 35] = '1';
        mask[(i * 3 + 5) % 35] = '1';
        s.data.addPreset(teachers[i], mask);
    }
    Lcg random(1);
    for (int g = 0; g < school::kGrades; ++g) {
        arrange::AutoOrder engine(s.data, random);
        engine.arrange(g, s.timetable);
        s.timetable = engine.result();
    }
    return s;
}

const School& school20() {
    static const School s = makeSchool();
    return s;
}

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
        if constexpr (std::is_same_v<Engine, arrange::AutoOrder>) {
            unresolved = engine.unresolved();
        }
    }
    state.counters["classes"] = arranged;
    state.counters["unresolved"] = unresolved;
}

void BM_ArrangeGrade20Classes(benchmark::State& state) {
    arrangeGrade<arrange::AutoOrder>(state);
}
void BM_ArrangeGrade20ClassesPlainBoard(benchmark::State& state) {
    arrangeGrade<arrange::PlainAutoOrder>(state);
}

BENCHMARK(BM_ArrangeGrade20Classes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrangeGrade20ClassesPlainBoard)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
