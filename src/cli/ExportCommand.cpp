#include "cli/ExportCommand.h"

#include "arrange/GradelessonReport.h"
#include "arrange/ReviewStore.h"
#include "arrange/SchoolTimetableStore.h"
#include "attendance/Attendancecount.h"
#include "attendance/Attendancemonth.h"
#include "attendance/StatisticsInput.h"
#include "attendance/WorkloadTable.h"
#include "cli/CommandSupport.h"
#include "cli/ReportOutput.h"
#include "maintain/GTBrowseReport.h"
#include "maintain/Weekwork.h"
#include "reports/ReportTitles.h"
#include "store/DbError.h"
#include "supervise/Supervisebrowse.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli export: ";

// What an export writes: the document's table and its print title, read from the database.
struct ExportDocument {
    reports::ReportKind kind;
    reports::ReportTable table;
    std::string title;
    std::string omitted{}; // what the document cannot hold, said on err; empty when all fits
};

// What an export reads: a document, or nothing after saying on err why (exit code 1).
using ReadDocument = std::function<std::optional<ExportDocument>(std::ostream& err)>;

// The operands of a kind: its positional arguments and the values of its own options.
struct Operands {
    Args positional;
    std::map<std::string, std::string> options; // "--week" → "5"
};

// A kind of export. prepare() checks the kind's operands before the database is opened:
// it returns how to read the document, or an empty function after saying on err what is
// wrong.
struct ExportKind {
    const char* name;
    const char* operands; // as the usage shows them
    const char* about;    // the usage's explanation of the operands
    ReadDocument (*prepare)(const Operands& operands, std::ostream& err);
    std::array<const char*, 3> options{}; // the options taking a value that the kind knows
};

// The one operand of the kinds that take a grade; says on err what is wrong with it.
std::optional<int> gradeOperand(const Operands& given, std::ostream& err) {
    const Args& operands = given.positional;
    if (operands.empty()) {
        err << kPrefix << "缺少年段\n";
        return std::nullopt;
    }
    if (operands.size() > 1) {
        err << kPrefix << "多余的参数 " << operands[1] << '\n';
        return std::nullopt;
    }
    const std::optional<int> grade = parseGrade(operands[0]);
    if (!grade) {
        err << kPrefix << "未知年段 " << operands[0] << '\n';
    }
    return grade;
}

ReadDocument prepareLessons(const Operands& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade](std::ostream&) -> std::optional<ExportDocument> {
        return ExportDocument{
            reports::ReportKind::GradeTimetable,
            arrange::gradeTimetableTable(arrange::loadSchoolTimetable(), grade),
            arrange::gradeTimetablePrintTitle(grade),
        };
    };
}

ReadDocument prepareTeachers(const Operands& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade](std::ostream&) -> std::optional<ExportDocument> {
        const maintain::GradeTeachers teachers = maintain::readGradeTeachers(grade);
        return ExportDocument{
            reports::ReportKind::TeacherList,
            maintain::teacherListTable(teachers),
            maintain::teacherListPrintTitle(grade),
            maintain::omittedText(teachers),
        };
    };
}

ReadDocument prepareReviewLessons(const Operands& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade](std::ostream&) -> std::optional<ExportDocument> {
        const school::ReviewTimetable timetable = arrange::loadReviewTimetable(grade);
        return ExportDocument{
            reports::ReportKind::ReviewTimetable,
            arrange::reviewTimetableTable(timetable, grade,
                                          arrange::loadedReviewDays(timetable, grade)),
            {},
        };
    };
}

// The statistics take no positional operand; says on err what is extra.
bool noPositional(const Operands& operands, std::ostream& err) {
    if (!operands.positional.empty()) {
        err << kPrefix << "多余的参数 " << operands.positional.front() << '\n';
        return false;
    }
    return true;
}

// The value of an option, "" when it is not given.
std::string optionValue(const Operands& operands, const std::string& option) {
    const auto found = operands.options.find(option);
    return found == operands.options.end() ? std::string() : found->second;
}

ReadDocument prepareWeeks(const Operands& operands, std::ostream& err) {
    using attendance::Attendancecount;
    if (!noPositional(operands, err)) {
        return {};
    }
    const std::optional<int> week = attendance::numberIn(
        optionValue(operands, "--week"), Attendancecount::kMinWeek, Attendancecount::kMaxWeek);
    if (!week) {
        err << kPrefix << "--week：" << Attendancecount::weekRangeMessage() << '\n';
        return {};
    }
    std::string activity = optionValue(operands, "--activity");
    if (activity.empty()) {
        activity = Attendancecount::activityNames().front();
    }
    const std::vector<std::string> activities = Attendancecount::activityNames();
    if (std::find(activities.begin(), activities.end(), activity) == activities.end()) {
        err << kPrefix << "未知的出勤类型“" << activity << "”\n";
        return {};
    }
    return [week = *week, activity](std::ostream&) -> std::optional<ExportDocument> {
        return ExportDocument{
            reports::ReportKind::Weekly,
            attendance::weekCountTable(attendance::readWeekCounts(week, activity)),
            reports::weeklyTitle(week, activity),
        };
    };
}

ReadDocument prepareMonths(const Operands& operands, std::ostream& err) {
    using attendance::Attendancemonth;
    if (!noPositional(operands, err)) {
        return {};
    }
    const Attendancemonth::Taken taken =
        Attendancemonth::take(optionValue(operands, "--month"), optionValue(operands, "--from"),
                              optionValue(operands, "--to"));
    if (!taken.input) {
        constexpr std::array<const char*, 3> options{"--month", "--from", "--to"};
        err << kPrefix << options[static_cast<std::size_t>(taken.refused)] << "：" << taken.message
            << '\n';
        return {};
    }
    // The stream given is stderr: where the reason goes when there is nothing to write.
    return [input = *taken.input](std::ostream& said) -> std::optional<ExportDocument> {
        const attendance::Workload workload = attendance::readWorkload(input.weeks);
        if (workload.attendanceEmpty) {
            said << kPrefix << Attendancemonth::kNoRecords << '\n';
            return std::nullopt;
        }
        return ExportDocument{
            reports::ReportKind::Monthly,
            attendance::workloadTable(workload),
            reports::monthlyTitle(input.month),
        };
    };
}

