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

// A subject resource's movable lessons and the room its limit leaves them in the cells their
// groups may take; lessons above room are a cause, and that many overruns are forced.
struct ResourceRoom {
    int lessons = 0;
    int room = 0;
};
ResourceRoom resourceRoom(const Problem& problem, int resource);

} // namespace optimise
