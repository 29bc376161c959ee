// The arrangement plan read from table orderplan: rows in stored order as ranges, the first
// 100 only, rows with an unreadable number passed over and named.
#include "TempDatabase.h"

#include "optimise/PlanStore.h"
#include "store/COPRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(PlanStore, ReadsTheFirstHundredRowsInOrderAndNamesUnreadableOnes) {
    testsupport::TempDatabase db;
    EXPECT_TRUE(optimise::loadPlan().empty());

    std::vector<store::OrderplanRow> rows;
    rows.push_back({"初二⑶", "体育", 2, 4, 3, 5, 0});
    rows.push_back({"初一⑴", "音乐", 0, 0, 7, 0, 1});
    for (int i = 0; i < 100; ++i) {
        rows.push_back({"高三⑵", "化学", 1, 1, 1, 1, 0});
    }
    store::COPRecord().append(rows);
    db.execute("UPDATE orderplan SET week2 = 'x' WHERE _key = 3");

    std::vector<std::string> ignored;
    const std::vector<optimise::PlanRange> plan = optimise::loadPlan(ignored);
    ASSERT_EQ(plan.size(), 99u); // rows 1..100 less the unreadable third
    EXPECT_EQ(plan[0], (optimise::PlanRange{"初二⑶", "体育", 2, 4, 3, 5}));
    EXPECT_EQ(plan[1], (optimise::PlanRange{"初一⑴", "音乐", 0, 0, 7, 0}));
    EXPECT_EQ(plan[2].className, "高三⑵");
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_NE(ignored[0].find("orderplan 第 3 行"), std::string::npos) << ignored[0];
    EXPECT_EQ(optimise::loadPlan(), plan);
}
