// Samelesson on a temporary database: a grade's first four slots load with their day and
// period names, a save replaces that grade's rows only and drops rows without a course or
// with a day or period that is not a name, a save without a grade is refused, and the
// dialog is unusable without course names.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/Samelesson.h"
#include "store/CCNRecord.h"
#include "store/CSLRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::storeCourses;

using masterdata::Samelesson;
using Rows = std::vector<store::SamelessonRow>;
using Names = std::vector<std::string>;
using Row = Samelesson::Row;

constexpr int kChuEr = 1; // grade index of 初二
constexpr int kGaoSan = 5;

Rows storedRows() {
    return store::CSLRecord().readAll();
}

const Rows kOtherGrades = {{"初一", 1, 7, "班会"}, {"高三", 5, 6, "体育"}};

class SamelessonTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "班会", "体育", "综合实践"});
        store::CSLRecord().append(kOtherGrades);
        ASSERT_TRUE(logic.load());
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Samelesson logic{messenger};
};

TEST(SamelessonUnusable, NoCourseNamesGivesItsMessage) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Samelesson logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(SamelessonCourses, TheListEndsWithAnEmptyChoiceUnlessTwentyCoursesFillIt) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    storeCourses({"语文", "数学", "英", "物理"});
    Samelesson few(messenger);
    ASSERT_TRUE(few.load());
    EXPECT_EQ(few.courseChoices(), (Names{"语文", "数学", ""}));

    Names twenty;
    for (int i = 0; i < 20; ++i) {
        twenty.push_back("课程" + std::to_string(i));
    }
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    storeCourses(twenty);
    storeCourses({"多余"});
    Samelesson full(messenger);
    ASSERT_TRUE(full.load());
    EXPECT_EQ(full.courseChoices(), twenty);
}

TEST_F(SamelessonTest, AGradeWithoutRowsShowsFourEmptyRows) {
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.grade(), "初二");
    for (int k = 0; k < Samelesson::kRows; ++k) {
        EXPECT_EQ(logic.row(k), Row{}) << k;
    }
}

TEST_F(SamelessonTest, ASavedSlotIsStoredAsNumbersAndShownAgainByName) {
    logic.chooseGrade(kChuEr);
    logic.setRow(0, {"星期三", "第五节", "综合实践"});
    ASSERT_TRUE(logic.save());
    Rows expected = kOtherGrades;
    expected.push_back({"初二", 3, 5, "综合实践"});
    EXPECT_EQ(storedRows(), expected);

    Samelesson reopened(messenger);
    ASSERT_TRUE(reopened.load());
    reopened.chooseGrade(kChuEr);
    EXPECT_EQ(reopened.row(0), (Row{"星期三", "第五节", "综合实践"}));
    EXPECT_EQ(reopened.row(1), Row{});
}

TEST_F(SamelessonTest, EveryDayAndPeriodNameMapsToItsNumber) {
    logic.chooseGrade(kChuEr);
    logic.setRow(0, {"星期一", "第一节", "班会"});
    logic.setRow(1, {"星期二", "第七节", "班会"});
    logic.setRow(2, {"星期四", "第六节", "班会"});
    logic.setRow(3, {"星期五", "第二节", "班会"});
    ASSERT_TRUE(logic.save());
    const Rows rows = storedRows();
    EXPECT_EQ(Rows(rows.begin() + 2, rows.end()), (Rows{{"初二", 1, 1, "班会"},
                                                        {"初二", 2, 7, "班会"},
                                                        {"初二", 4, 6, "班会"},
                                                        {"初二", 5, 2, "班会"}}));
}

TEST_F(SamelessonTest, RowsWithoutACourseOrWithUnknownSlotNamesAreDropped) {
    store::CSLRecord().append(Rows{{"初二", 1, 1, "班会"}, {"初二", 2, 2, "体育"}});
    logic.chooseGrade(kChuEr);
    logic.setRow(0, {"星期一", "第一节", ""});     // the empty course removes the slot
    logic.setRow(1, {"星期六", "第二节", "体育"}); // not a day of the week
    logic.setRow(2, {"星期二", "第2节", "体育"});  // typed period matches no name
    logic.setRow(3, {"星期二", "第三节", "体"});   // 2 bytes: no course
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(SamelessonTest, ACourseOfThreeBytesIsKept) {
    logic.chooseGrade(kChuEr);
    logic.setRow(0, {"星期二", "第三节", "体A"});
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows().back(), (store::SamelessonRow{"初二", 2, 3, "体A"}));
}

TEST_F(SamelessonTest, AFifthStoredRowOfAGradeIsNotShown) {
    store::CSLRecord().append(Rows{{"初二", 1, 1, "班会"},
                                   {"初二", 1, 2, "班会"},
                                   {"初三", 1, 3, "体育"},
                                   {"初二", 1, 4, "班会"},
                                   {"初二", 1, 5, "班会"},
                                   {"初二", 1, 6, "体育"}});
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.row(2), (Row{"星期一", "第四节", "班会"}));
    EXPECT_EQ(logic.row(3), (Row{"星期一", "第五节", "班会"}));
}

TEST_F(SamelessonTest, TwoRowsWithTheSameSlotAreBothStored) {
    logic.chooseGrade(kGaoSan);
    EXPECT_EQ(logic.row(0), (Row{"星期五", "第六节", "体育"}));
    logic.setRow(1, {"星期五", "第六节", "班会"});
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows(),
              (Rows{{"初一", 1, 7, "班会"}, {"高三", 5, 6, "体育"}, {"高三", 5, 6, "班会"}}));
}

TEST_F(SamelessonTest, StoredNumbersOutsideTheWeekShowEmptyAndAreDroppedOnSave) {
    store::CSLRecord().append(Rows{{"初二", 0, 3, "班会"}, {"初二", 2, 8, "体育"}});
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.row(0), (Row{"", "第三节", "班会"}));
    EXPECT_EQ(logic.row(1), (Row{"星期二", "", "体育"}));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(SamelessonTest, SwitchingGradesDiscardsUnsavedChanges) {
    logic.chooseGrade(0);
    logic.setRow(0, {"星期二", "第二节", "语文"});
    logic.chooseGrade(kGaoSan);
    logic.chooseGrade(0);
    EXPECT_EQ(logic.row(0), (Row{"星期一", "第七节", "班会"}));
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(SamelessonTest, SavingWithoutAGradeIsRefusedAndWritesNothing) {
    logic.setRow(0, {"星期一", "第一节", "班会"});
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"请先选择年段!"}));
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(SamelessonTest, EditsThatAreNeverSavedWriteNothing) {
    {
        Samelesson closed(messenger);
        ASSERT_TRUE(closed.load());
        closed.chooseGrade(0);
        closed.setRow(0, Row{});
    }
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(SamelessonTest, AGradeWhoseRowsCouldNotBeReadIsNotChosen) {
    logic.chooseGrade(kGaoSan);
    db.execute("ALTER TABLE [samelesson] RENAME TO [hidden]");
    EXPECT_THROW(logic.chooseGrade(0), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [samelesson]");
    EXPECT_FALSE(logic.hasGrade());
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(storedRows(), kOtherGrades);
}

} // namespace
