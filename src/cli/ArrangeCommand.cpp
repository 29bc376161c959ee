#include "cli/ArrangeCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "optimise/Optimiser.h"
#include "optimise/PlanStore.h"
#include "store/DbError.h"
#include "timetable/ArrangeReport.h"
#include "timetable/AutoOrder.h"
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"
#include "timetable/TimetableRules.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace cli {
namespace {

// Exit status of an optimised run that ends with rules still broken.
constexpr int kNotSolved = 3;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::optional<unsigned> parseSeed(const std::string& text) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const unsigned long value = std::stoul(text);
    if (value > 0xffffffffUL) {
        return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

struct Options {
    std::set<int> grades; // arranged, in order
    std::set<int> grids;  // shown as a grid
    bool all = false;
    bool save = false;
    bool courses = false;
    bool optimise = false;
    std::optional<double> timeLimit;
    std::optional<unsigned> seed;
};

std::string pad(const std::string& text, std::size_t width) {
    const std::size_t w = gbk::width(text);
    return text + std::string(w < width ? width - w : 1, ' ');
}

std::string dayName(int day) {
    return std::string(school::kDayNames[at(day)]);
}
std::string periodName(int period) {
    return std::string(school::kPeriodNames[at(period - 1)]);
}

// The course of a teacher in the class named in slot 0, or empty.
std::string courseOf(const timetable::AutoOrderData& data, int grade, const std::string& className,
                     const std::string& teacher) {
    const auto id = school::parseClassName(className);
    if (!id || id->gradeIndex != grade || teacher.empty()) {
        return {};
    }
    for (const auto& entry : data.classList(grade, id->classNumber - 1).entries) {
        if (entry.teacher == teacher) {
            return entry.course;
        }
    }
    return {};
}

void writeGrid(std::ostream& out, const timetable::AutoOrderData& data, int grade,
               const school::SchoolTimetable& t, bool courses) {
    const std::size_t width = courses ? 18 : 10;
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = t.cell(grade, c, 0, 0);
        if (gbk::isBlank(name, 3)) {
            continue;
        }
        out << name << '\n' << pad("", 8);
        for (int d = 0; d < school::kDays; ++d) {
            out << (d + 1 < school::kDays ? pad(dayName(d), width) : dayName(d));
        }
        out << '\n';
        for (int p = 1; p <= school::kPeriods; ++p) {
            out << pad(periodName(p), 8);
            for (int d = 0; d < school::kDays; ++d) {
                const std::string& cell = t.cell(grade, c, d, p);
                std::string text = gbk::isBlank(cell) ? "--" : cell;
                const std::string course = courseOf(data, grade, name, cell);
                if (courses && !course.empty()) {
                    text += "(" + course + ")";
                }
                out << (d + 1 < school::kDays ? pad(text, width) : text);
            }
            out << '\n';
        }
        out << '\n';
    }
}

std::string cellText(const std::string& text) {
    return gbk::isBlank(text) ? "（空）" : text;
}

void writeReview(std::ostream& out, int grade, const timetable::GradeReview& review) {
    const std::string gradeName(school::kGradeNames[at(grade)]);
    out << gradeName << " 剩余问题：\n";
    bool any = false;
    for (const auto& clash : review.clashes) {
        out << "  教师碰课：" << dayName(clash.day) << ' ' << periodName(clash.period) << ' '
            << clash.teacher << "：";
        for (std::size_t i = 0; i < clash.classes.size(); ++i) {
            out << (i == 0 ? "" : " ") << clash.classes[i];
        }
        out << '\n';
        any = true;
    }
    for (const auto& overload : review.overloads) {
        out << "  教师日超量：" << overload.teacher << ' ' << dayName(overload.day) << ' '
            << overload.lessons << " 节（上限 " << overload.limit << "）\n";
        any = true;
    }
    for (const auto& issue : review.mainCourseFirst) {
        out << "  主课优先：" << issue.className << ' ' << dayName(issue.day) << ' '
            << periodName(issue.period) << ' ' << cellText(issue.text) << '\n';
        any = true;
    }
    for (const auto& issue : review.presets) {
        out << "  教师预设：" << issue.className << ' ' << dayName(issue.day) << ' '
            << periodName(issue.period) << ' ' << issue.text << '\n';
        any = true;
    }
    for (const auto& issue : review.unifiedFilled) {
        out << "  统一课占用：" << issue.className << ' ' << dayName(issue.day) << ' '
            << periodName(issue.period) << ' ' << issue.text << '\n';
        any = true;
    }
    for (const auto& overrun : review.resourceOverruns) {
        out << "  资源超量：" << overrun.course << ' ' << dayName(overrun.day) << ' '
            << periodName(overrun.period) << ' ' << overrun.classes << " 个班（上限 "
            << overrun.limit << "）\n";
        any = true;
    }
    if (!any) {
        out << "  无\n";
    }
    out << gradeName << " 班级：";
    if (review.classes.empty()) {
        out << "没有班级课程";
    }
    for (std::size_t i = 0; i < review.classes.size(); ++i) {
        const auto& outcome = review.classes[i];
        out << (i == 0 ? "" : "；") << outcome.className;
        if (outcome.arranged) {
            out << " 已编排";
        } else {
            out << " 未编排（周课时 " << outcome.weeklyTotal << "，应为 15 至 35，"
                << "或第一节无课）";
        }
    }
    out << '\n' << gradeName << ' ' << timetable::qualityLine(review) << '\n';
}

// The command line as given, each value still to be checked.
struct Given {
    std::string grade;
    std::vector<std::string> grids;
    std::string seed;
    std::string timeLimit;
    bool save = false;
    bool courses = false;
    bool optimise = false;
};

std::optional<Options> parse(const Given& given, std::ostream& err) {
    const auto wrong = [&err](const std::string& problem) {
        usageError(err, "arrange", problem);
        return std::nullopt;
    };
    Options options;
    options.save = given.save;
    options.courses = given.courses;
    options.optimise = given.optimise;
    if (given.grade.empty()) {
        return wrong("缺少年段");
    }
    options.all = given.grade == "all";
    if (!options.all) {
        const auto g = parseGrade(given.grade);
        if (!g) {
            return wrong("未知年段 " + given.grade);
        }
        options.grades.insert(*g);
        options.grids.insert(*g);
    }
    for (const std::string& grid : given.grids) {
        const auto g = parseGrade(grid);
        if (!g) {
            return wrong("未知年段 " + grid);
        }
        options.grids.insert(*g);
    }
    if (!given.seed.empty() && !(options.seed = parseSeed(given.seed))) {
        return wrong("无效的种子 " + given.seed + "（应为 0 到 4294967295 的整数）");
    }
    if (!given.timeLimit.empty() && !(options.timeLimit = parseSeconds(given.timeLimit))) {
        return wrong("无效的时间限制 " + given.timeLimit + "（应为大于 0、至多 86400 的秒数）");
    }
    if (options.timeLimit && !options.optimise) {
        return wrong("--time-limit 只用于 --optimise");
    }
    if (options.all) {
        for (int g = 0; g < school::kGrades; ++g) {
            options.grades.insert(g);
        }
    }
    return options;
}

// The optimised arrangement of every requested grade in one run, then per grade the same
// summary as the faithful engine's. Returns the exit status.
int optimised(const Options& options, std::ostream& text) {
    const timetable::AutoOrderData data = timetable::loadAutoOrderData();
    std::vector<std::string> ignored = data.ignoredRows;
    optimise::Request request;
    request.plan = optimise::loadPlan(ignored);
    if (options.grades.size() < static_cast<std::size_t>(school::kGrades)) {
        // The other grades stand as saved; with all six there is nothing to keep (nor read).
        request.timetable =
            timetable::inTeacherNames(data, timetable::loadSchoolTimetable(ignored));
    }
    writeIgnoredRows(text, ignored);
    request.grades.assign(options.grades.begin(), options.grades.end());
    request.timeLimitSeconds = options.timeLimit.value_or(10.0);
    if (options.seed) {
        std::srand(*options.seed);
    }
    const optimise::Outcome outcome = optimise::optimise(data, request, timetable::defaultRandom());
    for (const std::string& cause : outcome.causes) {
        text << "无法满足：" << cause << '\n';
    }
    // The result read once in both names, for every grade's review.
    const school::SchoolTimetable teachers = timetable::inTeacherNames(data, outcome.timetable);
    const school::SchoolTimetable courses = timetable::inCourseNames(data, outcome.timetable);
    for (int grade : options.grades) {
        int classes = 0;
        for (int c = 0; c < school::kMaxClasses; ++c) {
            classes += gbk::isBlank(outcome.timetable.cell(grade, c, 0, 0), 3) ? 0 : 1;
        }
        text << "== " << school::kGradeNames[at(grade)] << " 优化编排：" << classes << " 个班\n";
        if (options.grids.count(grade) > 0) {
            writeGrid(text, data, grade, outcome.timetable, options.courses);
        }
        writeReview(text, grade, timetable::reviewGrade(data, grade, teachers, courses));
    }
    for (const std::string& violation : outcome.violations) {
        text << "未满足：" << violation << '\n';
    }
    text << "优化编排：" << (outcome.solved ? "全部规则已满足" : "未能满足全部规则")
         << (outcome.cancelled ? "（已取消）" : "") << "，第一二节非主课 " << outcome.earlyMisses
         << " 处（下界 " << outcome.earlyMissesBound << "），用时 " << secondsText(outcome.seconds)
         << " 秒（搜索 " << outcome.iterations << " 步）\n";
    if (options.save) {
        // Only the arranged grades: another program's save of other grades stays.
        timetable::saveGrades(outcome.timetable, options.grades);
        text << "已存入 gradelesson\n";
    }
    return outcome.solved ? 0 : kNotSolved;
}

int runArrange(const std::optional<Options>& options, std::ostream& out, std::ostream& err) {
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    std::ostringstream text;
    try {
        if (options->optimise) {
            const int status = optimised(*options, text);
            out << text.str();
            return status;
        }
        const timetable::AutoOrderData data = timetable::loadAutoOrderData();
        std::vector<std::string> ignored = data.ignoredRows;
        school::SchoolTimetable timetable = timetable::loadSchoolTimetable(ignored);
        writeIgnoredRows(text, ignored);
        if (options->seed) {
            std::srand(*options->seed);
        }
        for (int grade : options->grades) {
            timetable::AutoOrder engine(data);
            engine.arrange(grade, timetable);
            timetable = engine.result();
            text << "== " << school::kGradeNames[at(grade)] << " 编排：" << engine.arrangedCount()
                 << " 个班，检查 " << engine.passes() << " 遍，最后一遍未能修复 "
                 << engine.unresolved() << " 处\n";
            if (options->grids.count(grade) > 0) {
                writeGrid(text, data, grade, timetable, options->courses);
            }
            writeReview(text, grade, timetable::reviewGrade(data, grade, timetable));
        }
        if (options->save) {
            // Only the arranged grades: another program's save of other grades stays.
            timetable::saveGrades(timetable, options->grades);
            text << "已存入 gradelesson\n";
        }
    } catch (const store::DbError& e) {
        out << text.str();
        err << "tavlen-cli arrange: " << e.what() << '\n';
        return 1;
    }
    out << text.str();
    return 0;
}

} // namespace

