// Class counts of the six grades: reading (unknown grades ignored, last row wins), the 0 … 20
// range check of the boxes, and saving one row per grade with classes, in grade order.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/Gradeclass.h"
#include "store/CGSRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using masterdata::Gradeclass;
using Row = store::GradeclassRow;

void store(const std::vector<Row>& rows) {
    store::CGSRecord rs;
    rs.append(rows);
}

std::vector<Row> stored() {
    store::CGSRecord rs;
    return rs.readAll();
}

class GradeclassTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(GradeclassTest, EmptyTableShowsSixZerosAndOkLeavesItEmpty) {
    Gradeclass logic(m_messenger);
    EXPECT_EQ(logic.texts(), (Gradeclass::Texts{"0", "0", "0", "0", "0", "0"}));
    ASSERT_FALSE(logic.take(logic.texts()));
    ASSERT_TRUE(logic.save());
    EXPECT_TRUE(stored().empty());
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradeclassTest, LabelsFollowTheGradeOrder) {
    EXPECT_EQ(Gradeclass::label(0), "初一年段");
    EXPECT_EQ(Gradeclass::label(3), "高一年段");
    EXPECT_EQ(Gradeclass::label(5), "高三年段");
}

TEST_F(GradeclassTest, ReadingIgnoresUnknownGradesAndTheLastRowWins) {
    store({{"高二", 7}, {"初 一", 12}, {"初一", 8}, {"高二", 9}, {"初一 ", 3}});
    Gradeclass logic(m_messenger);
    EXPECT_EQ(logic.counts(), (Gradeclass::Counts{8, 0, 0, 0, 9, 0}));
}

TEST_F(GradeclassTest, SaveWritesGradesWithClassesInGradeOrderAndDropsUnknownRows) {
    store({{"高三", 10}, {"初 一", 12}, {"初二", 6}, {"初一", 8}});
    Gradeclass logic(m_messenger);
    // 初二 set to 0 loses its row; the others are written anew in grade order.
    ASSERT_FALSE(logic.take({"8", "0", "5", "0", "0", "10"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 8}, {"初三", 5}, {"高三", 10}}));
}

TEST_F(GradeclassTest, TwentyIsAcceptedAndZeroMeansNoRow) {
    Gradeclass logic(m_messenger);
    ASSERT_FALSE(logic.take({"20", "0", "0", "0", "0", "1"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 20}, {"高三", 1}}));
}

TEST_F(GradeclassTest, RefusedBoxNamesTheRangeAndChangesNothing) {
    store({{"初一", 4}});
    Gradeclass logic(m_messenger);
    const struct {
        Gradeclass::Texts texts;
        int refused;
    } cases[] = {
        {{"5", "21", "0", "0", "0", "0"}, 1},          // one above the range
        {{"5", "3", "", "0", "0", "0"}, 2},            // empty
        {{"5", "3", "2", "-1", "0", "0"}, 3},          // below the range
        {{"5", "3", "2", "1", "2a", "0"}, 4},          // not a number
        {{"5", "3", "2", "1", "2", "99999999999"}, 5}, // does not fit an int
        {{"21", "3", "", "1", "2", "0"}, 0},           // the first refused box counts
    };
    for (const auto& c : cases) {
        m_messenger.clear();
        const std::optional<int> refused = logic.take(c.texts);
        ASSERT_TRUE(refused.has_value()) << c.texts[static_cast<std::size_t>(c.refused)];
        EXPECT_EQ(*refused, c.refused);
        EXPECT_EQ(m_messenger.texts(), std::vector<std::string>{Gradeclass::kRangeMessage});
        EXPECT_EQ(logic.counts(), (Gradeclass::Counts{4, 0, 0, 0, 0, 0}));
    }
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 4}}));
}

TEST_F(GradeclassTest, StoredCountOutsideTheRangeMustBeCorrectedBeforeSaving) {
    store({{"初二", 25}});
    Gradeclass logic(m_messenger);
    EXPECT_EQ(logic.texts()[1], "25");
    EXPECT_EQ(logic.take(logic.texts()), std::optional<int>(1));
    EXPECT_EQ(stored(), (std::vector<Row>{{"初二", 25}}));
}

TEST_F(GradeclassTest, CancelWritesNothing) {
    store({{"初一", 4}, {"高一", 6}});
    {
        Gradeclass logic(m_messenger);
        ASSERT_FALSE(logic.take({"1", "2", "3", "4", "5", "6"}));
    }
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 4}, {"高一", 6}}));
}

TEST_F(GradeclassTest, RefusedSaveShowsTheDriverTextAndKeepsTheTable) {
    store({{"初一", 4}});
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [gradeclass] "
                 "WHEN NEW.[class] = 13 BEGIN SELECT RAISE(ABORT, 'refused by test'); END");
    Gradeclass logic(m_messenger);
    ASSERT_FALSE(logic.take({"2", "13", "0", "0", "0", "0"}));
    EXPECT_FALSE(logic.save());
    ASSERT_EQ(m_messenger.entries().size(), 1U);
    EXPECT_NE(m_messenger.entries()[0].text.find("refused by test"), std::string::npos);
    EXPECT_EQ(stored(), (std::vector<Row>{{"初一", 4}}));
}

} // namespace
