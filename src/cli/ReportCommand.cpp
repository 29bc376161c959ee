#include "cli/ReportCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "cli/ReportOutput.h"
#include "reports/ReportTitles.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include <CLI/CLI.hpp>

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

// The command line as given, each value still to be checked.
struct Given {
    std::string kind;
    std::string data;
    std::string output;
    std::string pdf;
    std::string title;
    std::string days;
    bool titleGiven = false;
};

constexpr const char* kKinds = "weekly, monthly, term, teachers, supervise, lessons, lessonr, "
                               "weekwork";

// Checks the command line; says what is wrong (a usage error) and returns nullopt.
std::optional<Options> parseOptions(const Given& given, std::ostream& err) {
    const auto wrong = [&err](const std::string& problem) {
        usageError(err, "report", problem);
        return std::nullopt;
    };
    if (given.kind.empty()) {
        return wrong(std::string("缺少报表种类（") + kKinds + "）");
    }
    Options options;
    const std::optional<ReportKind> kind = reports::kindFromCliName(given.kind);
    if (!kind) {
        return wrong("未知的报表种类“" + given.kind + "”（应为 " + kKinds + "）");
    }
    options.kind = *kind;
    options.data = given.data;
    if (!given.output.empty()) {
        options.targets.output = given.output;
    }
    if (!given.pdf.empty()) {
        options.targets.pdf = given.pdf;
    }
    if (given.titleGiven) {
        options.title = given.title;
    }
    if (!given.days.empty()) {
        options.days = parseInt(given.days);
        if (!options.days || *options.days < 0 || *options.days > 10) {
            return wrong("--days 应为0到10的整数：" + given.days);
        }
    }
    if (options.data.empty()) {
        return wrong("缺少 --data FILE.tsv");
    }
    if (!options.targets.output && !options.targets.pdf) {
        return wrong("缺少 -o OUT 或 --pdf OUT.pdf");
    }
    if (options.kind == ReportKind::ReviewTimetable && !options.days) {
        return wrong("lessonr 需要 --days D（复习天数 0 到 10）");
    }
    options.targets.inputs.push_back(options.data);
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
    std::string bytes;
    if (std::string error = readInputFile(options.data.string(), "数据文件", bytes);
        !error.empty()) {
        return error;
    }
    std::istringstream in(bytes);
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

std::string reportUsage() {
    return std::string("usage: tavlen-cli report KIND --data FILE.tsv -o OUT [--pdf OUT.pdf] "
                       "[--title TEXT] [--days D]\n  KIND: ") +
           kKinds + "\n";
}

Run defineReport(CLI::App& command) {
    const auto given = std::make_shared<Given>();
    addText(command, "KIND", given->kind, "KIND", std::string("报表种类：") + kKinds);
    addText(command, "--data", given->data, "FILE.tsv",
            "UTF-8 的 TSV 数据文件（普通文件，至多 64 MiB）");
    addText(command, "-o", given->output, "OUT", "写出 GBK 的报表文档，如“表格导出”");
    addText(command, "--pdf", given->pdf, "OUT.pdf", "把打印的页面画进 PDF 文件，如“打印”");
    command.add_option("--title", given->title, kTitleHelp)
        ->type_name("TEXT")
        ->allow_extra_args(false)
        ->each([given](const std::string&) { given->titleGiven = true; });
    addText(command, "--days", given->days, "D", "lessonr 的复习天数（0 到 10）");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "report")) {
            return 2;
        }
        const std::optional<Options> options = parseOptions(*given, err);
        if (!options) {
            return 2;
        }
        reports::ReportTable table;
        if (const std::string error = readTable(*options, table); !error.empty()) {
            err << kPrefix << error << '\n';
            return 1;
        }
        const std::string title =
            options->title ? *options->title : defaultTitle(options->kind, table);
        return writeReport(options->kind, table, title, options->targets, kPrefix, out, err);
    };
}

} // namespace cli
