// An independent judge of an optimised timetable: every hard rule of the clash-free
// arrangement, checked cell by cell on the strings of the result against the loaded lists
// and the request, through TimetableRules and plain counting, never through the optimiser's
// own model. The spread rule is checked twice: with the double counting as one, and as the
// benchmark's checker reads it (cells of the 语文 teacher next to another are exempt, every
// other cell may exceed the emptiest day by one at most).
#pragma once

#include "core/SchoolTimetable.h"
#include "optimise/Optimiser.h"
#include "timetable/AutoOrderData.h"

#include <string>
#include <vector>

namespace optimisetest {

// One line per broken rule; empty when the result keeps every rule.
std::vector<std::string> brokenRules(const timetable::AutoOrderData& data,
                                     const optimise::Request& request,
                                     const school::SchoolTimetable& result);

// Periods 1-2 (outside unified slots) of the arranged grades without a main course.
int earlyMisses(const timetable::AutoOrderData& data, const optimise::Request& request,
                const school::SchoolTimetable& result);

} // namespace optimisetest
