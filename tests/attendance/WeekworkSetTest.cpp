// The standard weekly workload on a temporary database: a grade's pairs read in table order,
// a save that replaces that grade's rows alone and stores no count of 0, the pairs refused
// (nothing written), a grade of more than 20 rows whose rows past the 20th survive a save,
// and a save without a grade or on a broken table.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "attendance/WeekworkSet.h"
#include "store/CCWRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using attendance::WeekworkSet;
using Rows = std::vector<store::CourseweekRow>;

WeekworkSet::Pairs pairs(std::initializer_list<WeekworkSet::Pair> given) {
    WeekworkSet::Pairs out{};
    std::copy(given.begin(), given.end(), out.begin());
    return out;
}

class WeekworkSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCWRecord().append(
            Rows{{"语文", 1, 6}, {"数学", 4, 6}, {"英语", 4, 5}, {"物理", 5, 3}});
    }
    Rows stored() { return store::CCWRecord().readAll(); }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    WeekworkSet logic{messenger};
};

TEST_F(WeekworkSetTest, SavingAGradeReplacesItsRowsAloneWithoutZeroCounts) {
    logic.chooseGrade(3); // 高一
    EXPECT_EQ(logic.pairs(), pairs({{"数学", "6"}, {"英语", "5"}}));

    ASSERT_TRUE(logic.save(pairs({{"数学", "5"}, {"语文", "0"}, {"", ""}, {" 化学 ", " 2"}})));
    EXPECT_EQ(stored(), (Rows{{"语文", 1, 6}, {"物理", 5, 3}, {"数学", 4, 5}, {"化学", 4, 2}}));

    ASSERT_TRUE(logic.save(pairs({{"数学", "5"}})));
    EXPECT_EQ(stored(), (Rows{{"语文", 1, 6}, {"物理", 5, 3}, {"数学", 4, 5}}));
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(WeekworkSetTest, ARefusedPairIsNamedAndNothingIsWritten) {
    struct Case {
        WeekworkSet::Pair pair;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"化学", "31"}, "第3组“化学”的周课时请输入 0 到 30 之间的整数。"},
        {{"化学", "-1"}, "第3组“化学”的周课时请输入 0 到 30 之间的整数。"},
        {{"化学", "2.5"}, "第3组“化学”的周课时请输入 0 到 30 之间的整数。"},
        {{"", "abc"}, "第3组的周课时请输入 0 到 30 之间的整数。"},
        {{"", "4"}, "第3组有周课时 4，请输入学科名称。"},
        {{"信息技术基础", "1"}, "第3组的学科名称“信息技术基础”太长，最多 10 个字节（5 个汉字）。"},
    };
    logic.chooseGrade(3);
    for (const Case& c : cases) {
        messenger.clear();
        EXPECT_FALSE(logic.save(pairs({{"数学", "5"}, {"英语", "0"}, c.pair}))) << c.message;
        EXPECT_EQ(messenger.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(logic.refusedPair(), 2);
        EXPECT_EQ(stored().size(), 4u) << c.message;
    }
}

TEST_F(WeekworkSetTest, RowsPastTheTwentiethAreShownNotButKept) {
    Rows many;
    for (int r = 1; r <= 23; ++r) {
        many.push_back({"学科" + std::to_string(r), 2, r});
    }
    store::CCWRecord().append(many);
    logic.chooseGrade(1); // 初二
    EXPECT_EQ(logic.pairs()[19], (WeekworkSet::Pair{"学科20", "20"}));
    EXPECT_EQ(messenger.texts(),
              std::vector<std::string>{
                  "初二有 23 条学科周工作量，这里只显示前 20 条；其余 3 条存盘时原样保留。"});

    WeekworkSet::Pairs edited = logic.pairs();
    edited[0].weekly = "0";
    ASSERT_TRUE(logic.save(edited));
    Rows grade2;
    for (const store::CourseweekRow& row : stored()) {
        if (row.grade == 2) {
            grade2.push_back(row);
        }
    }
    ASSERT_EQ(grade2.size(), 22u);
    EXPECT_EQ(grade2.front(), (store::CourseweekRow{"学科2", 2, 2}));
    EXPECT_EQ(grade2.back(), (store::CourseweekRow{"学科23", 2, 23}));
}

TEST_F(WeekworkSetTest, NoGradeOrABrokenTableWritesNothing) {
    EXPECT_FALSE(logic.save(pairs({{"数学", "5"}})));
    EXPECT_EQ(messenger.texts(), std::vector<std::string>{"请先选择年段!"});
    logic.chooseGrade(0);
    logic.chooseGrade(6);
    EXPECT_EQ(logic.gradeIndex(), -1);
    EXPECT_FALSE(logic.save(pairs({{"数学", "5"}})));

    logic.chooseGrade(0);
    db.execute("DROP TABLE courseweek");
    EXPECT_THROW(logic.save(pairs({{"数学", "5"}})), store::DbError);
}

} // namespace
