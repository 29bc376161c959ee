#include "cli/ReportCommand.h"

#include "cli/ReportOutput.h"
#include "reports/ReportTitles.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace cli {
namespace {

namespace fs = std::filesystem;
using reports::ReportKind;

constexpr const char* kPrefix = "tavlen-cli report: ";

struct Options {
    ReportKind kind = ReportKind::Weekly;
    fs::path data;
    ReportTargets targets;
    std::optional<std::string> title;
    std::optional<int> days;
};

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Parses the arguments; prints the problem and returns nullopt when they are wrong.
std::optional<Options> parseOptions(const Args& args, std::ostream& err) {
    if (args.empty()) {
        err << kPrefix
            << "缺少报表种类（weekly, monthly, term, teachers, supervise, lessons, "
               "lessonr, weekwork）\n";
        return std::nullopt;
    }
    Options options;
    const std::optional<ReportKind> kind = reports::kindFromCliName(args[0]);
    if (!kind) {
        err << kPrefix << "未知的报表种类“" << args[0] << "”\n";
        return std::nullopt;
    }
    options.kind = *kind;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            err << kPrefix << "选项 " << option << " 缺少参数\n";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == "--data") {
            options.data = value;
        } else if (option == "-o") {
            options.targets.output = value;
        } else if (option == "--pdf") {
            options.targets.pdf = value;
        } else if (option == "--title") {
            options.title = value;
        } else if (option == "--days") {
            options.days = parseInt(value);
            if (!options.days || *options.days < 0 || *options.days > 10) {
                err << kPrefix << "--days 应为0到10的整数：" << value << '\n';
                return std::nullopt;
            }
        } else {
            err << kPrefix << "未知的选项 " << option << '\n';
            return std::nullopt;
        }
    }
    if (options.data.empty()) {
        err << kPrefix << "缺少 --data FILE.tsv\n";
        return std::nullopt;
    }
    if (!options.targets.output && !options.targets.pdf) {
        err << kPrefix << "缺少 -o OUT 或 --pdf OUT.pdf\n";
        return std::nullopt;
    }
    if (options.kind == ReportKind::ReviewTimetable && !options.days) {
        err << kPrefix << "lessonr 需要 --days D（复习天数 0 到 10）\n";
        return std::nullopt;
    }
    return options;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

// Reads the TSV into the table the kind uses. Returns an error text, empty on success.
std::string readTable(const Options& options, reports::ReportTable& table) {
    std::ifstream in(options.data, std::ios::binary);
    if (!in) {
        return "无法读取数据文件“" + options.data.string() + "”";
    }
    const std::size_t values = options.kind == ReportKind::Weekly ? 6 : 9;
    const std::size_t days = options.days ? static_cast<std::size_t>(*options.days) : 5;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        const std::string where = options.data.string() + " 第" + std::to_string(number) + "行：";
        std::vector<std::string> fields = splitTabs(line);
        switch (options.kind) {
        case ReportKind::Weekly:
        case ReportKind::Monthly:
        case ReportKind::Term: {
            if (fields.size() != values + 1) {
                return where + "应有名字和" + std::to_string(values) + "个数值，实有" +
                       std::to_string(fields.size()) + "列";
            }
            reports::CountEntry entry{fields[0], {}};
            for (std::size_t j = 1; j < fields.size(); ++j) {
                long long value = 0;
                const std::string& text = fields[j];
                const auto [end, ec] =
                    std::from_chars(text.data(), text.data() + text.size(), value);
                if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
                    return where + "“" + text + "”不是整数";
                }
                entry.values.push_back(value);
            }
            table.counts.push_back(std::move(entry));
            break;
        }
        case ReportKind::TeacherList:
        case ReportKind::DutyRoster: {
            const std::size_t cells = options.kind == ReportKind::TeacherList ? 20 : 15;
            const std::size_t rows = options.kind == ReportKind::TeacherList ? 20 : 120;
            if (fields.size() > cells) {
                return where + "最多" + std::to_string(cells) + "列，实有" +
                       std::to_string(fields.size()) + "列";
            }
            if (table.grid.size() >= rows) {
                return where + "最多" + std::to_string(rows) + "行";
            }
            table.grid.push_back(std::move(fields));
            break;
        }
        case ReportKind::GradeTimetable:
        case ReportKind::ReviewTimetable: {
            const std::size_t cells = options.kind == ReportKind::GradeTimetable ? 35 : 7 * days;
            if (fields.size() > cells + 1) {
                return where + "应有班级名和最多" + std::to_string(cells) + "节课，实有" +
                       std::to_string(fields.size() - 1) + "节";
            }
            if (table.classes.size() >= 20) {
                return where + "一个年段最多20个班";
            }
            reports::ClassTimetable row{fields[0], {fields.begin() + 1, fields.end()}};
            table.classes.push_back(std::move(row));
            break;
        }
        case ReportKind::LessonCounts:
            if (fields.size() != 3) {
                return where + "应有教师、学科和周课时3列，实有" + std::to_string(fields.size()) +
                       "列";
            }
            table.grid.push_back(std::move(fields));
            break;
        }
    }
    if (options.days) {
        table.reviewDays = *options.days;
    }
    return {};
}

// The title a dialog would print when --title is not given.
std::string defaultTitle(ReportKind kind, const reports::ReportTable& table) {
    auto cell = [&table](std::size_t row, std::size_t column) {
        return row < table.grid.size() && column < table.grid[row].size() ? table.grid[row][column]
                                                                          : std::string();
    };
    switch (kind) {
    case ReportKind::Weekly:
        return "出勤情况";
    case ReportKind::Monthly:
    case ReportKind::Term:
        return reports::termTitle();
    case ReportKind::TeacherList:
        return reports::teacherListTitle(cell(1, 0));
    case ReportKind::DutyRoster:
        return reports::dutyRosterTitle(cell(0, 0));
    case ReportKind::GradeTimetable:
    case ReportKind::ReviewTimetable:
        if (table.classes.empty()) {
            return reports::gradeTimetableTitle("");
        }
        return reports::gradeTimetableTitle(
            table.classes[std::min<std::size_t>(2, table.classes.size() - 1)].className);
    case ReportKind::LessonCounts:
        return reports::lessonCountsTitle();
    }
    return {};
}

} // namespace

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
    const std::optional<Options> options = parseOptions(args, err);
    if (!options) {
        return 2;
    }
    reports::ReportTable table;
    if (const std::string error = readTable(*options, table); !error.empty()) {
        err << kPrefix << error << '\n';
        return 1;
    }
    const std::string title = options->title ? *options->title : defaultTitle(options->kind, table);
    return writeReport(options->kind, table, title, options->targets, kPrefix, out, err);
}

} // namespace cli
