#include "optimise/PlanStore.h"

#include "store/COPRecord.h"

#include <cstddef>

namespace optimise {

namespace {
constexpr int kPlanRows = 100;
}

std::vector<PlanRange> loadPlan() {
    std::vector<std::string> ignored;
    return loadPlan(ignored);
}

std::vector<PlanRange> loadPlan(std::vector<std::string>& ignoredRows) {
    auto checked = store::COPRecord().readChecked();
    std::vector<PlanRange> plan;
    for (std::size_t i = 0; i < checked.rows.size() && checked.positions[i] <= kPlanRows; ++i) {
        store::OrderplanRow& row = checked.rows[i];
        plan.push_back({std::move(row.className), std::move(row.course), row.week1, row.week2,
                        row.number1, row.number2});
    }
    ignoredRows.insert(ignoredRows.end(), checked.invalid.begin(), checked.invalid.end());
    return plan;
}

} // namespace optimise
