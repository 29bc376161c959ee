// Saved cover plans in table coverplan: the table is made by the first save, a plan reopens
// as it was saved (substitutes, swaps, the uncovered, the digest, the applied state), saving
// it again replaces only its own rows, and unreadable rows are passed over.
#include "CoverTestSchool.h"
#include "TempDatabase.h"

#include "cover/CoverPlanStore.h"
#include "cover/CoverPlanner.h"

#include <gtest/gtest.h>

namespace {

using cover::CoverPlan;
using cover::CoverPlanner;

CoverPlan planned(const CoverPlanner& planner, const std::string& teacher, const char* from,
                  const char* to) {
    CoverPlan plan = *planner.plan(teacher, from, to, "缺勤").plan;
    planner.assignFirst(plan);
    return plan;
}

TEST(CoverPlanStoreTest, SavesReopensAndReplacesOnePlan) {
    testsupport::TempDatabase db;
    const CoverPlanner planner(covertest::smallSchool());
    EXPECT_TRUE(cover::savedPlans().empty()); // no table yet

    CoverPlan first = planned(planner, "王伟", "2024-09-09", "2024-09-11");
    first.lessons[0].substitute.clear();
    first.lessons[0].swap = planner.swaps(first, 0).at(0);
    first.lessons[3].substitute.clear();
    cover::savePlan(first);
    CoverPlan second = planned(planner, "李娜", "2024-09-10", "2024-09-10");
    second.applied = true;
    cover::savePlan(second);

    EXPECT_EQ(cover::savedPlans(), (std::vector<cover::SavedPlan>{{first.request, 4, false},
                                                                  {second.request, 1, true}}));
    EXPECT_EQ(cover::savedPlans()[0].caption(), "王伟 2024-09-09 至 2024-09-11 缺  勤（4 节）");
    EXPECT_EQ(cover::savedPlans()[1].caption(),
              "李娜 2024-09-10 至 2024-09-10 缺  勤（1 节，已应用）");
    EXPECT_EQ(cover::openPlan(first.request), first);
    EXPECT_EQ(cover::openPlan(second.request), second);

    // Saved again with a change: its rows replaced, the other plan's kept.
    first.lessons[2].substitute = "周杰";
    first.applied = true;
    cover::savePlan(first);
    EXPECT_EQ(cover::openPlan(first.request), first);
    EXPECT_EQ(cover::openPlan(second.request), second);
    EXPECT_EQ(store::CCVRecord().readAll().size(), 5u);
    EXPECT_FALSE(cover::openPlan({"王伟", first.request.from, second.request.to, "缺  勤"}));
}

TEST(CoverPlanStoreTest, PassesOverRowsItCannotRead) {
    const CoverPlanner planner(covertest::smallSchool());
    const CoverPlan plan = planned(planner, "王伟", "2024-09-09", "2024-09-09");
    std::vector<store::CoverplanRow> rows = cover::planRows(plan);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].period, "第一节");
    EXPECT_EQ(rows[0].date, "2024-09-09");
    EXPECT_EQ(rows[0].week, "2");
    EXPECT_EQ(rows[0].substitute, "李娜");
    EXPECT_EQ(rows[0].timetable, "in memory");
    store::CoverplanRow broken = rows[0];
    broken.date = "9月9日";
    store::CoverplanRow noPeriod = rows[1];
    noPeriod.period = "早督修";
    std::vector<CoverPlan> read = cover::plansFromRows({rows[0], broken, noPeriod, rows[1]});
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], plan);
}

} // namespace
