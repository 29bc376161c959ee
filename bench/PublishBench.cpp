// Publishing a whole school: the generated 6 × 20 school (BenchSchool.h, every grade
// arranged) built into its pages by the real builders and written as PDF, workbook, web site
// and calendars, each case building and writing everything, as `tavlen-cli publish` does
// after reading the tables; and one class page built and drawn into a PDF. Files go to a
// temporary folder each run replaces.
//   build/bench/bench_publish --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "BenchSchool.h"
#include "publish/CalendarOutput.h"
#include "publish/PageBuilder.h"
#include "publish/PdfOutput.h"
#include "publish/SiteOutput.h"
#include "publish/WorkbookOutput.h"
#include "timetable/TimetableRules.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const publish::SchoolSource& source() {
    static const publish::SchoolSource built = [] {
        publish::SchoolSource s;
        s.data = bench::school20().data;
        s.teachers = timetable::inTeacherNames(s.data, bench::school20().timetable);
        s.settings.schoolName = "实验中学";
        s.settings.weekOneMonday = "2024-09-02";
        const char* times[7][2] = {{"08:00", "08:45"}, {"08:55", "09:40"}, {"10:00", "10:45"},
                                   {"10:55", "11:40"}, {"14:30", "15:15"}, {"15:25", "16:10"},
                                   {"16:20", "17:05"}};
        for (std::size_t p = 0; p < 7; ++p)
            s.settings.periods[p] = {times[p][0], times[p][1], p >= 4};
        return s;
    }();
    return built;
}

std::vector<publish::Page> weeks() {
    std::vector<publish::Page> pages = publish::classPages(source(), std::nullopt);
    for (publish::Page& page : publish::teacherPages(source(), std::nullopt))
        pages.push_back(std::move(page));
    return pages;
}

std::vector<publish::Page> everything() {
    std::vector<publish::Page> pages = weeks();
    for (auto* build : {publish::overviewPages, publish::assignmentPages}) {
        for (publish::Page& page : build(source(), std::nullopt))
            pages.push_back(std::move(page));
    }
    return pages;
}

template <class Write> void run(benchmark::State& state, Write write) {
    QTemporaryDir dir;
    const fs::path target = fs::path(dir.path().toStdString()) / "out";
    std::size_t pages = 0;
    for (auto _ : state) {
        pages = write(target);
    }
    state.counters["pages"] = static_cast<double>(pages);
}

void BM_OneClassPagePdf(benchmark::State& state) {
    run(state, [](const fs::path& target) {
        const std::vector<publish::Page> one = {*publish::classPage(source(), 2, 7)};
        publish::writePdf(one, target, true);
        return one.size();
    });
}
BENCHMARK(BM_OneClassPagePdf)->Unit(benchmark::kMillisecond);

void BM_BuildAllPages(benchmark::State& state) {
    run(state, [](const fs::path&) { return everything().size(); });
}
BENCHMARK(BM_BuildAllPages)->Unit(benchmark::kMillisecond);

void BM_SchoolPdf(benchmark::State& state) {
    run(state, [](const fs::path& target) {
        const auto pages = weeks();
        publish::writePdf(pages, target, true);
        return pages.size();
    });
}
BENCHMARK(BM_SchoolPdf)->Unit(benchmark::kMillisecond);

void BM_SchoolWorkbook(benchmark::State& state) {
    run(state, [](const fs::path& target) {
        const auto pages = everything();
        publish::writeWorkbook(pages, target, true);
        return pages.size();
    });
}
BENCHMARK(BM_SchoolWorkbook)->Unit(benchmark::kMillisecond);

void BM_SchoolSite(benchmark::State& state) {
    run(state, [](const fs::path& target) {
        const auto pages = everything();
        publish::writeSite(pages, target, true);
        return pages.size();
    });
}
BENCHMARK(BM_SchoolSite)->Unit(benchmark::kMillisecond);

void BM_SchoolCalendars(benchmark::State& state) {
    run(state, [](const fs::path& target) {
        const auto pages = weeks();
        publish::writeCalendars(pages, source().settings, 18, target, true);
        return pages.size();
    });
}
BENCHMARK(BM_SchoolCalendars)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
