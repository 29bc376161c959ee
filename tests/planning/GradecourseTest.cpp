// Gradecourse on a temporary database: a save replaces the chosen grade's rows of the mode's
// plan and nothing else, the review plan needs 1..10 days, counts outside 0..30 show as 0
// and are refused on saving, empty slots close up, the course boxes' list ends at the first
// name narrower than 3 bytes, and a failed read or save writes nothing.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "planning/Gradecourse.h"
#include "store/CCNRecord.h"
#include "store/CGCRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::storeCourses;

using planning::Gradecourse;
using Mode = Gradecourse::Mode;
using Names = std::vector<std::string>;
using Rows = std::vector<store::GradecourseRow>;

Rows stored() {
    return store::CGCRecord().readAll();
}

Rows rowsOf(const std::string& grade, bool review) {
    Rows out;
    for (const auto& row : stored()) {
        if (row.grade == grade && (review ? row.days != 0 : row.days == 0)) {
            out.push_back(row);
        }
    }
    return out;
}

Rows rowsNotOf(const std::string& grade, bool review) {
    Rows out;
    for (const auto& row : stored()) {
        if (!(row.grade == grade && (review ? row.days != 0 : row.days == 0))) {
            out.push_back(row);
        }
    }
    return out;
}

Gradecourse::Slots emptySlots() {
    Gradecourse::Slots grid;
    for (auto& s : grid) {
        s.weekly = "0";
    }
    return grid;
}

// A school with five courses and plans of several grades in both plans, stored interleaved.
class GradecourseTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeCourses({"语文", "数学", "英语", "信息技术", "体育"});
        store::CGCRecord().append(Rows{{"初一", "语文", 6, 0},
                                       {"高三", "语文", 4, 3},
                                       {"初一", "数学", 5, 0},
                                       {"初二", "英语", 5, 0},
                                       {"高三", "数学", 6, 0},
                                       {"初一", "英语", 4, 0},
                                       {"高三", "英语", 2, 5},
                                       {"高三", "物理", 1, -2},
                                       {"初一", "语文", 2, 7}});
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Gradecourse plan{messenger, Mode::Grade};
    Gradecourse review{messenger, Mode::Review};
};

