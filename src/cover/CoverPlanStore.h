// Cover plans kept in table coverplan (store/CCVRecord.h), so that a plan can be saved
// unfinished and reopened, and an applied one printed again. A plan is known by its absent
// teacher and its first and last date; saving replaces the rows of that plan (in one
// transaction, creating the table first when the database lacks it) and leaves every other
// plan as it is. Reading a database without the table finds no plan. Text is UTF-8.
#pragma once

#include "cover/CoverPlan.h"
#include "store/CCVRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace cover {

struct SavedPlan {
    CoverRequest request{};
    int lessons = 0;
    bool applied = false;
    // "王伟 2024-09-09 至 2024-09-11 事  假（14 节，已应用）"
    std::string caption() const;
    friend bool operator==(const SavedPlan&, const SavedPlan&) = default;
};

std::vector<store::CoverplanRow> planRows(const CoverPlan& plan);
// The plans the rows hold, in the order of their first rows; a row whose dates cannot be read
// is passed over.
std::vector<CoverPlan> plansFromRows(const std::vector<store::CoverplanRow>& rows);

// Throw store::DbError when the database cannot be read or written.
std::vector<SavedPlan> savedPlans();
std::optional<CoverPlan> openPlan(const CoverRequest& request);
void savePlan(const CoverPlan& plan);

} // namespace cover
