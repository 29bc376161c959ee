// The web site and the calendars of a whole school: 120 class pages (six grades of twenty
// classes, 35 lessons each) and 250 teacher pages, written into a temporary folder that each
// run replaces.
#include "publish/CalendarOutput.h"
#include "publish/SiteOutput.h"

#include "core/SchoolNames.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace fs = std::filesystem;
using publish::Page;
using publish::PageKind;

namespace {

constexpr int kTeachers = 250;
const char* const kCourses[] = {"语文", "数学", "英语", "物理", "化学", "生物", "历史", "地理"};

Page weekPage(PageKind kind, const std::string& name, const std::string& grade) {
    Page page;
    page.kind = kind;
    page.name = name;
    page.grade = grade;
    page.title = "实验中学 " + name + " 课程表";
    page.corner = "节次";
    for (const auto day : school::kDayNames)
        page.columnHeads.emplace_back(day);
    page.rowGroups = {{"上午", 0, 4}, {"下午", 4, 3}};
    for (const auto period : school::kPeriodNames)
        page.rowHeads.push_back({std::string(period), "08:00-08:45"});
    page.cells.assign(7, std::vector<publish::Lines>(5));
    page.notes = {"制表：教务处"};
    return page;
}

std::vector<Page> school() {
    std::vector<Page> pages;
    std::vector<Page> teachers;
    for (int t = 0; t < kTeachers; ++t)
        teachers.push_back(weekPage(PageKind::Teacher, "教师" + std::to_string(t + 1), "初一"));
    int lesson = 0;
    for (int g = 0; g < school::kGrades; ++g)
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            const std::string name = school::className(g, c);
            Page page = weekPage(PageKind::Class, name,
                                 std::string(school::kGradeNames[static_cast<std::size_t>(g)]));
            for (int day = 0; day < school::kDays; ++day)
                for (int period = 1; period <= school::kPeriods; ++period, ++lesson) {
                    const std::string course = kCourses[lesson % 8];
                    Page& teacher = teachers[static_cast<std::size_t>(lesson % kTeachers)];
                    page.lessons.push_back({day, period, course, name, teacher.name});
                    page.cells[static_cast<std::size_t>(period - 1)]
                              [static_cast<std::size_t>(day)] = {course, teacher.name};
                    teacher.lessons.push_back(page.lessons.back());
                    teacher.cells[static_cast<std::size_t>(period - 1)]
                                 [static_cast<std::size_t>(day)] = {course, name};
                }
            pages.push_back(std::move(page));
        }
    pages.insert(pages.end(), teachers.begin(), teachers.end());
    return pages;
}

school::SchoolSettings settings() {
    school::SchoolSettings s;
    s.schoolName = "实验中学";
    s.weekOneMonday = "2024-09-02";
    for (auto& period : s.periods)
        period = {"08:00", "08:45", period.afternoon};
    return s;
}

fs::path target(const char* name) {
    return fs::temp_directory_path() / name;
}

void BM_Site(benchmark::State& state) {
    const std::vector<Page> pages = school();
    for (auto _ : state)
        publish::writeSite(pages, target("tavlen-bench-site"), true);
    fs::remove_all(target("tavlen-bench-site"));
}
BENCHMARK(BM_Site)->Unit(benchmark::kMillisecond);

void BM_Calendars(benchmark::State& state) {
    const std::vector<Page> pages = school();
    const school::SchoolSettings s = settings();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            publish::writeCalendars(pages, s, 18, target("tavlen-bench-ics"), true));
    fs::remove_all(target("tavlen-bench-ics"));
}
BENCHMARK(BM_Calendars)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
