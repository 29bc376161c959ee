#include "cli/SubstitutesCommand.h"

#include "attendance/SubstituteCandidates.h"
#include "cli/CommandLine.h"
#include "cli/CommandSupport.h"
#include "core/SchoolNames.h"
#include "store/DbError.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

namespace cli {
namespace {

constexpr const char* kPrefix = "tavlen-cli substitutes: ";

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
    return cli::usageError(err, "substitutes", problem);
}

struct Given {
    std::string teacher;
    std::string day;
    std::string period;
    std::string className;
};

int runSubstitutes(const Given& given, std::ostream& out, std::ostream& err) {
    attendance::Absence absence;
    std::optional<int> day;
    std::optional<int> period;
    absence.teacher = given.teacher;
    if (!given.day.empty() && !(day = numberIn(school::kDayNames, given.day))) {
        return usageError(err, "未知的星期 " + given.day + "（应为星期一…星期五或 1 到 5）");
    }
    if (!given.period.empty() && !(period = numberIn(school::kPeriodNames, given.period))) {
        return usageError(err, "未知的节次 " + given.period + "（应为第一节…第七节或 1 到 7）");
    }
    if (!given.className.empty()) {
        if (!school::parseClassName(given.className)) {
            return usageError(err, "未知的班级 " + given.className);
        }
        absence.className = given.className;
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

} // namespace

std::string substitutesUsage() {
    return "usage: tavlen-cli substitutes TEACHER --day 星期一…星期五|1..5 "
           "--period 1..7|第一节…第七节 [--class CLASS]\n";
}

Run defineSubstitutes(CLI::App& command) {
    const auto given = std::make_shared<Given>();
    addText(command, "TEACHER", given->teacher, "TEACHER", "缺课的教师");
    addText(command, "--day", given->day, "DAY", "星期：星期一…星期五或 1 到 5");
    addText(command, "--period", given->period, "PERIOD", "节次：第一节…第七节或 1 到 7");
    addText(command, "--class", given->className, "CLASS", "缺课的班级，如 初一⑶");
    return [given](const Args& extra, std::ostream& out, std::ostream& err) {
        if (!noExtra(extra, err, "substitutes")) {
            return 2;
        }
        return runSubstitutes(*given, out, err);
    };
}

} // namespace cli
