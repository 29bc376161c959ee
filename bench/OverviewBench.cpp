// The main window's overview refreshed on the generated 6 × 20 school (BenchSchool.h) stored in
// a SQLite file: every table it reads (the class plans of 120 classes, the saved timetable of
// all grades, 2,400 attendance records, 1,200 duty rows …) read through the record sets, every
// grade judged by the arrangement's report, the next step found and the text written — what
// happens each time a dialog closes. The label's own drawing is not included.
//   build/bench/bench_overview --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "BenchSchool.h"
#include "TempDatabase.h"

#include "core/SchoolNames.h"
#include "overview/NextStep.h"
#include "overview/OverviewText.h"
#include "overview/SchoolStanding.h"
#include "store/CATRecord.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCSRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CLPRecord.h"
#include "store/CSLRecord.h"
#include "store/CSORecord.h"
#include "store/CTNRecord.h"
#include "supervise/DutyTimes.h"
#include "timetable/SchoolTimetableStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

void storeSchool(const bench::School& s) {
    std::vector<store::ClasscourseRow> plans;
    std::vector<store::CourseteacherRow> courseTeachers;
    std::set<std::string> teachers;
    std::vector<std::string> courses;
    for (const auto& grade : s.data.classes) {
        for (const auto& list : grade) {
            for (const auto& entry : list.entries) {
                if (entry.course.empty()) {
                    continue;
                }
                plans.push_back({list.className, entry.course, entry.teacher, entry.weekly});
                if (teachers.insert(entry.teacher).second) {
                    courseTeachers.push_back({entry.course, entry.teacher});
                }
                if (std::find(courses.begin(), courses.end(), entry.course) == courses.end()) {
                    courses.push_back(entry.course);
                }
            }
        }
    }
    store::CCCRecord().replaceAll(plans);
    store::CCTRecord().replaceAll(courseTeachers);
    std::vector<store::CoursenameRow> names;
    for (const std::string& course : courses) {
        names.push_back({course});
    }
    store::CCNRecord().replaceAll(names);
    std::vector<store::TeachernameRow> roster;
    for (const std::string& teacher : teachers) {
        if (roster.size() < 200) {
            roster.push_back({teacher});
        }
    }
    store::CTNRecord().replaceAll(roster);

    std::vector<store::GradeclassRow> classes;
    std::vector<store::GradecourseRow> gradePlans;
    std::vector<store::SamelessonRow> same;
    std::vector<store::SuperviseRow> duty;
    for (int g = 0; g < school::kGrades; ++g) {
        const std::string grade(school::kGradeNames[static_cast<std::size_t>(g)]);
        classes.push_back({grade, school::kMaxClasses});
        for (const std::string& course : courses) {
            gradePlans.push_back({grade, course, 2, 0});
        }
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            for (std::size_t t = 0; t < 10; ++t) {
                duty.push_back({school::className(g, c), std::string(supervise::kDutyTimes[t]),
                                *teachers.begin()});
            }
        }
    }
    for (const auto& row : s.data.sameLessons) {
        same.push_back({row.grade, row.day, row.period, row.course});
    }
    store::CGSRecord().replaceAll(classes);
    store::CGCRecord().replaceAll(gradePlans);
    store::CSLRecord().replaceAll(same);
    store::CSORecord().replaceAll(duty);
    std::vector<store::CourseshareRow> shares;
    for (const auto& resource : s.data.resources) {
        shares.push_back({resource.course, resource.limit});
    }
    store::CCSRecord().replaceAll(shares);
    std::vector<store::LessonprearrangeRow> presets;
    for (const auto& preset : s.data.presets) {
        presets.push_back({preset.teacher, preset.mask});
    }
    store::CLPRecord().replaceAll(presets);

    std::vector<store::AttendanceRow> attendance;
    for (int i = 0; i < 2400; ++i) {
        store::AttendanceRow row;
        row.teacher = *std::next(teachers.begin(), i % 100);
        row.week = std::to_string(i % 20 + 1);
        row.className = school::className(i % 6, i % 20 + 1);
        row.weekday = std::string(school::kDayNames[static_cast<std::size_t>(i % 5)]);
        row.period = std::string(school::kPeriodNames[static_cast<std::size_t>(i % 7)]);
        row.kind = "事  假";
        attendance.push_back(row);
    }
    store::CATRecord().replaceAll(attendance);
    timetable::saveSchoolTimetable(s.timetable);
}

void BM_OverviewRefresh(benchmark::State& state) {
    testsupport::TempDatabase db;
    storeSchool(bench::school20());
    std::size_t length = 0;
    for (auto _ : state) {
        const overview::Standing standing = overview::readStanding();
        length = overview::overviewHtml(standing, overview::nextStep(standing)).size();
        benchmark::DoNotOptimize(length);
    }
    state.counters["html_bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_OverviewRefresh)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
