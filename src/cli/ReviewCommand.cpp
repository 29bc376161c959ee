#include "cli/ReviewCommand.h"

#include "arrange/ReviewOrder.h"
#include "arrange/ReviewStore.h"
#include "cli/CommandSupport.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/DbError.h"

#include <cstdlib>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

namespace cli {
namespace {

constexpr const char* kUsage = "usage: tavlen-cli review GRADE [--save] [--seed N]\n"
                               "  GRADE: 初一 初二 初三 高一 高二 高三, or 1..6\n";

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

} // namespace

int runReview(const Args& args, std::ostream& out, std::ostream& err) {
    std::optional<int> grade;
    bool save = false;
    std::optional<unsigned> seed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--save") {
            save = true;
        } else if (arg == "--seed" && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (value.empty() || value.size() > 9 ||
                value.find_first_not_of("0123456789") != std::string::npos) {
                err << "tavlen-cli review: 无效的种子 " << value << '\n' << kUsage;
                return 2;
            }
            seed = static_cast<unsigned>(std::stoul(value));
        } else if (!grade && parseGrade(arg)) {
            grade = parseGrade(arg);
        } else {
            err << "tavlen-cli review: " << (grade ? "多余的参数 " : "未知年段 ") << arg << '\n'
                << kUsage;
            return 2;
        }
    }
    if (!grade) {
        err << "tavlen-cli review: 缺少年段\n" << kUsage;
        return 2;
    }
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    std::ostringstream text;
    try {
        const arrange::ReviewData data = arrange::loadReviewData(*grade);
        if (seed) {
            std::srand(*seed);
        }
        school::ReviewTimetable timetable;
        arrange::ReviewOrder order(data);
        order.arrange(timetable);
        const std::string gradeName(school::kGradeNames[static_cast<std::size_t>(*grade)]);
        text << "== " << gradeName << " 复习编排：" << order.reviewDays() << " 天，"
             << order.arrangedCount() << " 个班\n";
        writeGrid(text, timetable, *grade, order.reviewDays());
        text << gradeName << " 剩余问题：\n";
        if (writeClashes(text, timetable, *grade, order.reviewDays()) == 0) {
            text << "  无\n";
        }
        if (save) {
            arrange::saveReviewTimetable(timetable, *grade);
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

} // namespace cli
