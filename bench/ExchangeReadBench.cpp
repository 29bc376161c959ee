// Reading a whole school's workbook: 120 classes × 20 rows of 课务分工 (2,400 rows of class,
// course, teacher and weekly count) and a 教师 sheet of 250 teachers, written once here with
// libxlsxwriter (shared strings, as Excel saves them) into a temporary folder, then read as
// the import reads it, from the file.
#include "exchange/WorkbookReader.h"

#include "core/SampleNames.h"
#include "core/SchoolNames.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kCourses = {"语文", "数学", "英语", "物理", "化学",
                                           "生物", "历史", "地理", "政治", "信息技术"};
constexpr int kTeachers = 250;
constexpr int kRowsPerClass = 20;

std::string writeSchool(const std::string& path) {
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* plan = workbook_add_worksheet(book, "课务分工");
    const char* header[] = {"班级", "学科", "教师", "周课时"};
    for (lxw_col_t c = 0; c < 4; ++c)
        worksheet_write_string(plan, 0, c, header[c], nullptr);
    lxw_row_t row = 1;
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 1; c <= school::kMaxClasses; ++c) {
            const std::string name = school::className(g, c);
            for (int k = 0; k < kRowsPerClass; ++k, ++row) {
                const auto course = static_cast<std::size_t>(k) % kCourses.size();
                worksheet_write_string(plan, row, 0, name.c_str(), nullptr);
                worksheet_write_string(plan, row, 1, kCourses[course].c_str(), nullptr);
                const int teacher = (g * 40 + c * 3 + k) % kTeachers;
                worksheet_write_string(plan, row, 2, school::sampleTeacherName(teacher).c_str(),
                                       nullptr);
                worksheet_write_number(plan, row, 3, 1 + k % 6, nullptr);
            }
        }
    }
    lxw_worksheet* teachers = workbook_add_worksheet(book, "教师");
    worksheet_write_string(teachers, 0, 0, "姓名", nullptr);
    worksheet_write_string(teachers, 0, 1, "学科", nullptr);
    for (int t = 0; t < kTeachers; ++t) {
        const auto r = static_cast<lxw_row_t>(t + 1);
        worksheet_write_string(teachers, r, 0, school::sampleTeacherName(t).c_str(), nullptr);
        const std::string subjects = kCourses[static_cast<std::size_t>(t) % kCourses.size()] +
                                     "、" +
                                     kCourses[static_cast<std::size_t>(t + 3) % kCourses.size()];
        worksheet_write_string(teachers, r, 1, subjects.c_str(), nullptr);
    }
    workbook_close(book);
    return path;
}

void BM_ReadSchoolWorkbook(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string path =
        writeSchool(folder.filePath(QStringLiteral("school.xlsx")).toStdString());
    std::size_t rows = 0;
    for (auto _ : state) {
        const exchange::Workbook book = exchange::readWorkbook(path);
        rows = book.sheets.at(0).rows.size() + book.sheets.at(1).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReadSchoolWorkbook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
