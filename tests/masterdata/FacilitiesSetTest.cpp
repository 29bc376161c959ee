// FacilitiesSet on a temporary database: pairs load in stored order, saving closes the
// gaps and drops pairs without a subject or limit (0, empty or negative), the limit boxes
// are checked (a whole number of at most 29) before anything is written, and the dialog is
// unusable without course names.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/FacilitiesSet.h"
#include "store/CCNRecord.h"
#include "store/CCSRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using masterdata::FacilitiesSet;
using Rows = std::vector<store::CourseshareRow>;
using Names = std::vector<std::string>;

Rows storedRows() {
    return store::CCSRecord().readAll();
}

class FacilitiesSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"体育"}, {"物理"}, {"信息技术"}});
    }

    // Sets every pair, empty where not given.
    void setPairs(const std::vector<FacilitiesSet::Pair>& pairs) {
        for (int k = 0; k < FacilitiesSet::kPairs; ++k) {
            const auto i = static_cast<std::size_t>(k);
            logic.setPair(k, i < pairs.size() ? pairs[i].subject : std::string(),
                          i < pairs.size() ? pairs[i].limit : std::string());
        }
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    FacilitiesSet logic{messenger};
};

TEST(FacilitiesSetUnusable, NoCourseNamesGivesItsMessage) {
    const testsupport::TempDatabase db;
    store::CCSRecord().append(Rows{{"体育", 3}});
    testsupport::RecordingMessenger messenger;
    FacilitiesSet logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程的名称!");
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(FacilitiesSetTest, AnEmptyTableShowsTenEmptyPairs) {
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.courses(), (Names{"语文", "体育", "物理", "信息技术"}));
    for (int k = 0; k < FacilitiesSet::kPairs; ++k) {
        EXPECT_EQ(logic.pair(k), (FacilitiesSet::Pair{})) << k;
    }
}

TEST_F(FacilitiesSetTest, StoredRowsFillThePairsInOrderAtMostTen) {
    Rows rows;
    for (int i = 1; i <= 12; ++i) {
        rows.push_back({"学科" + std::to_string(i), i});
    }
    rows[2].share = 0;
    store::CCSRecord().append(rows);
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.pair(0), (FacilitiesSet::Pair{"学科1", "1"}));
    EXPECT_EQ(logic.pair(2), (FacilitiesSet::Pair{"学科3", ""})); // 0 shows as an empty box
    EXPECT_EQ(logic.pair(9), (FacilitiesSet::Pair{"学科10", "10"}));
}

TEST_F(FacilitiesSetTest, SavingClosesTheGapsAndKeepsPairOrder) {
    ASSERT_TRUE(logic.load());
    setPairs({{"", ""},
              {"体育", "3"},
              {"物理", "0"}, // no limit: not stored
              {"", "5"},     // no subject: not stored
              {"信息", "2"}, // typed, not a course name: stored as typed
              {"体育", "1"}, // the same subject twice gives two rows
              {"化", "4"},   // one character is blank
              {"", ""},
              {"信息技术", "29"},
              {"语文", ""}});
    ASSERT_TRUE(logic.save());
    const Rows expected = {{"体育", 3}, {"信息", 2}, {"体育", 1}, {"信息技术", 29}};
    EXPECT_EQ(storedRows(), expected);
    EXPECT_TRUE(messenger.entries().empty());

    FacilitiesSet reopened(messenger);
    ASSERT_TRUE(reopened.load());
    EXPECT_EQ(reopened.pair(0), (FacilitiesSet::Pair{"体育", "3"}));
    EXPECT_EQ(reopened.pair(1), (FacilitiesSet::Pair{"信息", "2"}));
    EXPECT_EQ(reopened.pair(3), (FacilitiesSet::Pair{"信息技术", "29"}));
    EXPECT_EQ(reopened.pair(4), (FacilitiesSet::Pair{}));
}

TEST_F(FacilitiesSetTest, SavingAllEmptyPairsEmptiesTheTable) {
    store::CCSRecord().append(Rows{{"体育", 3}, {"物理", 2}});
    ASSERT_TRUE(logic.load());
    setPairs({});
    ASSERT_TRUE(logic.save());
    EXPECT_TRUE(storedRows().empty());
}

