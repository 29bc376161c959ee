// CoursePropertyset on a temporary database: a grade's pairs load in stored order, a save
// replaces that grade's rows only, a selector showing nothing keeps the loaded property
// (3 when none), switching grades discards unsaved changes, and a save without a grade is
// refused. Without course names the dialog warns but still opens.
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "masterdata/CoursePropertyset.h"
#include "store/CCNRecord.h"
#include "store/CCPRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using masterdata::CoursePropertyset;
using Rows = std::vector<store::CoursepropertyRow>;
using Names = std::vector<std::string>;
using Pair = CoursePropertyset::Pair;

constexpr int kChuEr = 1; // grade index of 初二
constexpr int kGaoYi = 3; // grade index of 高一

Rows storedRows() {
    return store::CCPRecord().readAll();
}

const Rows kOtherGrades = {{"初一", "语文", 1}, {"高一", "物理", 0}, {"初一", "美术", 0}};

class CoursePropertysetTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"美术"}, {"信息技术"}});
        store::CCPRecord().append(kOtherGrades);
        logic.load();
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    CoursePropertyset logic{messenger};
};

TEST(CoursePropertysetNoCourses, WarnsButStaysUsable) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    CoursePropertyset logic(messenger);
    logic.load();
    EXPECT_EQ(logic.startMessage(), "请设置学科课程的名称!");
    EXPECT_TRUE(logic.courses().empty());
    // A course can still be typed and saved.
    logic.chooseGrade(kChuEr);
    logic.setPair(0, "化学", "考试科");
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows(), (Rows{{"初二", "化学", 1}}));
}

TEST_F(CoursePropertysetTest, CourseNamesAreOfferedAndNothingIsSaidWhenPresent) {
    EXPECT_TRUE(logic.startMessage().empty());
    EXPECT_EQ(logic.courses(), (Names{"语文", "数学", "美术", "信息技术"}));
    EXPECT_FALSE(logic.hasGrade());
}

TEST_F(CoursePropertysetTest, AGradeWithoutRowsShowsTwentyBlankPairs) {
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.grade(), "初二");
    for (int k = 0; k < CoursePropertyset::kPairs; ++k) {
        EXPECT_EQ(logic.pair(k), (Pair{"", CoursePropertyset::kNotSet})) << k;
        EXPECT_EQ(logic.propertyText(k), "") << k;
    }
}

TEST_F(CoursePropertysetTest, AGradesRowsFillThePairsInStoredOrder) {
    logic.chooseGrade(0);
    EXPECT_EQ(logic.pair(0), (Pair{"语文", 1}));
    EXPECT_EQ(logic.propertyText(0), "考试科");
    EXPECT_EQ(logic.pair(1), (Pair{"美术", 0}));
    EXPECT_EQ(logic.propertyText(1), "考查科");
    EXPECT_EQ(logic.pair(2), (Pair{}));
}

TEST_F(CoursePropertysetTest, AtMostTwentyRowsOfAGradeAreShown) {
    Rows many;
    for (int i = 1; i <= 22; ++i) {
        many.push_back({"初二", "课程" + std::to_string(i), i % 2});
    }
    store::CCPRecord().append(many);
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.pair(19), (Pair{"课程20", 0}));
}

TEST_F(CoursePropertysetTest, ChosenPropertiesAreStoredAndShownAgain) {
    logic.chooseGrade(kChuEr);
    logic.setPair(0, "语文", "考试科");
    logic.setPair(1, "美术", "考查科");
    logic.setPair(3, "信息技术", ""); // entered without a property
    logic.setPair(4, "数", "考试科"); // blank course: not stored
    ASSERT_TRUE(logic.save());
    Rows expected = kOtherGrades;
    expected.insert(expected.end(),
                    {{"初二", "语文", 1}, {"初二", "美术", 0}, {"初二", "信息技术", 3}});
    EXPECT_EQ(storedRows(), expected);

    CoursePropertyset reopened(messenger);
    reopened.load();
    reopened.chooseGrade(kChuEr);
    EXPECT_EQ(reopened.propertyText(0), "考试科");
    EXPECT_EQ(reopened.propertyText(1), "考查科");
    EXPECT_EQ(reopened.pair(2), (Pair{"信息技术", 3}));
    EXPECT_EQ(reopened.propertyText(2), "");
}

TEST_F(CoursePropertysetTest, ASelectorShowingNothingKeepsTheLoadedProperty) {
    store::CCPRecord().append(Rows{{"初二", "数学", 0}, {"初二", "美术", 2}});
    logic.chooseGrade(kChuEr);
    EXPECT_EQ(logic.propertyText(1), ""); // an unknown stored value shows nothing
    logic.setPair(0, "数学", "");
    logic.setPair(1, "美术", "");
    logic.setPair(2, "语文", "考试科");
    ASSERT_TRUE(logic.save());
    const Rows rows = storedRows();
    EXPECT_EQ(Rows(rows.end() - 3, rows.end()),
              (Rows{{"初二", "数学", 0}, {"初二", "美术", 2}, {"初二", "语文", 1}}));
}

TEST_F(CoursePropertysetTest, ASaveReplacesTheGradesRowsOnly) {
    logic.chooseGrade(0);
    logic.setPair(0, "", "考试科"); // 语文 removed
    logic.setPair(1, "美术", "考试科");
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(storedRows(), (Rows{{"高一", "物理", 0}, {"初一", "美术", 1}}));
}

TEST_F(CoursePropertysetTest, SwitchingGradesDiscardsUnsavedChanges) {
    logic.chooseGrade(0);
    logic.setPair(0, "数学", "考查科");
    logic.chooseGrade(kGaoYi);
    EXPECT_EQ(logic.pair(0), (Pair{"物理", 0}));
    logic.chooseGrade(0);
    EXPECT_EQ(logic.pair(0), (Pair{"语文", 1}));
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(CoursePropertysetTest, SavingWithoutAGradeIsRefusedAndWritesNothing) {
    logic.setPair(0, "语文", "考试科");
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"请先选择年段!"}));
    logic.chooseGrade(0);
    logic.chooseGrade(-1);
    EXPECT_FALSE(logic.hasGrade());
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(CoursePropertysetTest, EditsThatAreNeverSavedWriteNothing) {
    {
        CoursePropertyset closed(messenger);
        closed.load();
        closed.chooseGrade(0);
        closed.setPair(0, "", "");
        closed.setPair(5, "数学", "考试科");
    }
    EXPECT_EQ(storedRows(), kOtherGrades);
}

TEST_F(CoursePropertysetTest, AGradeWhoseRowsCouldNotBeReadIsNotChosen) {
    logic.chooseGrade(kGaoYi);
    db.execute("ALTER TABLE [courseproperty] RENAME TO [hidden]");
    EXPECT_THROW(logic.chooseGrade(0), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [courseproperty]");
    EXPECT_FALSE(logic.hasGrade());
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(storedRows(), kOtherGrades);
}

} // namespace