TEST(GradecourseUnusable, AnEmptyCourseTableMakesTheDialogUnusable) {
    const testsupport::TempDatabase db;
    store::CGCRecord().append(Rows{{"初一", "语文", 6, 0}});
    testsupport::RecordingMessenger messenger;
    Gradecourse logic(messenger, Mode::Review);
    EXPECT_FALSE(logic.open());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请设置学科课程名称!");
    EXPECT_FALSE(logic.hasGrade());
    // The dialog shows the message; the logic itself says nothing.
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(GradecourseCourseList, EndsAtTheFirstNameNarrowerThanThreeBytes) {
    const testsupport::TempDatabase db;
    // The first name is always offered; "体a" (3 bytes) goes on, "" ends the list.
    storeCourses({"语", "数学", "体a", "", "英语"});
    testsupport::RecordingMessenger messenger;
    Gradecourse logic(messenger, Mode::Grade);
    ASSERT_TRUE(logic.open());
    EXPECT_EQ(logic.courses(), (Names{"语", "数学", "体a"}));
}

TEST(GradecourseCourseList, AnEmptyThirdNameLeavesTheFirstTwo) {
    const testsupport::TempDatabase db;
    storeCourses({"语文", "数学", "", "英语", "物理"});
    testsupport::RecordingMessenger messenger;
    Gradecourse logic(messenger, Mode::Grade);
    ASSERT_TRUE(logic.open());
    EXPECT_EQ(logic.courses(), (Names{"语文", "数学"}));
    Gradecourse twoByteStop(messenger, Mode::Grade);
    store::CCNRecord().replaceAll(
        std::vector<store::CoursenameRow>{{"语文"}, {"数"}, {"英语"}}); // 2 bytes end it too
    ASSERT_TRUE(twoByteStop.open());
    EXPECT_EQ(twoByteStop.courses(), (Names{"语文"}));
}

TEST(GradecourseCourseList, AtMostTwentyNames) {
    const testsupport::TempDatabase db;
    Names names;
    for (int i = 0; i < 25; ++i) {
        names.push_back("课程" + std::to_string(i));
    }
    storeCourses(names);
    testsupport::RecordingMessenger messenger;
    Gradecourse logic(messenger, Mode::Grade);
    ASSERT_TRUE(logic.open());
    ASSERT_EQ(logic.courses().size(), 20U);
    EXPECT_EQ(logic.courses().back(), "课程19");
}

TEST_F(GradecourseTest, OpeningShowsTheFirstGradesPlanOfTheMode) {
    ASSERT_TRUE(plan.open());
    EXPECT_EQ(plan.grade(), "初一");
    EXPECT_EQ(plan.entry(0), (Gradecourse::Entry{"语文", 6}));
    EXPECT_EQ(plan.entry(1), (Gradecourse::Entry{"数学", 5}));
    EXPECT_EQ(plan.entry(2), (Gradecourse::Entry{"英语", 4}));
    EXPECT_EQ(plan.entry(3), (Gradecourse::Entry{}));
    EXPECT_EQ(plan.days(), 0);
    EXPECT_EQ(plan.gridSlots()[3].weekly, "0");

    ASSERT_TRUE(review.open());
    EXPECT_EQ(review.entry(0), (Gradecourse::Entry{"语文", 2}));
    EXPECT_EQ(review.entry(1), (Gradecourse::Entry{}));
    EXPECT_EQ(review.days(), 7);
    EXPECT_EQ(review.daysText(), "7");
}

TEST_F(GradecourseTest, AReviewPlanTakesRowsWithDaysOfOneOrMoreOnly) {
    ASSERT_TRUE(review.open());
    review.chooseGrade(5); // 高三: days 3 and 5 are review rows, -2 belongs to neither plan
    EXPECT_EQ(review.entry(0), (Gradecourse::Entry{"语文", 4}));
    EXPECT_EQ(review.entry(1), (Gradecourse::Entry{"英语", 2}));
    EXPECT_EQ(review.entry(2), (Gradecourse::Entry{}));
    EXPECT_EQ(review.days(), 5); // the last review row's days
}

TEST_F(GradecourseTest, AGradeWithOnlyGradePlanRowsHasAnEmptyReviewPlanThatCannotBeSaved) {
    ASSERT_TRUE(review.open());
    review.chooseGrade(1); // 初二: one grade-plan row
    EXPECT_EQ(review.entry(0), (Gradecourse::Entry{}));
    EXPECT_EQ(review.days(), 0);
    const Rows before = stored();
    EXPECT_FALSE(review.save(review.gridSlots(), review.daysText()));
    EXPECT_EQ(messenger.texts(), (Names{"请输入复习时间（天数）!"}));
    EXPECT_EQ(review.refusedField(), Gradecourse::kDaysField);
    EXPECT_EQ(stored(), before);
}

TEST_F(GradecourseTest, ChoosingAGradeShowsItsOwnDaysNotThoseOfTheGradeBefore) {
    ASSERT_TRUE(review.open());
    review.chooseGrade(5);
    ASSERT_EQ(review.days(), 5);
    review.chooseGrade(1);
    EXPECT_EQ(review.days(), 0);
}

TEST_F(GradecourseTest, StoredCountsOutsideZeroToThirtyShowAsZero) {
    store::CGCRecord().append(Rows{{"高一", "语文", 31, 0},
                                   {"高一", "数学", -1, 0},
                                   {"高一", "英语", 30, 0},
                                   {"高一", "体育", 0, 0}});
    ASSERT_TRUE(plan.open());
    plan.chooseGrade(3);
    EXPECT_EQ(plan.entry(0), (Gradecourse::Entry{"语文", 0}));
    EXPECT_EQ(plan.entry(1), (Gradecourse::Entry{"数学", 0}));
    EXPECT_EQ(plan.entry(2), (Gradecourse::Entry{"英语", 30}));
    EXPECT_EQ(plan.entry(3), (Gradecourse::Entry{"体育", 0}));
}

TEST_F(GradecourseTest, AGradePlanSaveReplacesThatGradesPlanOnly) {
    ASSERT_TRUE(plan.open());
    Gradecourse::Slots grid = plan.gridSlots();
    grid[0] = {"数学", "7"};
    grid[1] = {"", "3"};         // no course: not stored, whatever the count
    grid[2] = {" 体育 ", "0"};   // surrounding spaces go; a count of 0 is stored
    grid[7] = {"信息技术", "2"}; // the gaps close up
    const Rows others = rowsNotOf("初一", false);
    // The days box is disabled in this plan; whatever it holds, rows carry 天数 0.
    ASSERT_TRUE(plan.save(grid, "9"));
    EXPECT_EQ(rowsOf("初一", false),
              (Rows{{"初一", "数学", 7, 0}, {"初一", "体育", 0, 0}, {"初一", "信息技术", 2, 0}}));
    EXPECT_EQ(rowsNotOf("初一", false), others);
    EXPECT_TRUE(messenger.entries().empty());

    // 存盘 keeps the dialog open: saving again writes the same rows, not twice.
    ASSERT_TRUE(plan.save(grid, "9"));
    EXPECT_EQ(rowsOf("初一", false).size(), 3U);
    EXPECT_EQ(stored().size(), others.size() + 3);
}

TEST_F(GradecourseTest, AReviewSaveReplacesEveryEarlierReviewRowOfTheGradeOnly) {
    ASSERT_TRUE(review.open());
    review.chooseGrade(5); // 高三
    Gradecourse::Slots grid = review.gridSlots();
    grid[1] = {"物理", "3"};
    grid[4] = {"化学", "2"};
    ASSERT_TRUE(review.save(grid, "10"));
    // 高三's review rows of 3 and 5 days (and the row of -2 days) are gone; its grade plan
    // and the rows of other grades, the review row of 初一 included, stay in their order.
    EXPECT_EQ(stored(), (Rows{{"初一", "语文", 6, 0},
                              {"初一", "数学", 5, 0},
                              {"初二", "英语", 5, 0},
                              {"高三", "数学", 6, 0},
                              {"初一", "英语", 4, 0},
                              {"初一", "语文", 2, 7},
                              {"高三", "语文", 4, 10},
                              {"高三", "物理", 3, 10},
                              {"高三", "化学", 2, 10}}));
}

TEST_F(GradecourseTest, AOneDayReviewPlanIsShownAgainOnReopening) {
    ASSERT_TRUE(review.open());
    review.chooseGrade(2); // 初三: nothing stored
    Gradecourse::Slots grid = emptySlots();
    grid[0] = {"语文", "3"};
    ASSERT_TRUE(review.save(grid, "1"));

    Gradecourse again(messenger, Mode::Review);
    ASSERT_TRUE(again.open());
    again.chooseGrade(2);
    EXPECT_EQ(again.entry(0), (Gradecourse::Entry{"语文", 3}));
    EXPECT_EQ(again.days(), 1);
    // The grade plan of 初三 still has nothing.
    Gradecourse gradePlan(messenger, Mode::Grade);
    ASSERT_TRUE(gradePlan.open());
    gradePlan.chooseGrade(2);
    EXPECT_EQ(gradePlan.entry(0), (Gradecourse::Entry{}));
}

TEST_F(GradecourseTest, ReviewDaysMustBeOneToTen) {
    ASSERT_TRUE(review.open());
    const Rows before = stored();
    struct Case {
        std::string days;
        std::string message;
    };
    for (const Case& c :
         {Case{"0", Gradecourse::kNoDays}, Case{"", Gradecourse::kNoDays},
          Case{"-3", Gradecourse::kNoDays}, Case{"11", Gradecourse::kTooManyDays},
          Case{"99999999999", Gradecourse::kTooManyDays}, Case{"两", Gradecourse::kNotANumber},
          Case{"3天", Gradecourse::kNotANumber}}) {
        messenger.clear();
        EXPECT_FALSE(review.save(review.gridSlots(), c.days)) << c.days;
        EXPECT_EQ(messenger.texts(), (Names{c.message})) << c.days;
        EXPECT_EQ(review.refusedField(), Gradecourse::kDaysField) << c.days;
    }
    EXPECT_EQ(stored(), before);
    messenger.clear();
    ASSERT_TRUE(review.save(review.gridSlots(), " 10 "));
    EXPECT_EQ(rowsOf("初一", true), (Rows{{"初一", "语文", 2, 10}}));
    EXPECT_EQ(review.refusedField(), -1);
}

TEST_F(GradecourseTest, ACountOfAStoredSlotMustBeAWholeNumberFromZeroToThirty) {
    ASSERT_TRUE(plan.open());
    const Rows before = stored();
    struct Case {
        std::string weekly;
        std::string message;
    };
    for (const Case& c :
         {Case{"31", Gradecourse::kWeeklyRange}, Case{"-1", Gradecourse::kWeeklyRange},
          Case{"4294967296", Gradecourse::kWeeklyRange}, Case{"", Gradecourse::kNotANumber},
          Case{"五", Gradecourse::kNotANumber}, Case{"+", Gradecourse::kNotANumber}}) {
        Gradecourse::Slots grid = plan.gridSlots();
        grid[4] = {"体育", c.weekly};
        messenger.clear();
        EXPECT_FALSE(plan.save(grid, "0")) << c.weekly;
        EXPECT_EQ(messenger.texts(), (Names{c.message})) << c.weekly;
        EXPECT_EQ(plan.refusedField(), 4) << c.weekly;
    }
    EXPECT_EQ(stored(), before);

    // A slot without a course is not stored, so its count box is not looked at.
    Gradecourse::Slots grid = plan.gridSlots();
    grid[4] = {" ", "abc"};
    grid[5] = {"体育", "30"};
    messenger.clear();
    ASSERT_TRUE(plan.save(grid, "0"));
    EXPECT_TRUE(messenger.entries().empty());
    EXPECT_EQ(rowsOf("初一", false).back(), (store::GradecourseRow{"初一", "体育", 30, 0}));
}

TEST_F(GradecourseTest, TwentyRowsAreKeptTheEighteenShownAndTheTwoHiddenOnes) {
    Rows many;
    for (int i = 0; i < 22; ++i) {
        many.push_back({"高二", "课程" + std::to_string(i), i, 0});
    }
    store::CGCRecord().append(many);
    ASSERT_TRUE(plan.open());
    EXPECT_TRUE(messenger.entries().empty());
    plan.chooseGrade(4);
    EXPECT_EQ(messenger.texts(), (Names{"高二的课程超过20门，只显示前20门，存盘时只保存这些。"}));
    EXPECT_EQ(plan.entry(19), (Gradecourse::Entry{"课程19", 19}));

    Gradecourse::Slots grid = plan.gridSlots();
    grid[0] = {"", "0"};
    ASSERT_TRUE(plan.save(grid, "0"));
    const Rows saved = rowsOf("高二", false);
    ASSERT_EQ(saved.size(), 19U);
    EXPECT_EQ(saved.front(), (store::GradecourseRow{"高二", "课程1", 1, 0}));
    EXPECT_EQ(saved[16], (store::GradecourseRow{"高二", "课程17", 17, 0}));
    EXPECT_EQ(saved.back(), (store::GradecourseRow{"高二", "课程19", 19, 0}));
}

TEST_F(GradecourseTest, AFailedSaveLeavesTheTableAndThePlanAsTheyWere) {
    ASSERT_TRUE(plan.open());
    Gradecourse::Slots grid = plan.gridSlots();
    grid[0] = {"体育", "2"};
    grid[3] = {"物理", "3"};
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [gradecourse] "
               "WHEN NEW.[学科] = '物理' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const Rows before = stored();
    EXPECT_THROW(plan.save(grid, "0"), store::DbError);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(plan.entry(0), (Gradecourse::Entry{"语文", 6}));
}

TEST_F(GradecourseTest, AGradeWhoseRowsCouldNotBeReadIsNotChosen) {
    ASSERT_TRUE(plan.open());
    db.execute("ALTER TABLE [gradecourse] RENAME TO [hidden]");
    EXPECT_THROW(plan.chooseGrade(1), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [gradecourse]");
    EXPECT_FALSE(plan.hasGrade());
    const Rows before = stored();
    // Saving now must neither replace 初二's plan nor write 初一's under another grade.
    EXPECT_FALSE(plan.save(plan.gridSlots(), "0"));
    EXPECT_EQ(messenger.texts(), (Names{"请先选择年段!"}));
    EXPECT_EQ(stored(), before);
}

} // namespace

// Only a plan other than the one read or saved counts as edited: what the save would store,
// never spaces, a count's spelling or an empty slot's count.
TEST_F(GradecourseTest, OnlyAPlanTheSaveWouldStoreDifferentlyIsAnEdit) {
    ASSERT_TRUE(review.open()); // 初一's review plan: 语文 2 over 7 days
    using Slots = Gradecourse::Slots;
    const auto with = [&](int slot, const char* course, const char* weekly) {
        Slots s = review.gridSlots();
        s[static_cast<std::size_t>(slot)] = {course, weekly};
        return s;
    };
    const struct {
        const char* name;
        Slots slots;
        const char* days;
        bool edited;
    } cases[] = {
        {"as read", review.gridSlots(), "7", false},
        {"spaces and a plus sign", with(0, " 语文 ", "+2"), " 7", false},
        {"an empty slot's count", with(3, "", "9"), "7", false},
        {"another count", with(0, "语文", "3"), "7", true},
        {"another course", with(0, "数学", "2"), "7", true},
        {"a course added", with(1, "英语", "0"), "7", true},
        {"a course removed", with(0, "", "2"), "7", true},
        {"another day count", review.gridSlots(), "6", true},
        {"a count that is no number", with(0, "语文", "x"), "7", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(review.edited(c.slots, c.days), c.edited) << c.name;
    }
    // Once saved, the saved plan is what the boxes are judged against.
    ASSERT_TRUE(review.save(with(0, "语文", "3"), "7"));
    EXPECT_FALSE(review.edited(with(0, " 语文", "3"), "7"));
    EXPECT_TRUE(review.edited(with(0, "语文", "2"), "7"));
}
