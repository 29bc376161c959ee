#include "cli/ReviewCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "optimise/ReviewOptimiser.h"
#include "store/CGCRecord.h"
#include "store/DbError.h"
#include "timetable/ReviewClashes.h"
#include "timetable/ReviewOrder.h"
#include "timetable/ReviewStore.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

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

// Exit status of an optimised run that ends with rules still broken.
constexpr int kNotSolved = 3;

struct Options {
    int grade = 0;
    bool save = false;
    bool optimise = false;
    std::optional<unsigned> seed;
    std::optional<double> timeLimit;
};

// The grade's review timetable, by the review arrangement or the optimiser, with what remains
// said on text. Returns the exit status; throws store::DbError.
int arrangeReview(const Options& options, std::ostream& text, std::ostream& err) {
    const timetable::ReviewData data = timetable::loadReviewData(options.grade);
    if (options.seed) {
        std::srand(*options.seed);
    }
    const std::string gradeName(school::kGradeNames[static_cast<std::size_t>(options.grade)]);
    school::ReviewTimetable timetable;
    int days = 0;
    int arranged = 0;
    std::optional<optimise::ReviewOutcome> outcome;
    if (options.optimise) {
        optimise::ReviewRequest request;
        request.timeLimitSeconds = options.timeLimit.value_or(10.0);
        outcome = optimise::optimiseReview(data, request, timetable::defaultRandom());
        timetable = outcome->timetable;
        days = outcome->days;
        arranged = outcome->arranged;
    } else {
        timetable::ReviewOrder order(data);
        order.arrange(timetable);
        days = order.reviewDays();
        arranged = order.arrangedCount();
    }
    if (options.save && days == 0) {
        writeIgnoredRows(err, store::CGCRecord().readChecked().invalid);
        err << gradeName << "没有复习计划（年段课程设置中天数都为 0）。\n";
        return 1;
    }
    if (outcome) {
        for (const std::string& cause : outcome->causes) {
            text << "无法满足：" << cause << '\n';
        }
    }
    text << "== " << gradeName << (outcome ? " 复习优化编排：" : " 复习编排：") << days << " 天，"
         << arranged << " 个班\n";
    writeGrid(text, timetable, options.grade, days);
    text << gradeName << " 剩余问题：\n";
    std::vector<std::string> remaining;
    if (outcome) {
        remaining = outcome->violations;
    } else {
        for (const auto& clash : timetable::reviewClashes(timetable, options.grade, days)) {
            remaining.push_back(timetable::clashText(clash));
        }
    }
    for (const std::string& line : remaining) {
        text << "  " << line << '\n';
    }
    if (remaining.empty()) {
        text << "  无\n";
    }
    if (outcome) {
        text << "复习优化编排：" << (outcome->solved ? "全部规则已满足" : "未能满足全部规则")
             << "，用时 " << secondsText(outcome->seconds) << " 秒（搜索 " << outcome->iterations
             << " 步）\n";
    }
    if (options.save) {
        timetable::saveReviewTimetable(timetable, options.grade);
        text << "已存入 reviewlesson\n";
    }
    return outcome && !outcome->solved ? kNotSolved : 0;
}

int runReview(const Options& options, std::ostream& out, std::ostream& err) {
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    std::ostringstream text;
    int status = 0;
    try {
        status = arrangeReview(options, text, err);
    } catch (const store::DbError& e) {
        out << text.str();
        err << "tavlen-cli review: " << e.what() << '\n';
        return 1;
    }
    out << text.str();
    return status;
}

} // namespace

std::string reviewUsage() {
    return "usage: tavlen-cli review GRADE [--save] [--seed N] [--optimise [--time-limit S]]\n"
           "  GRADE: 初一 初二 初三 高一 高二 高三，或 1..6\n";
}

Run defineReview(CLI::App& command) {
    struct Given {
        std::string grade;
        std::string seed;
        std::string timeLimit;
        bool save = false;
        bool optimise = false;
    };
    const auto given = std::make_shared<Given>();
    addText(command, "GRADE", given->grade, "GRADE",
            "年段：初一 初二 初三 高一 高二 高三 或 1 到 6");
    command.add_flag("--save", given->save, "把此年段的复习课表存入 reviewlesson（替换其全部行）");
    addText(command, "--seed", given->seed, "N", "先以 N 为随机数种子（0 到 999999999）");
    command.add_flag("--optimise", given->optimise,
                     "用优化编排：没有教师碰课，每门复习课都排满（连堂在第一二、三四、五六节，"
                     "单节在第七节）");
    addText(command, "--time-limit", given->timeLimit, "S",
            "优化编排最多用 S 秒（默认 10），到时给出找到的最好课表");
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
        Options options;
        options.grade = *grade;
        options.save = given->save;
        options.optimise = given->optimise;
        const std::string& value = given->seed;
        if (!value.empty()) {
            if (value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos) {
                return usageError(err, "review",
                                  "无效的种子 " + value + "（应为 0 到 999999999 的整数）");
            }
            options.seed = static_cast<unsigned>(std::stoul(value));
        }
        if (!given->timeLimit.empty() && !(options.timeLimit = parseSeconds(given->timeLimit))) {
            return usageError(err, "review",
                              "无效的时间限制 " + given->timeLimit +
                                  "（应为大于 0、至多 86400 的秒数）");
        }
        if (options.timeLimit && !options.optimise) {
            return usageError(err, "review", "--time-limit 只用于 --optimise");
        }
        return runReview(options, out, err);
    };
}

} // namespace cli
