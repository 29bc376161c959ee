#include "cli/ExportCommand.h"

#include "arrange/GradelessonReport.h"
#include "arrange/ReviewStore.h"
#include "arrange/SchoolTimetableStore.h"
#include "cli/CommandSupport.h"
#include "cli/ReportOutput.h"
#include "maintain/GTBrowseReport.h"
#include "maintain/Weekwork.h"
#include "store/DbError.h"
#include "supervise/Supervisebrowse.h"

#include <array>
#include <functional>
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

using ReadDocument = std::function<ExportDocument()>;

// A kind of export. prepare() checks the kind's operands before the database is opened:
// it returns how to read the document, or an empty function after saying on err what is
// wrong.
struct ExportKind {
    const char* name;
    const char* operands; // as the usage shows them
    const char* about;    // the usage's explanation of the operands
    ReadDocument (*prepare)(const Args& operands, std::ostream& err);
};

// The one operand of the kinds that take a grade; says on err what is wrong with it.
std::optional<int> gradeOperand(const Args& operands, std::ostream& err) {
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

ReadDocument prepareLessons(const Args& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade] {
        return ExportDocument{
            reports::ReportKind::GradeTimetable,
            arrange::gradeTimetableTable(arrange::loadSchoolTimetable(), grade),
            arrange::gradeTimetablePrintTitle(grade),
        };
    };
}

ReadDocument prepareTeachers(const Args& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade] {
        const maintain::GradeTeachers teachers = maintain::readGradeTeachers(grade);
        return ExportDocument{
            reports::ReportKind::TeacherList,
            maintain::teacherListTable(teachers),
            maintain::teacherListPrintTitle(grade),
            maintain::omittedText(teachers),
        };
    };
}

ReadDocument prepareReviewLessons(const Args& operands, std::ostream& err) {
    const std::optional<int> grade = gradeOperand(operands, err);
    if (!grade) {
        return {};
    }
    return [grade = *grade] {
        const school::ReviewTimetable timetable = arrange::loadReviewTimetable(grade);
        return ExportDocument{
            reports::ReportKind::ReviewTimetable,
            arrange::reviewTimetableTable(timetable, grade,
                                          arrange::loadedReviewDays(timetable, grade)),
            {},
        };
    };
}

// Says on err when a kind without operands is given some.
bool noOperands(const Args& operands, std::ostream& err) {
    if (!operands.empty()) {
        err << kPrefix << "多余的参数 " << operands[0] << '\n';
        return false;
    }
    return true;
}

ReadDocument prepareDutyRoster(const Args& operands, std::ostream& err) {
    if (!noOperands(operands, err)) {
        return {};
    }
    return [] {
        const supervise::DutyGrid grid = supervise::readDutyGrid();
        return ExportDocument{
            reports::ReportKind::DutyRoster,
            supervise::dutyRosterTable(grid),
            supervise::dutyRosterPrintTitle(grid),
        };
    };
}

ReadDocument prepareLessonCounts(const Args& operands, std::ostream& err) {
    if (!noOperands(operands, err)) {
        return {};
    }
    return [] {
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

constexpr std::array<ExportKind, 5> kKinds = {{
    {"lessons", "GRADE", kGradeAbout, &prepareLessons},
    {"lessonr", "GRADE", kGradeAbout, &prepareReviewLessons},
    {"teachers", "GRADE", kGradeAbout, &prepareTeachers},
    {"supervis", "", "the duty roster of every class, from [supervise]", &prepareDutyRoster},
    {"weekwork", "", "the teachers' weekly lesson counts, as 教师周课时一览表 shows them",
     &prepareLessonCounts},
}};

// Prints the usage after a wrong argument; returns the exit code of a usage error.
int usageError(std::ostream& err) {
    err << "usage:\n";
    for (const ExportKind& kind : kKinds) {
        err << "  tavlen-cli export " << kind.name << (*kind.operands != '\0' ? " " : "")
            << kind.operands << " -o OUT [--pdf OUT.pdf]\n    " << kind.about << '\n';
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
    Args operands;
    ReportTargets targets;
};

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
        if (arg == "-o" || arg == "--pdf") {
            if (i + 1 >= args.size()) {
                err << kPrefix << "选项 " << arg << " 缺少参数\n";
                return std::nullopt;
            }
            auto& target = arg == "-o" ? options.targets.output : options.targets.pdf;
            target = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << kPrefix << "未知的选项 " << arg << '\n';
            return std::nullopt;
        } else {
            options.operands.push_back(arg);
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
        document = read();
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    if (!document->omitted.empty()) {
        err << kPrefix << document->omitted << '\n';
    }
    return writeReport(document->kind, document->table, document->title, options->targets, kPrefix,
                       out, err);
}

} // namespace cli
