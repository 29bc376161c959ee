// "为此课找位置": the best exchanges for one lesson of the grade timetable being edited. The
// optimiser's model of the shown grade is built over the timetable as it stands (every other
// cell kept, the locked cells fixed, the arrangement plan honoured) and its own move
// evaluation weighs every exchange of the lesson's cell within its class, best first; of
// those, the first five that leave fewer hard problems in the grade by the rule checker
// (ExchangeCheck) are offered, each with what it fixes and what it breaks. Nothing is
// offered for a locked lesson, a half of the class's double period, or a class the optimiser
// does not arrange (no plan, or a weekly total outside 15..35). Pure C++.
#pragma once

#include "arrange/ExchangeCheck.h"
#include "optimise/Optimiser.h"

#include <string>
#include <vector>

namespace arrange {

struct MoveSuggestion {
    ExchangeCheck::Exchange exchange; // the lesson's place, the place it goes to
    int cost = 0;                     // the optimiser's weighted change (below 0: better)
    std::vector<std::string> fixes;
    std::vector<std::string> breaks;
    // One line for a menu: "换到星期二第三节：解决 …；新增 …".
    std::string text() const;
};

inline constexpr int kMaxSuggestions = 5;
inline constexpr const char* kFindPlace = "为此课找位置";
inline constexpr const char* kNoSuggestion = "找不到能减少问题的交换。";

std::vector<MoveSuggestion> suggestMoves(const timetable::AutoOrderData& data,
                                         const school::SchoolTimetable& held, int grade,
                                         const GridPlace& lesson,
                                         const std::vector<optimise::CellRef>& locked,
                                         const std::vector<optimise::PlanRange>& plan);

} // namespace arrange
