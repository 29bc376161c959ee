// LessonorderPlan on a temporary database: the class and subject lists, how stored numbers
// show, what a save makes of the page's cells (names looked up, unknown texts keeping the
// stored number, emptied rows removed, later rows kept in order), refused rows writing
// nothing, and a failed save leaving the table as it was.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "planning/LessonorderPlan.h"
#include "store/CCNRecord.h"
#include "store/COPRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::storeCourses;

using planning::LessonorderPlan;
using Names = std::vector<std::string>;
using Rows = std::vector<store::OrderplanRow>;
using Cells = LessonorderPlan::Cells;

Rows stored() {
    return store::COPRecord().readAll();
}

// A stored row for class number n of 初一 with the given numbers.
store::OrderplanRow rowOf(int n, const std::string& course, int w1, int w2, int p1, int p2,
                          int order = 0) {
    return {LessonorderPlan::classNames()[static_cast<std::size_t>(n - 1)],
            course,
            w1,
            w2,
            p1,
            p2,
            order};
}

class LessonorderPlanTest : public ::testing::Test {
protected:
    void SetUp() override { storeCourses({"语文", "数学", "英语", "物理实验"}); }

    LessonorderPlan loaded() {
        LessonorderPlan logic(m_messenger);
        EXPECT_TRUE(logic.load());
        return logic;
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST(LessonorderPlanNames, ClassesRunGradeByGradeAndDaysAndPeriodsOneToSeven) {
    const Names classes = LessonorderPlan::classNames();
    ASSERT_EQ(classes.size(), 120U);
    EXPECT_EQ(classes[0], "初一⑴");
    EXPECT_EQ(classes[19], "初一⒇");
    EXPECT_EQ(classes[20], "初二⑴");
    EXPECT_EQ(classes[119], "高三⒇");

    EXPECT_EQ(LessonorderPlan::dayName(1), "星期一");
    EXPECT_EQ(LessonorderPlan::dayName(7), "星期日");
    EXPECT_EQ(LessonorderPlan::periodName(1), "第一节");
    EXPECT_EQ(LessonorderPlan::periodName(7), "第七节");
    for (const int outside : {0, -1, 8, 100}) {
        EXPECT_EQ(LessonorderPlan::dayName(outside), "") << outside;
        EXPECT_EQ(LessonorderPlan::periodName(outside), "") << outside;
    }
}

TEST_F(LessonorderPlanTest, WithoutCourseNamesTheDialogIsUnusable) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    LessonorderPlan logic(m_messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");
}

TEST_F(LessonorderPlanTest, SubjectsAreTheFirstTwentyNamesAtLeastThreeBytesWide) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    Names names{"语文", "ab", "体"};
    for (int i = 3; i < 22; ++i) {
        names.push_back("课程" + std::to_string(i));
    }
    storeCourses(names);
    const LessonorderPlan logic = loaded();
    Names expected{"语文"};
    for (int i = 3; i < 20; ++i) {
        expected.push_back("课程" + std::to_string(i));
    }
    EXPECT_EQ(logic.courses(), expected);
}

TEST_F(LessonorderPlanTest, ARangeIsStoredAsNumbersAndShowsTheSameNamesAgain) {
    LessonorderPlan logic = loaded();
    LessonorderPlan::Page page = logic.page();
    EXPECT_EQ(page, LessonorderPlan::Page{});
    page[0] = {"初二⑶", "数学", "星期二", "星期四", "第三节", "第五节"};
    page[1] = {"高三⒇", "物理实验", "星期六", "星期日", "第一节", "第七节"};
    ASSERT_TRUE(logic.save(page));
    EXPECT_EQ(stored(),
              (Rows{{"初二⑶", "数学", 2, 4, 3, 5, 0}, {"高三⒇", "物理实验", 6, 7, 1, 7, 0}}));

    const LessonorderPlan again = loaded();
    EXPECT_EQ(again.page()[0], page[0]);
    EXPECT_EQ(again.page()[1], page[1]);
    EXPECT_EQ(again.page()[2], Cells{});
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(LessonorderPlanTest, OutOfRangeNumbersShowEmptyAndSurviveASaveUnlessChosen) {
    store::COPRecord().append(Rows{rowOf(1, "语文", 0, 9, -3, 8), rowOf(2, "数学", 8, 3, 0, 2)});
    LessonorderPlan logic = loaded();
    LessonorderPlan::Page page = logic.page();
    EXPECT_EQ(page[0], (Cells{"初一⑴", "语文", "", "", "", ""}));
    EXPECT_EQ(page[1], (Cells{"初一⑵", "数学", "", "星期三", "", "第二节"}));

    page[1].firstPeriod = "第一节";
    page[0].lastPeriod = "第四节 "; // not one of the names: keeps the stored 8
    ASSERT_TRUE(logic.save(page));
    EXPECT_EQ(stored(), (Rows{rowOf(1, "语文", 0, 9, -3, 8), rowOf(2, "数学", 8, 3, 1, 2)}));
}

TEST_F(LessonorderPlanTest, TwelveRowsShowTheFirstTenAndAllComeBackInOrder) {
    Rows rows;
    for (int n = 1; n <= 12; ++n) {
        rows.push_back(rowOf(n, n % 2 == 0 ? "语文" : "英语", 1, n % 7 + 1, 1, 7));
    }
    store::COPRecord().append(rows);
    LessonorderPlan logic = loaded();
    ASSERT_EQ(logic.entries().size(), 12U);
    const LessonorderPlan::Page page = logic.page();
    EXPECT_EQ(page[9].className, "初一⑽");
    ASSERT_TRUE(logic.save(page));
    EXPECT_EQ(stored(), rows);

    // An edit on the page lands on its own row; rows 11 and 12 stay last.
    LessonorderPlan::Page edited = page;
    edited[4].course = "数学";
    edited[4].lastPeriod = "第三节";
    ASSERT_TRUE(logic.save(edited));
    rows[4].course = "数学";
    rows[4].number2 = 3;
    EXPECT_EQ(stored(), rows);
}

TEST_F(LessonorderPlanTest, AnEmptiedRowIsRemovedAndTheRowsAfterItMoveUp) {
    Rows rows;
    for (int n = 1; n <= 12; ++n) {
        rows.push_back(rowOf(n, "语文", 1, 5, 1, 7));
    }
    store::COPRecord().append(rows);
    LessonorderPlan logic = loaded();
    LessonorderPlan::Page page = logic.page();
    page[2] = Cells{};
    page[2].course = "数学"; // a subject without a class is still an empty row
    page[6].course = "英语"; // an edit after the emptied row is not lost
    ASSERT_TRUE(logic.save(page));

    Rows expected = rows;
    expected[6].course = "英语";
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(stored(), expected);
    // The logic now holds what the table holds: the 11th row has moved onto the page.
    ASSERT_EQ(logic.entries().size(), 11U);
    EXPECT_EQ(logic.page()[9].className, "初一⑾");
    ASSERT_TRUE(logic.save(logic.page()));
    EXPECT_EQ(stored(), expected);
}

TEST_F(LessonorderPlanTest, RowsPastTheHundredthAreKeptAsTheyAre) {
    Rows rows;
    for (int n = 1; n <= 105; ++n) {
        rows.push_back(rowOf(n % 120 + 1, "语文", 1 + n % 7, 7, 1, 1 + n % 7));
    }
    store::COPRecord().append(rows);
    LessonorderPlan logic = loaded();
    EXPECT_EQ(logic.entries().size(), 100U);
    LessonorderPlan::Page page = logic.page();
    page[0] = Cells{};
    ASSERT_TRUE(logic.save(page));
    rows.erase(rows.begin());
    EXPECT_EQ(stored(), rows);
    EXPECT_EQ(logic.entries().size(), 100U);
    EXPECT_EQ(logic.entries().back().className, rows[99].className);
}

TEST_F(LessonorderPlanTest, ARowWithAClassNeedsASubjectAndRangesThatRunForward) {
    store::COPRecord().append(Rows{rowOf(1, "语文", 1, 2, 3, 4, 1)});
    struct Case {
        Cells cells;
        std::string message;
    };
    const std::vector<Case> refused = {
        {{"初一⑵", "", "星期一", "星期二", "", ""}, "第2行请选择学科!"},
        {{"初一⑵", "数学", "星期四", "星期三", "", ""}, "第2行的星期起点晚于星期终点!"},
        {{"初一⑵", "数学", "星期日", "星期一", "第一节", "第一节"}, "第2行的星期起点晚于星期终点!"},
        {{"初一⑵", "数学", "", "", "第七节", "第六节"}, "第2行的节别起点晚于节别终点!"},
    };
    for (const Case& c : refused) {
        LessonorderPlan logic = loaded();
        LessonorderPlan::Page page = logic.page();
        page[1] = c.cells;
        page[0].course = "数学";
        m_messenger.clear();
        EXPECT_FALSE(logic.save(page)) << c.message;
        EXPECT_EQ(logic.refusedRow(), 2) << c.message;
        EXPECT_EQ(m_messenger.texts(), Names{c.message});
        EXPECT_EQ(stored(), Rows{rowOf(1, "语文", 1, 2, 3, 4, 1)}) << c.message;
    }

    // Equal ends, and an end that is not set, are fine; a row on the same day passes.
    LessonorderPlan logic = loaded();
    LessonorderPlan::Page page = logic.page();
    page[1] = {"初一⑵", "数学", "星期三", "星期三", "第二节", ""};
    ASSERT_TRUE(logic.save(page));
    EXPECT_EQ(logic.refusedRow(), 0);
    EXPECT_EQ(stored(), (Rows{rowOf(1, "语文", 1, 2, 3, 4), rowOf(2, "数学", 3, 3, 2, 0)}));
}

TEST_F(LessonorderPlanTest, AStoredInvertedRangeOnlyStopsASaveOnceBothEndsAreInRange) {
    store::COPRecord().append(Rows{rowOf(1, "语文", 9, 2, 0, 0)});
    LessonorderPlan logic = loaded();
    ASSERT_TRUE(logic.save(logic.page()));
    LessonorderPlan::Page page = logic.page();
    page[0].firstDay = "星期五";
    EXPECT_FALSE(logic.save(page));
    EXPECT_EQ(stored(), Rows{rowOf(1, "语文", 9, 2, 0, 0)});
}

TEST_F(LessonorderPlanTest, AFailedSaveLeavesTheTableAsItWas) {
    const Rows before{rowOf(1, "语文", 1, 2, 3, 4), rowOf(2, "数学", 1, 1, 1, 1),
                      rowOf(3, "英语", 5, 5, 7, 7)};
    store::COPRecord().append(before);
    LessonorderPlan logic = loaded();
    LessonorderPlan::Page page = logic.page();
    page[0].course = "英语";
    page[3] = {"高一⑸", "数学", "星期一", "星期五", "第一节", "第二节"};
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [orderplan] "
                 "WHEN NEW.[class] = '高一⑸' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(page), store::DbError);
    EXPECT_EQ(stored(), before);
    // The plan in memory is still the one read, so the page can be saved once the cause is gone.
    EXPECT_EQ(logic.page()[0].course, "语文");
    m_db.execute("DROP TRIGGER refuse");
    ASSERT_TRUE(logic.save(page));
    EXPECT_EQ(stored().size(), 4U);
}

} // namespace
