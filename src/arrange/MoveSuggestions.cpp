#include "arrange/MoveSuggestions.h"

#include "core/SchoolNames.h"
#include "optimise/Problem.h"
#include "optimise/Search.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace arrange {
namespace {

std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& t : texts) {
        text += (text.empty() ? "" : "，") + t;
    }
    return text;
}

} // namespace

std::string MoveSuggestion::text() const {
    const GridPlace& to = exchange.second;
    std::string line = "换到" + dayName(to.day) + periodName(to.period);
    line += "：解决 " + joined(fixes);
    if (!breaks.empty()) {
        line += "；新增 " + joined(breaks);
    }
    return line;
}

std::vector<MoveSuggestion> suggestMoves(const timetable::AutoOrderData& data,
                                         const school::SchoolTimetable& held, int grade,
                                         const GridPlace& lesson,
                                         const std::vector<optimise::CellRef>& locked,
                                         const std::vector<optimise::PlanRange>& plan) {
    optimise::Request request;
    request.timetable = timetable::inTeacherNames(data, held);
    request.grades = {grade};
    request.locked = locked;
    request.plan = plan;
    const optimise::Problem problem(data, request);
    optimise::Search search(problem, 1);
    search.adopt();
    const int cls = search.classAt(grade, lesson.position);
    const int from = optimise::cellAt(lesson.day, lesson.period);
    if (cls < 0 || !search.canExchange(cls, from)) {
        return {};
    }
    std::vector<std::pair<int, int>> ranked; // cost, cell
    for (int cell = 0; cell < optimise::kCells; ++cell) {
        if (cell != from && search.canExchange(cls, cell)) {
            ranked.emplace_back(search.exchangeCost(cls, from, cell), cell);
        }
    }
    std::sort(ranked.begin(), ranked.end());

    std::vector<MoveSuggestion> suggestions;
    ExchangeCheck check(data, held, grade);
    for (const auto& [cost, cell] : ranked) {
        const GridPlace to{lesson.position, optimise::dayOf(cell), optimise::periodOf(cell)};
        const ExchangeVerdict verdict = check.judge({{lesson, to}});
        if (verdict.hardChange() >= 0) {
            continue;
        }
        MoveSuggestion suggestion{{lesson, to}, cost, {}, {}};
        for (const RuleIssue& issue : verdict.fixed) {
            suggestion.fixes.push_back(issue.text);
        }
        for (const RuleIssue& issue : verdict.broken) {
            suggestion.breaks.push_back(issue.text);
        }
        suggestions.push_back(std::move(suggestion));
        if (suggestions.size() == static_cast<std::size_t>(kMaxSuggestions)) {
            break;
        }
    }
    return suggestions;
}

} // namespace arrange
