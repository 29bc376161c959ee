#include "cli/ExportCommand.h"

#include "arrange/GradelessonReport.h"
#include "attendance/Attendancecount.h"
#include "attendance/Attendancemonth.h"
#include "attendance/StatisticsInput.h"
#include "attendance/WorkloadTable.h"
#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "cli/ReportOutput.h"
#include "cli/WorkbookExport.h"
#include "maintain/GTBrowseReport.h"
#include "maintain/Weekwork.h"
#include "reports/ReportTitles.h"
#include "store/DbError.h"
#include "supervise/Supervisebrowse.h"
#include "timetable/ReviewStore.h"
#include "timetable/SchoolTimetableStore.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

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
    bool printed = true;                  // false: no --pdf (the document is never printed)
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
    return [grade = *grade](std::ostream& said) -> std::optional<ExportDocument> {
        std::vector<std::string> ignored;
        const school::SchoolTimetable timetable = timetable::loadSchoolTimetable(ignored);
        writeIgnoredRows(said, ignored);
        return ExportDocument{
            reports::ReportKind::GradeTimetable,
            arrange::gradeTimetableTable(timetable, grade),
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
    return [grade = *grade](std::ostream& said) -> std::optional<ExportDocument> {
        std::vector<std::string> ignored;
        const school::ReviewTimetable timetable = timetable::loadReviewTimetable(grade, ignored);
        writeIgnoredRows(said, ignored);
        return ExportDocument{
            reports::ReportKind::ReviewTimetable,
            arrange::reviewTimetableTable(timetable, grade,
                                          timetable::loadedReviewDays(timetable, grade)),
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

constexpr std::array<ExportKind, 8> kKinds = {{
    {"lessons", "GRADE", "年段课表（gradelesson）；GRADE: 初一 初二 初三 高一 高二 高三，或 1..6",
     &prepareLessons},
    {"lessonr",
     "GRADE",
     "年段复习课表（reviewlesson），只能导出，不能打印；"
     "GRADE: 初一 … 高三，或 1..6",
     &prepareReviewLessons,
     {},
     false},
    {"teachers", "GRADE", "年段任课教师表（classcourse）；GRADE: 初一 … 高三，或 1..6",
     &prepareTeachers},
    {"weeks",
     "--week N [--activity 常规教学]",
     "一周的出勤统计（周别 N 为 0 到 50）；出勤类型 常规教学（默认） 早晚督修 政治学习 "
     "教研活动 升旗仪式",
     &prepareWeeks,
     {"--week", "--activity"}},
    {"months",
     "--month M --from A --to B",
     "第 A 到 B 周（1 到 60）的教师工作量，以 M 月（1 到 12）为标题",
     &prepareMonths,
     {"--month", "--from", "--to"}},
    {"term", "", "本学期（第 1 到 25 周）的教师工作量", &prepareTerm},
    {"supervis", "", "各班的早晚督修教师表（supervise）", &prepareDutyRoster},
    {"weekwork", "", "教师周课时一览表（teachername 与 classcourse）", &prepareLessonCounts},
}};

constexpr const char* kWorkbookAbout =
    "学校工作簿（课程 教师 班级 年段课程 课务分工 教师不排 统一课程 资源），可由 import 读回；"
    "--template 只写标题行和一行示例";

// The workbook's command line as given.
struct WorkbookGiven {
    CLI::App* app = nullptr;
    std::string output;
    bool templateOnly = false;
};

// The help of a kind's own option.
const char* optionAbout(const std::string& option) {
    if (option == "--week") {
        return "周别（0 到 50）";
    }
    if (option == "--activity") {
        return "出勤类型：常规教学（默认） 早晚督修 政治学习 教研活动 升旗仪式";
    }
    if (option == "--month") {
        return "月份（1 到 12）";
    }
    return option == "--from" ? "起始周（1 到 60）" : "终止周（1 到 60，不小于起始周）";
}

// The command line of one kind as given.
struct KindGiven {
    CLI::App* app = nullptr;
    std::string grade;
    std::string output;
    std::string pdf;
    Operands operands;
};

} // namespace

std::string exportUsage() {
    std::string usage = "usage:\n";
    for (const ExportKind& kind : kKinds) {
        usage += std::string("  tavlen-cli export ") + kind.name + ' ' + kind.operands +
                 (*kind.operands != '\0' ? " " : "") + "-o OUT" +
                 (kind.printed ? " [--pdf OUT.pdf]" : "") + "\n    " + kind.about + '\n';
    }
    return usage + "  tavlen-cli export workbook -o FILE.xlsx [--template]\n    " + kWorkbookAbout +
           '\n';
}

namespace {

int runKind(const ExportKind& kind, const KindGiven& given, std::ostream& out, std::ostream& err) {
    Operands operands = given.operands;
    if (!given.grade.empty()) {
        operands.positional.push_back(given.grade);
    }
    const ReadDocument read = kind.prepare(operands, err);
    if (!read) {
        err << exportUsage();
        return 2;
    }
    ReportTargets targets;
    if (given.output.empty()) {
        return usageError(err, "export", "缺少 -o OUT");
    }
    targets.output = given.output;
    if (!given.pdf.empty()) {
        targets.pdf = given.pdf;
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
    return writeReport(document->kind, document->table, document->title, targets, kPrefix, out,
                       err);
}

} // namespace

Run defineExport(CLI::App& command) {
    const auto given = std::make_shared<std::array<KindGiven, kKinds.size()>>();
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        const ExportKind& kind = kKinds[i];
        KindGiven& kindGiven = (*given)[i];
        kindGiven.app = command.add_subcommand(kind.name, kind.about);
        CLI::App& sub = *kindGiven.app;
        describeInChinese(sub);
        sub.allow_extras();
        if (std::string(kind.operands) == "GRADE") {
            addText(sub, "GRADE", kindGiven.grade, "GRADE",
                    "年段：初一 初二 初三 高一 高二 高三 或 1 到 6");
        }
        for (const char* option : kind.options) {
            if (option != nullptr) {
                addText(sub, option, kindGiven.operands.options[option], "VALUE",
                        optionAbout(option));
            }
        }
        addText(sub, "-o", kindGiven.output, "OUT", "写出 GBK 的报表文档，如“表格导出”");
        addText(sub, "--pdf", kindGiven.pdf, "OUT.pdf", "把打印的页面画进 PDF 文件，如“打印”");
        if (!kind.printed) {
            sub.get_option("--pdf")->group(""); // refused, so never offered
        }
    }
    const auto workbook = std::make_shared<WorkbookGiven>();
    workbook->app = command.add_subcommand("workbook", kWorkbookAbout);
    describeInChinese(*workbook->app);
    workbook->app->allow_extras();
    addText(*workbook->app, "-o", workbook->output, "OUT", "写出的 .xlsx 工作簿");
    workbook->app->add_flag("--template", workbook->templateOnly, "只写各工作表的标题行和一行示例");
    return [given, workbook](const Args& extra, std::ostream& out, std::ostream& err) {
        if (workbook->app->parsed()) {
            if (!noExtra(extra, err, "export")) {
                return 2;
            }
            if (workbook->output.empty()) {
                return usageError(err, "export", "缺少 -o OUT");
            }
            return exportWorkbook(workbook->output, workbook->templateOnly, out, err);
        }
        for (std::size_t i = 0; i < kKinds.size(); ++i) {
            if ((*given)[i].app->parsed()) {
                return noExtra(extra, err, "export") ? runKind(kKinds[i], (*given)[i], out, err)
                                                     : 2;
            }
        }
        return usageError(err, "export",
                          extra.empty() ? std::string("缺少导出种类")
                                        : "未知的导出种类“" + extra.front() + "”");
    };
}

} // namespace cli
