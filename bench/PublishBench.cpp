// The publishing outputs on a whole school's pages: one class page to PDF, and the PDF and
// the workbook of 120 class weeks and 250 teacher weeks, made by a small generator here
// (6 grades × 20 classes, each class's week of course over teacher, each teacher's week of
// class over course). Files go to a temporary folder that is removed afterwards.
#include "publish/PdfOutput.h"
#include "publish/WorkbookOutput.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kGrades = {"初一", "初二", "初三", "高一", "高二", "高三"};
const std::vector<std::string> kNumbers = {"⑴", "⑵", "⑶", "⑷", "⑸", "⑹", "⑺", "⑻", "⑼", "⑽",
                                           "⑾", "⑿", "⒀", "⒁", "⒂", "⒃", "⒄", "⒅", "⒆", "⒇"};
const std::vector<std::string> kDays = {"星期一", "星期二", "星期三", "星期四", "星期五"};
const std::vector<std::string> kPeriods = {"第一节", "第二节", "第三节", "第四节",
                                           "第五节", "第六节", "第七节"};
const std::vector<std::string> kCourses = {"语文", "数学", "英语", "物理", "化学",
                                           "生物", "历史", "地理", "政治", "信息技术"};
constexpr int kTeachers = 250;

std::string teacher(std::size_t n) {
    static const std::vector<std::string> family = {"王", "李", "张", "刘", "陈",
                                                    "杨", "赵", "黄", "周", "吴"};
    static const std::vector<std::string> given = {"伟", "芳", "娜", "敏", "静",
                                                   "丽", "强", "磊", "军", "洋"};
    return family[n % 10] + given[(n / 10) % 10] + given[(n / 100) % 10];
}

publish::Page week(publish::PageKind kind, const std::string& name, std::size_t seed) {
    publish::Page page;
    page.kind = kind;
    page.name = name;
    page.title =
        "实验中学 " + name + (kind == publish::PageKind::Class ? "班课程表" : "老师课程表");
    page.corner = "节次";
    page.columnHeads = kDays;
    page.rowGroups = {{"上午", 0, 4}, {"下午", 4, 3}};
    for (std::size_t p = 0; p < kPeriods.size(); ++p) {
        page.rowHeads.push_back({kPeriods[p], std::to_string(8 + p) + ":00"});
        std::vector<publish::Lines> row;
        for (std::size_t d = 0; d < kDays.size(); ++d) {
            const std::size_t k = seed + p * 5 + d;
            if (kind == publish::PageKind::Teacher && k % 3 != 0) {
                row.emplace_back();
            } else if (kind == publish::PageKind::Teacher) {
                row.push_back({kGrades[k % 6] + kNumbers[k % 20], kCourses[seed % 10]});
            } else {
                row.push_back({kCourses[k % 10], teacher(k % kTeachers)});
            }
        }
        page.cells.push_back(row);
    }
    page.notes = {"每周课时：35"};
    return page;
}

std::vector<publish::Page> school() {
    std::vector<publish::Page> pages;
    for (std::size_t g = 0; g < kGrades.size(); ++g) {
        for (std::size_t c = 0; c < kNumbers.size(); ++c) {
            pages.push_back(week(publish::PageKind::Class, kGrades[g] + kNumbers[c], g * 20 + c));
        }
    }
    for (std::size_t t = 0; t < kTeachers; ++t) {
        pages.push_back(week(publish::PageKind::Teacher, teacher(t), t));
    }
    return pages;
}

void BM_ClassPagePdf(benchmark::State& state) {
    QTemporaryDir dir;
    const std::vector<publish::Page> pages = {week(publish::PageKind::Class, "初一⑴", 0)};
    const std::string target = dir.path().toStdString() + "/class.pdf";
    for (auto _ : state) {
        publish::writePdf(pages, target, true);
    }
}
BENCHMARK(BM_ClassPagePdf)->Unit(benchmark::kMillisecond);

void BM_SchoolPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const std::vector<publish::Page> pages = school();
    const std::string target = dir.path().toStdString() + "/school.pdf";
    for (auto _ : state) {
        publish::writePdf(pages, target, true);
    }
}
BENCHMARK(BM_SchoolPdf)->Unit(benchmark::kMillisecond);

void BM_SchoolWorkbook(benchmark::State& state) {
    QTemporaryDir dir;
    const std::vector<publish::Page> pages = school();
    const std::string target = dir.path().toStdString() + "/school.xlsx";
    for (auto _ : state) {
        publish::writeWorkbook(pages, target, true);
    }
}
BENCHMARK(BM_SchoolWorkbook)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
