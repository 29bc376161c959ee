// What makes a request infeasible, found by counting before any search: classes whose week
// cannot hold their plan, locked cells that already break a rule, teachers, days, groups,
// double periods and resources with more lessons than the cells left to them. Every cause is
// one line in Chinese naming the class, teacher or course concerned. An empty list does not
// promise a solution (only the search can tell); a non-empty one rules it out.
#pragma once

#include "optimise/Problem.h"

#include <string>
#include <vector>

namespace optimise {

std::vector<std::string> findCauses(const Problem& problem);

} // namespace optimise
