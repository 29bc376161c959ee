// What the arrangement would make of the tables an import leaves: the classes it would drop
// (weekly total with the unified slots outside 15..35) and the causes that rule a clash-free
// week out (a teacher with more lessons than free periods, …), both found by the optimiser's
// own model and its infeasibility causes, over rows in memory. Pure; no database.
#pragma once

#include "exchange/SchoolTables.h"

#include <string>
#include <vector>

namespace exchange {

struct DroppedTotal {
    std::string className;
    long long total = 0;
};

struct WorkloadFindings {
    std::vector<DroppedTotal> dropped;
    std::vector<std::string> causes; // in Chinese, naming the teacher, class or course
};

WorkloadFindings checkWorkload(const SchoolTables& tables);

} // namespace exchange
