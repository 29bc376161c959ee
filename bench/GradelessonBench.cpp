// The grade timetable dialog's logic on a full school of 6 × 20 classes (BenchSchool.h):
// opening it (reading gradelesson and the engine's five tables from a database file, then
// the first redraw), a redraw (the next day), and an exchange of two lessons (two clicks,
// each with its redraw, the second also recording the undo step).
#include "BenchSchool.h"

#include "arrange/Gradelesson.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CCSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/ConnectTarget.h"
#include "store/DatabaseFile.h"
#include "timetable/SchoolTimetableStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class SilentMessenger final : public ui::Messenger {
public:
    void info(const std::string&) override {}
    void notice(const std::string&, const std::string&) override {}
    void error(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

// The school written into a fresh database file, which every record set then uses.
class SchoolDatabase {
public:
    SchoolDatabase() {
        std::string dir = (std::filesystem::temp_directory_path() / "tavlen-bench-XXXXXX").string();
        if (mkdtemp(dir.data()) == nullptr) {
            std::abort();
        }
        m_dir = dir;
        const std::string file = (m_dir / "tavlen.mdb").string();
        store::createDatabase(file);
        store::useDatabaseFile(file);
        const bench::School& s = bench::school20();
        std::vector<store::ClasscourseRow> courses;
        for (int g = 0; g < school::kGrades; ++g) {
            for (int c = 0; c < school::kMaxClasses; ++c) {
                for (const timetable::CourseEntry& e : s.data.classList(g, c).entries) {
                    if (!e.course.empty()) {
                        courses.push_back(
                            {school::className(g, c + 1), e.course, e.teacher, e.weekly});
                    }
                }
            }
        }
        store::CCCRecord().append(courses);
        std::vector<store::CourseshareRow> shares;
        for (const timetable::SubjectResource& r : s.data.resources) {
            shares.push_back({r.course, r.limit});
        }
        store::CCSRecord().append(shares);
        std::vector<store::LessonprearrangeRow> presets;
        for (const timetable::TeacherPreset& p : s.data.presets) {
            presets.push_back({p.teacher, p.mask});
        }
        store::CLPRecord().append(presets);
        std::vector<store::SamelessonRow> unified;
        for (const timetable::UnifiedCourse& u : s.data.sameLessons) {
            unified.push_back({u.grade, u.day, u.period, u.course});
        }
        store::CSLRecord().append(unified);
        timetable::saveSchoolTimetable(s.timetable);
    }
    ~SchoolDatabase() {
        store::useDataSource();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

private:
    std::filesystem::path m_dir;
};

void BM_GradelessonOpen(benchmark::State& state) {
    SchoolDatabase database;
    SilentMessenger messenger;
    for (auto _ : state) {
        arrange::Gradelesson logic(messenger);
        benchmark::DoNotOptimize(logic.view());
    }
}

void BM_GradelessonRedraw(benchmark::State& state) {
    SilentMessenger messenger;
    const bench::School& s = bench::school20();
    arrange::Gradelesson logic(messenger, s.timetable, s.data);
    for (auto _ : state) {
        logic.nextDay();
        benchmark::DoNotOptimize(logic.view());
    }
}

void BM_GradelessonExchange(benchmark::State& state) {
    SilentMessenger messenger;
    const bench::School& s = bench::school20();
    arrange::Gradelesson logic(messenger, s.timetable, s.data);
    for (auto _ : state) {
        logic.clickCell(3, 2);
        logic.clickCell(3, 5);
        benchmark::DoNotOptimize(logic.view());
    }
}

BENCHMARK(BM_GradelessonOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradelessonRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradelessonExchange)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