std::string arrangeUsage() {
    return "usage: tavlen-cli arrange GRADE|all [--save] [--seed N] [--courses] [--grid GRADE]\n"
           "                          [--optimise [--time-limit S]]\n"
           "  GRADE: 初一 初二 初三 高一 高二 高三，或 1..6\n";
}

Run defineArrange(CLI::App& command) {
    const auto given = std::make_shared<Given>();
    addText(command, "GRADE", given->grade, "GRADE|all",
            "年段：初一 初二 初三 高一 高二 高三 或 1 到 6；all 为全部六个年段");
    command.add_flag("--save", given->save, "把编排的年段存入 gradelesson");
    addText(command, "--seed", given->seed, "N", "先以 N 为随机数种子（0 到 4294967295）");
    command.add_flag("--courses", given->courses, "课表中在教师后写出学科");
    command.add_option("--grid", given->grids, "也列出此年段的课表（可重复；1 到 6 或年段名）")
        ->type_name("GRADE")
        ->allow_extra_args(false);
    command.add_flag("--optimise", given->optimise, "用无碰课的优化编排");
    addText(command, "--time-limit", given->timeLimit, "S",
            "优化编排的时间限制（大于 0、至多 86400 秒，默认 10）");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "arrange")) {
            return 2;
        }
        const std::optional<Options> options = parse(*given, err);
        if (!options) {
            return 2;
        }
        return runArrange(options, out, err);
    };
}

} // namespace cli