ReadDocument prepareTerm(const Operands& operands, std::ostream& err) {
    if (!noPositional(operands, err)) {
        return {};
    }
    return [](std::ostream&) -> std::optional<ExportDocument> {
        return ExportDocument{
            reports::ReportKind::Term,
            attendance::workloadTable(attendance::readWorkload(attendance::kTermWeeks)),
            reports::termTitle(),
        };
    };
}

ReadDocument prepareDutyRoster(const Operands& operands, std::ostream& err) {
    if (!noPositional(operands, err)) {
        return {};
    }
    return [](std::ostream&) -> std::optional<ExportDocument> {
        const supervise::DutyGrid grid = supervise::readDutyGrid();
        return ExportDocument{
            reports::ReportKind::DutyRoster,
            supervise::dutyRosterTable(grid),
            supervise::dutyRosterPrintTitle(grid),
        };
    };
}

ReadDocument prepareLessonCounts(const Operands& operands, std::ostream& err) {
    if (!noPositional(operands, err)) {
        return {};
    }
    return [](std::ostream&) -> std::optional<ExportDocument> {
        maintain::Weekwork counts;
        counts.count();
        return ExportDocument{
            reports::ReportKind::LessonCounts,
            counts.reportTable(),
            maintain::Weekwork::printTitle(),
        };
    };
}

constexpr const char* kGradeAbout = "GRADE: 初一 初二 初三 高一 高二 高三, or 1..6";

constexpr std::array<ExportKind, 8> kKinds = {{
    {"lessons", "GRADE", kGradeAbout, &prepareLessons},
    {"lessonr", "GRADE", kGradeAbout, &prepareReviewLessons},
    {"teachers", "GRADE", kGradeAbout, &prepareTeachers},
    {"weeks",
     "--week N [--activity 常规教学]",
     "the week's attendance counts (N 0..50); activity 常规教学 (default) 早晚督修 政治学习 "
     "教研活动 升旗仪式",
     &prepareWeeks,
     {"--week", "--activity"}},
    {"months",
     "--month M --from A --to B",
     "the teachers' workload of weeks A..B (1..60) as the table of month M (1..12)",
     &prepareMonths,
     {"--month", "--from", "--to"}},
    {"term", "", "the teachers' workload of the term, weeks 1..25", &prepareTerm},
    {"supervis", "", "the duty roster of every class, from [supervise]", &prepareDutyRoster},
    {"weekwork", "", "the teachers' weekly lesson counts, as 教师周课时一览表 shows them",
     &prepareLessonCounts},
}};

// Prints the usage after a wrong argument; returns the exit code of a usage error.
int usageError(std::ostream& err) {
    err << "usage:\n";
    for (const ExportKind& kind : kKinds) {
        err << "  tavlen-cli export " << kind.name << ' ' << kind.operands
            << (*kind.operands != '\0' ? " " : "") << "-o OUT [--pdf OUT.pdf]\n    " << kind.about
            << '\n';
    }
    return 2;
}

const ExportKind* findKind(const std::string& name) {
    for (const ExportKind& kind : kKinds) {
        if (name == kind.name) {
            return &kind;
        }
    }
    return nullptr;
}

struct Options {
    const ExportKind* kind = nullptr;
    Operands operands;
    ReportTargets targets;
};

bool takesValue(const ExportKind& kind, const std::string& option) {
    return std::any_of(kind.options.begin(), kind.options.end(),
                       [&](const char* known) { return known != nullptr && option == known; });
}

// Parses the arguments; prints the problem and returns nullopt when they are wrong.
std::optional<Options> parseOptions(const Args& args, std::ostream& err) {
    if (args.empty()) {
        err << kPrefix << "缺少导出种类\n";
        return std::nullopt;
    }
    Options options;
    options.kind = findKind(args[0]);
    if (options.kind == nullptr) {
        err << kPrefix << "未知的导出种类“" << args[0] << "”\n";
        return std::nullopt;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--pdf" || takesValue(*options.kind, arg)) {
            if (i + 1 >= args.size()) {
                err << kPrefix << "选项 " << arg << " 缺少参数\n";
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "-o" || arg == "--pdf") {
                auto& target = arg == "-o" ? options.targets.output : options.targets.pdf;
                target = value;
            } else {
                options.operands.options[arg] = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << kPrefix << "未知的选项 " << arg << '\n';
            return std::nullopt;
        } else {
            options.operands.positional.push_back(arg);
        }
    }
    return options;
}

} // namespace

int runExport(const Args& args, std::ostream& out, std::ostream& err) {
    const std::optional<Options> options = parseOptions(args, err);
    if (!options) {
        return usageError(err);
    }
    const ReadDocument read = options->kind->prepare(options->operands, err);
    if (!read) {
        return usageError(err);
    }
    if (!options->targets.output) {
        err << kPrefix << "缺少 -o OUT\n";
        return usageError(err);
    }
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    std::optional<ExportDocument> document;
    try {
        document = read(err);
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    if (!document) {
        return 1;
    }
    if (!document->omitted.empty()) {
        err << kPrefix << document->omitted << '\n';
    }
    return writeReport(document->kind, document->table, document->title, options->targets, kPrefix,
                       out, err);
}

} // namespace cli
