#include "cli/ReviewCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CGCRecord.h"
#include "store/DbError.h"
#include "timetable/ReviewOrder.h"
#include "timetable/ReviewStore.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include <CLI/CLI.hpp>

namespace cli {
namespace {

std::string pad(const std::string& text, std::size_t width) {
    const std::size_t w = gbk::width(text);
    return text + std::string(w < width ? width - w : 1, ' ');
}

void writeGrid(std::ostream& out, const school::ReviewTimetable& t, int grade, int days) {
    for (int c = 0; c < school::kMaxClasses; ++c) {
        const std::string& name = t.cell(grade, c, 0, 0);
        if (gbk::isBlank(name)) {
            break;
        }
        out << name << '\n' << pad("", 8);
        for (int d = 0; d < days; ++d) {
            out << pad(school::reviewDayName(d), 10);
        }
        out << '\n';
        for (int p = 1; p <= school::kPeriods; ++p) {
            out << pad(std::string(school::kPeriodNames[static_cast<std::size_t>(p - 1)]), 8);
            for (int d = 0; d < days; ++d) {
                const std::string& cell = t.cell(grade, c, d, p);
                out << pad(gbk::isBlank(cell) ? "--" : cell, 10);
            }
            out << '\n';
        }
        out << '\n';
    }
}

// One teacher in two classes of the grade at once.
int writeClashes(std::ostream& out, const school::ReviewTimetable& t, int grade, int days) {
    int clashes = 0;
    for (int d = 0; d < days; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            for (int k = 0; k < school::kMaxClasses; ++k) {
                const std::string& text = t.cell(grade, k, d, p);
                if (gbk::isBlank(text) || text.front() == ' ') {
                    continue;
                }
                for (int j = k + 1; j < school::kMaxClasses; ++j) {
                    if (t.cell(grade, j, d, p) == text) {
                        out << "  教师碰课：" << school::reviewDayName(d) << ' '
                            << school::kPeriodNames[static_cast<std::size_t>(p - 1)] << ' ' << text
                            << "：" << t.cell(grade, k, d, 0) << ' ' << t.cell(grade, j, d, 0)
                            << '\n';
                        ++clashes;
                    }
                }
            }
        }
    }
    return clashes;
}

int runReview(int gradeIndex, bool save, std::optional<unsigned> seed, std::ostream& out,
              std::ostream& err) {
    const std::optional<int> grade = gradeIndex;
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    std::ostringstream text;
    try {
        const timetable::ReviewData data = timetable::loadReviewData(*grade);
        if (seed) {
            std::srand(*seed);
        }
        school::ReviewTimetable timetable;
        timetable::ReviewOrder order(data);
        order.arrange(timetable);
        const std::string gradeName(school::kGradeNames[static_cast<std::size_t>(*grade)]);
        if (save && order.reviewDays() == 0) {
            writeIgnoredRows(err, store::CGCRecord().readChecked().invalid);
            err << gradeName << "没有复习计划（年段课程设置中天数都为 0）。\n";
            return 1;
        }
        text << "== " << gradeName << " 复习编排：" << order.reviewDays() << " 天，"
             << order.arrangedCount() << " 个班\n";
        writeGrid(text, timetable, *grade, order.reviewDays());
        text << gradeName << " 剩余问题：\n";
        if (writeClashes(text, timetable, *grade, order.reviewDays()) == 0) {
            text << "  无\n";
        }
        if (save) {
            timetable::saveReviewTimetable(timetable, *grade);
            text << "已存入 reviewlesson\n";
        }
    } catch (const store::DbError& e) {
        out << text.str();
        err << "tavlen-cli review: " << e.what() << '\n';
        return 1;
    }
    out << text.str();
    return 0;
}

} // namespace

std::string reviewUsage() {
    return "usage: tavlen-cli review GRADE [--save] [--seed N]\n"
           "  GRADE: 初一 初二 初三 高一 高二 高三，或 1..6\n";
}

Run defineReview(CLI::App& command) {
    struct Given {
        std::string grade;
        std::string seed;
        bool save = false;
    };
    const auto given = std::make_shared<Given>();
    addText(command, "GRADE", given->grade, "GRADE",
            "年段：初一 初二 初三 高一 高二 高三 或 1 到 6");
    command.add_flag("--save", given->save, "把此年段的复习课表存入 reviewlesson（替换其全部行）");
    addText(command, "--seed", given->seed, "N", "先以 N 为随机数种子（0 到 999999999）");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "review")) {
            return 2;
        }
        if (given->grade.empty()) {
            return usageError(err, "review", "缺少年段");
        }
        const std::optional<int> grade = parseGrade(given->grade);
        if (!grade) {
            return usageError(err, "review", "未知年段 " + given->grade);
        }
        std::optional<unsigned> seed;
        const std::string& value = given->seed;
        if (!value.empty()) {
            if (value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos) {
                return usageError(err, "review",
                                  "无效的种子 " + value + "（应为 0 到 999999999 的整数）");
            }
            seed = static_cast<unsigned>(std::stoul(value));
        }
        return runReview(*grade, given->save, seed, out, err);
    };
}

} // namespace cli