TEST_F(FacilitiesSetTest, LimitsAreWholeNumbersOfAtMostTwentyNine) {
    struct Case {
        std::string text;
        int stored;          // the limit stored for an accepted box (0: no row)
        std::string message; // the refusal, empty when accepted
    };
    const std::string range = "请输入一个 1 到 29 之间的整数（0 或不填表示不限）。";
    const std::string number = "请输入一个整数。";
    const std::vector<Case> cases = {
        {"29", 29, ""},          {"1", 1, ""},       {"0", 0, ""},       {"", 0, ""},
        {" 7 ", 7, ""},          {"+5", 5, ""},      {"-1", 0, ""},      {" -30 ", 0, ""},
        {"-99999999999", 0, ""}, {"30", 0, range},   {"+30", 0, range},  {"99999999999", 0, range},
        {"abc", 0, number},      {"1.5", 0, number}, {"5a", 0, number},  {"+", 0, number},
        {"+-3", 0, number},      {"二", 0, number},  {"1 2", 0, number}, {"0x1", 0, number},
        {"-", 0, number},
    };
    store::CCSRecord().append(Rows{{"语文", 1}});
    ASSERT_TRUE(logic.load());
    Rows lastSaved = storedRows();
    for (const Case& c : cases) {
        SCOPED_TRACE("limit '" + c.text + "'");
        messenger.clear();
        setPairs({{"体育", "2"}, {"物理", "3"}, {"信息技术", c.text}});
        if (c.message.empty()) {
            EXPECT_TRUE(logic.save());
            EXPECT_EQ(logic.invalidPair(), -1);
            EXPECT_TRUE(messenger.entries().empty());
            lastSaved = {{"体育", 2}, {"物理", 3}};
            if (c.stored > 0) {
                lastSaved.push_back({"信息技术", c.stored});
            }
        } else {
            EXPECT_FALSE(logic.save());
            EXPECT_EQ(logic.invalidPair(), 2);
            EXPECT_EQ(messenger.texts(), (Names{c.message}));
        }
        EXPECT_EQ(storedRows(), lastSaved); // a refused box writes nothing
    }
}

TEST_F(FacilitiesSetTest, ARefusedBoxBeforeAnyValidSaveWritesNothing) {
    store::CCSRecord().append(Rows{{"体育", 3}, {"物理", 2}});
    ASSERT_TRUE(logic.load());
    setPairs({{"语文", "4"}, {"体育", "-3"}, {"物理", "31"}, {"化学", "x"}});
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(logic.invalidPair(), 2); // the first refused box
    EXPECT_EQ(messenger.texts().size(), 1U);
    EXPECT_EQ(storedRows(), (Rows{{"体育", 3}, {"物理", 2}}));
}

TEST_F(FacilitiesSetTest, ANegativeLimitIsAcceptedAndNotStored) {
    store::CCSRecord().append(Rows{{"体育", 3}, {"物理", 2}});
    ASSERT_TRUE(logic.load());
    setPairs({{"体育", "-2"}, {"物理", "2"}, {"语文", "-1"}});
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(logic.invalidPair(), -1);
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_EQ(storedRows(), (Rows{{"物理", 2}}));
}

TEST_F(FacilitiesSetTest, AStoredLimitAbove29IsShownAndMustBeMendedBeforeSaving) {
    store::CCSRecord().append(Rows{{"体育", 35}});
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.pair(0), (FacilitiesSet::Pair{"体育", "35"}));
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(logic.invalidPair(), 0);
    logic.setPair(0, "体育", "20");
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(storedRows(), (Rows{{"体育", 20}}));
}

TEST_F(FacilitiesSetTest, EditsThatAreNeverSavedWriteNothing) {
    store::CCSRecord().append(Rows{{"体育", 3}});
    {
        FacilitiesSet cancelled(messenger);
        ASSERT_TRUE(cancelled.load());
        cancelled.setPair(0, "", "");
        cancelled.setPair(1, "物理", "2");
    }
    EXPECT_EQ(storedRows(), (Rows{{"体育", 3}}));
}

} // namespace
