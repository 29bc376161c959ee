// The arrangement plan as the optimiser reads it: the first 100 rows of table orderplan (as
// many as the plan dialog holds), in stored order, each a PlanRange of class, course, days
// and periods as stored. Rows holding a number that is no whole number or lies outside its
// column's range are passed over (the second form names them, as the engine's loader does).
// Touches the database through store::COPRecord; throws store::DbError when the table cannot
// be read.
#pragma once

#include "optimise/Optimiser.h"

#include <string>
#include <vector>

namespace optimise {

std::vector<PlanRange> loadPlan();
std::vector<PlanRange> loadPlan(std::vector<std::string>& ignoredRows);

} // namespace optimise
