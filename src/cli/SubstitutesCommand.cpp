#include "cli/SubstitutesCommand.h"

#include "attendance/SubstituteCandidates.h"
#include "cli/CommandSupport.h"
#include "core/SchoolNames.h"
#include "store/DbError.h"

#include <optional>
#include <ostream>
#include <string>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli substitutes: ";
constexpr const char* kUsage =
    "usage: tavlen-cli substitutes TEACHER --day 星期一…星期五|1..5 --period 1..7|第一节…第七节"
    " [--class CLASS]\n";

// The position of text in names, counted from 1, or a digit 1..size.
template <class Names> std::optional<int> numberIn(const Names& names, const std::string& text) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) {
            return static_cast<int>(i) + 1;
        }
    }
    if (text.size() == 1 && text[0] >= '1' && text[0] < '1' + static_cast<int>(names.size())) {
        return text[0] - '0';
    }
    return std::nullopt;
}

int usageError(std::ostream& err, const std::string& problem) {
    err << kPrefix << problem << '\n' << kUsage;
    return 2;
}

} // namespace

int runSubstitutes(const Args& args, std::ostream& out, std::ostream& err) {
    attendance::Absence absence;
    std::optional<int> day;
    std::optional<int> period;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--day" || arg == "--period" || arg == "--class") {
            if (i + 1 >= args.size()) {
                return usageError(err, "选项 " + arg + " 缺少参数");
            }
            const std::string& value = args[++i];
            if (arg == "--day" && !(day = numberIn(school::kDayNames, value))) {
                return usageError(err, "未知的星期 " + value);
            }
            if (arg == "--period" && !(period = numberIn(school::kPeriodNames, value))) {
                return usageError(err, "未知的节次 " + value);
            }
            if (arg == "--class") {
                if (!school::parseClassName(value)) {
                    return usageError(err, "未知的班级 " + value);
                }
                absence.className = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError(err, "未知的选项 " + arg);
        } else if (absence.teacher.empty()) {
            absence.teacher = arg;
        } else {
            return usageError(err, "多余的参数 " + arg);
        }
    }
    if (absence.teacher.empty() || !day || !period) {
        return usageError(err, absence.teacher.empty() ? "缺少教师" : "缺少 --day 或 --period");
    }
    absence.day = *day - 1;
    absence.period = *period;
    if (!useWorkingDatabase(err)) {
        return 1;
    }
    try {
        const attendance::SubstituteCandidates candidates =
            attendance::SubstituteCandidates::load();
        if (!candidates.rosterName(absence.teacher)) {
            err << kPrefix << "教师名单中没有“" << absence.teacher << "”\n";
            return 1;
        }
        for (const attendance::Candidate& candidate : candidates.rank(absence)) {
            out << candidate.teacher << '\t' << candidate.reason() << '\n';
        }
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace cli
