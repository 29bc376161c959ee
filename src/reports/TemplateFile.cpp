#include "reports/TemplateFile.h"

#include "core/Gbk.h"
#include "reports/DocumentFile.h"

namespace reports {
namespace {

// A rule of the lesson-count frame: the columns are 10, 10 and 6 bytes wide.
std::string countsRule(const char* left, const char* middle, const char* right) {
    std::string line = left;
    for (const int cells : {5, 5, 3}) {
        for (int i = 0; i < cells; ++i) {
            line += "─";
        }
        line += cells == 3 ? right : middle;
    }
    return line + "\r\n";
}

std::string lessonCountsFrame() {
    constexpr int kRows = 50;
    std::string frame = countsRule("┌", "┬", "┐");
    frame += "│教师      │学科      │周课时│\r\n";
    frame += countsRule("├", "┼", "┤");
    for (int row = 0; row < kRows; ++row) {
        frame += "│          │          │      │\r\n";
    }
    frame += countsRule("└", "┴", "┘");
    return gbk::toGbk(frame).value_or(std::string());
}

} // namespace

std::string builtInTemplate(ReportKind kind) {
    return kind == ReportKind::LessonCounts ? lessonCountsFrame() : std::string();
}

std::filesystem::path templatePath(ReportKind kind, const std::filesystem::path& workDir) {
    return workDir / kDataDir / layoutOf(kind).templateName;
}

TemplateResult readTemplate(ReportKind kind, const std::filesystem::path& workDir) {
    const ReportLayout& layout = layoutOf(kind);
    if (layout.templateName.empty()) {
        return {builtInTemplate(kind), {}};
    }
    const std::filesystem::path path = templatePath(kind, workDir);
    std::string bytes;
    if (std::string error = readFile(path, bytes, "报表模板", layout.templateSize);
        !error.empty()) {
        return {{}, std::move(error)};
    }
    if (bytes.size() < layout.templateSize) {
        return {{},
                "报表模板“" + path.string() + "”不完整：只有" + std::to_string(bytes.size()) +
                    "字节，应有" + std::to_string(layout.templateSize) + "字节。"};
    }
    return {std::move(bytes), {}};
}

} // namespace reports
