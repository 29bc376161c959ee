// A full school's workbook (6 grades of 20 classes, 20 courses, 250 teachers, 2,400 课务分工
// rows) checked and previewed in memory, and imported (替换) into a SQLite file. The roster
// holds at most 200 teachers, so 250 are refused with that one error: the check runs over all
// 250, the import over a roster of 200 (the same 2,400 rows).
#include "TempDatabase.h"
#include "exchange/ImportWrite.h"
#include "store/TableWatch.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kCourses = 20;

std::string courseName(int k) {
    return "课程" + std::to_string(10 + k);
}

std::string teacherName(int t) {
    return "教师" + std::to_string(100 + t);
}

exchange::Workbook fullSchool(int teacherCount) {
    exchange::Workbook w;
    exchange::Sheet courses{"课程", false, {{"课程"}}, {}};
    exchange::Sheet teachers{"教师", false, {{"姓名", "学科"}}, {}};
    exchange::Sheet classes{"班级", false, {{"年段", "班级数"}}, {}};
    exchange::Sheet plans{"年段课程", false, {{"年段", "学科", "周课时"}}, {}};
    exchange::Sheet duties{"课务分工", false, {{"班级", "学科", "教师", "周课时"}}, {}};
    for (int k = 0; k < kCourses; ++k) {
        courses.rows.push_back({courseName(k)});
    }
    for (int t = 0; t < teacherCount; ++t) {
        teachers.rows.push_back({teacherName(t), courseName(t % kCourses)});
    }
    for (int g = 0; g < school::kGrades; ++g) {
        const std::string grade(school::kGradeNames[static_cast<std::size_t>(g)]);
        classes.rows.push_back({grade, "20"});
        for (int k = 0; k < kCourses; ++k) {
            plans.rows.push_back({grade, courseName(k), k < 10 ? "2" : "1"});
        }
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            for (int k = 0; k < kCourses; ++k) {
                const int teacher = ((g * school::kMaxClasses + c) * kCourses + k) % teacherCount;
                duties.rows.push_back({grade + std::to_string(c) + "班", courseName(k),
                                       teacherName(teacher), k < 10 ? "2" : "1"});
            }
        }
    }
    w.sheets = {courses, teachers, classes, plans, duties};
    return w;
}

void BM_CheckAndPreview(benchmark::State& state) {
    const exchange::Workbook workbook = fullSchool(250);
    for (auto _ : state) {
        const exchange::ImportPlan plan =
            exchange::planImport(workbook, exchange::SchoolTables{}, exchange::ImportMode::Replace);
        benchmark::DoNotOptimize(exchange::previewLines(plan));
        if (plan.count(exchange::Severity::Error) != 1) {
            state.SkipWithError(exchange::problemLine(plan.problems.front()).c_str());
        }
    }
}
BENCHMARK(BM_CheckAndPreview)->Unit(benchmark::kMillisecond);

void BM_ImportIntoSqlite(benchmark::State& state) {
    const exchange::Workbook workbook = fullSchool(200);
    testsupport::TempDatabase db;
    for (auto _ : state) {
        state.PauseTiming();
        db.execute("DELETE FROM coursename");
        db.execute("DELETE FROM teachername");
        db.execute("DELETE FROM courseteacher");
        db.execute("DELETE FROM gradeclass");
        db.execute("DELETE FROM gradecourse");
        db.execute("DELETE FROM classcourse");
        store::tablewatch::forgetAll(); // the deletes are no other program's save
        state.ResumeTiming();
        // read, check, preview and write, as tavlen-cli import does
        const exchange::ImportPlan plan =
            exchange::importWorkbook(workbook, exchange::ImportMode::Replace, true);
        if (plan.hasErrors()) {
            state.SkipWithError(exchange::problemLine(plan.problems.front()).c_str());
        }
    }
}
BENCHMARK(BM_ImportIntoSqlite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
