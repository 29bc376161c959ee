// PrearrangeLesson on a temporary database: mask positions, what a stored mask of any length
// loads as, the teacher's own row replaced in place with other teachers' rows untouched,
// unsaved marks dying with a teacher switch, and refusals that write nothing.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "planning/PrearrangeLesson.h"
#include "store/CLPRecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using planning::PrearrangeLesson;
using Names = std::vector<std::string>;
using Rows = std::vector<store::LessonprearrangeRow>;

const std::string kFree(35, '0');

Rows stored() {
    return store::CLPRecord().readAll();
}

// A mask with '1' at the given positions.
std::string maskWith(std::initializer_list<std::size_t> ones) {
    std::string mask = kFree;
    for (const std::size_t i : ones) {
        mask[i] = '1';
    }
    return mask;
}

// The marked cells as (day, period) pairs, day by day.
std::vector<std::pair<int, int>> markedCells(const PrearrangeLesson& logic) {
    std::vector<std::pair<int, int>> cells;
    for (int day = 1; day <= 5; ++day) {
        for (int period = 1; period <= 7; ++period) {
            if (logic.isMarked(day, period)) {
                cells.emplace_back(day, period);
            }
        }
    }
    return cells;
}

TEST(PrearrangeLessonMask, MondayFirstAndFridayLastAreTheEndsOfTheMask) {
    PrearrangeLesson::Marks marks{};
    marks[PrearrangeLesson::position(1, 1)] = true;
    marks[PrearrangeLesson::position(5, 7)] = true;
    EXPECT_EQ(PrearrangeLesson::maskOf(marks), "1" + std::string(33, '0') + "1");
    EXPECT_EQ(PrearrangeLesson::position(1, 1), 0U);
    EXPECT_EQ(PrearrangeLesson::position(5, 7), 34U);
    EXPECT_EQ(PrearrangeLesson::position(2, 3), 9U);
    EXPECT_EQ(PrearrangeLesson::position(2, 1), 7U);
    EXPECT_EQ(PrearrangeLesson::position(1, 7), 6U);
}

TEST(PrearrangeLessonMask, AMaskShorterThanThirtyCharactersHoldsNoMarks) {
    EXPECT_EQ(PrearrangeLesson::marksOf("1111111"), PrearrangeLesson::Marks{});
    EXPECT_EQ(PrearrangeLesson::marksOf(std::string(29, '1')), PrearrangeLesson::Marks{});
    EXPECT_EQ(PrearrangeLesson::marksOf(""), PrearrangeLesson::Marks{});
}

TEST(PrearrangeLessonMask, FromThirtyCharactersTheOnesThatAreThereCount) {
    const auto thirty = PrearrangeLesson::marksOf(std::string(30, '1'));
    for (std::size_t i = 0; i < 35; ++i) {
        EXPECT_EQ(thirty[i], i < 30) << i;
    }
    // Past position 34 nothing counts; anything but '1' is a free period.
    const auto longer = PrearrangeLesson::marksOf("x0" + std::string(32, '0') + "1" + "111");
    PrearrangeLesson::Marks expected{};
    expected[34] = true;
    EXPECT_EQ(longer, expected);
    EXPECT_EQ(PrearrangeLesson::maskOf(longer), maskWith({34}));
}

class PrearrangeLessonTest : public ::testing::Test {
protected:
    void SetUp() override { storeTeachers({"王伟", "李娜", "张强", "欧阳明"}); }

    int rosterIndex(const std::string& name) const {
        const auto& r = logic.roster();
        return static_cast<int>(std::find(r.begin(), r.end(), name) - r.begin());
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    PrearrangeLesson logic{messenger};
};

TEST(PrearrangeLessonUnusable, AnEmptyRosterGivesTheRosterMessage) {
    const testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    PrearrangeLesson logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请输入所有教师姓名!");
    EXPECT_TRUE(messenger.entries().empty());
}

TEST(PrearrangeLessonUnusable, ARosterWhoseFirstNameIsBlankHoldsNoUsableName) {
    const testsupport::TempDatabase db;
    storeTeachers({"王", "李娜"});
    testsupport::RecordingMessenger messenger;
    PrearrangeLesson logic(messenger);
    EXPECT_FALSE(logic.load());
    EXPECT_EQ(logic.unusableMessage(), "请输入所有教师姓名!");
}

TEST_F(PrearrangeLessonTest, TheRosterFollowsTableOrderUpToTheFirstBlankNameAndTwoHundred) {
    storeTeachers({"", "何平"});
    ASSERT_TRUE(logic.load());
    EXPECT_EQ(logic.roster(), (Names{"王伟", "李娜", "张强", "欧阳明"}));
    EXPECT_FALSE(logic.hasTeacher());

    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
    std::vector<store::TeachernameRow> many;
    for (int i = 0; i < 205; ++i) {
        many.push_back({"教师" + std::to_string(i)});
    }
    store::CTNRecord().append(many);
    ASSERT_TRUE(logic.load());
    ASSERT_EQ(logic.roster().size(), 200U);
    EXPECT_EQ(logic.roster().back(), "教师199");
}

TEST_F(PrearrangeLessonTest, ChoosingATeacherLoadsTheFirstRowOfThatTeacher) {
    store::CLPRecord().append(
        Rows{{"李娜", maskWith({0, 9})}, {"王伟", maskWith({34})}, {"李娜", maskWith({20})}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("李娜"));
    EXPECT_EQ(logic.teacher(), "李娜");
    EXPECT_EQ(markedCells(logic), (std::vector<std::pair<int, int>>{{1, 1}, {2, 3}}));
    EXPECT_EQ(logic.cellText(2, 3), "不排");
    EXPECT_EQ(logic.cellText(2, 4), "  ");

    // A teacher without a row shows an empty grid.
    logic.chooseTeacher(rosterIndex("张强"));
    EXPECT_TRUE(markedCells(logic).empty());
}

TEST_F(PrearrangeLessonTest, AShortStoredMaskLoadsAsNoMarks) {
    store::CLPRecord().append(Rows{{"王伟", "1111111"}, {"李娜", std::string(29, '1')}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("王伟"));
    EXPECT_TRUE(markedCells(logic).empty());
    logic.chooseTeacher(rosterIndex("李娜"));
    EXPECT_TRUE(markedCells(logic).empty());
}

TEST_F(PrearrangeLessonTest, SaveAddsARowForATeacherWithoutOne) {
    store::CLPRecord().append(Rows{{"王伟", maskWith({3})}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("张强"));
    logic.toggle(1, 1);
    logic.toggle(5, 7);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(),
              (Rows{{"王伟", maskWith({3})}, {"张强", "1" + std::string(33, '0') + "1"}}));
}

TEST_F(PrearrangeLessonTest, SaveReplacesTheTeachersRowInPlaceAndLeavesOtherTeachersAlone) {
    const Rows others{{"王伟", maskWith({0, 1, 2})}, {"欧阳明", "1111111"}};
    store::CLPRecord().append(Rows{others[0], {"李娜", maskWith({34})}, others[1]});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("李娜"));
    logic.toggle(5, 7); // off
    logic.toggle(2, 3); // on
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{others[0], {"李娜", maskWith({9})}, others[1]}));

    // 存盘 keeps the dialog open: saving the same teacher again keeps one row.
    logic.toggle(3, 4);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{others[0], {"李娜", maskWith({9, 17})}, others[1]}));
}

TEST_F(PrearrangeLessonTest, SaveLeavesTheTeacherOneRowEvenWhenTheTableHeldSeveral) {
    store::CLPRecord().append(Rows{{"李娜", maskWith({1})},
                                   {"王伟", maskWith({2})},
                                   {"李娜", maskWith({3})},
                                   {"张强", maskWith({4})}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("李娜"));
    logic.toggle(1, 2);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"李娜", kFree}, {"王伟", maskWith({2})}, {"张强", maskWith({4})}}));
}

TEST_F(PrearrangeLessonTest, AnUnmarkedGridIsStoredAsAllZeros) {
    store::CLPRecord().append(Rows{{"王伟", maskWith({5, 6})}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("王伟"));
    logic.toggle(1, 6);
    logic.toggle(1, 7);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"王伟", kFree}}));
}

TEST_F(PrearrangeLessonTest, ALongerStoredMaskIsWrittenBackAsThirtyFiveCharacters) {
    store::CLPRecord().append(Rows{{"王伟", maskWith({0}) + "11111"}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("王伟"));
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({0})}}));
}

TEST_F(PrearrangeLessonTest, SwitchingTeachersAsksBeforeItDiscardsUnsavedMarks) {
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("王伟"));
    logic.toggle(4, 4);
    messenger.scriptAnswers({false, true});
    EXPECT_FALSE(logic.chooseTeacher(rosterIndex("李娜"))); // 否: 王伟 and his mark stay
    EXPECT_EQ(logic.teacher(), "王伟");
    EXPECT_EQ(logic.teacherIndex(), rosterIndex("王伟"));
    EXPECT_FALSE(markedCells(logic).empty());
    EXPECT_TRUE(logic.chooseTeacher(rosterIndex("李娜"))); // 是
    EXPECT_EQ(messenger.texts(), std::vector<std::string>(2, PrearrangeLesson::kDiscardQuestion));
    EXPECT_TRUE(markedCells(logic).empty());
    logic.chooseTeacher(rosterIndex("王伟"));
    EXPECT_TRUE(markedCells(logic).empty());
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"王伟", kFree}}));
}

TEST_F(PrearrangeLessonTest, PlacesOutsideTheWeekAreNeverMarked) {
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(0);
    for (const auto& [day, period] :
         std::vector<std::pair<int, int>>{{0, 1}, {6, 1}, {7, 3}, {1, 0}, {1, 8}, {-1, -1}}) {
        logic.toggle(day, period);
        EXPECT_FALSE(logic.isMarked(day, period)) << day << "," << period;
    }
    EXPECT_EQ(logic.marks(), PrearrangeLesson::Marks{});
}

TEST_F(PrearrangeLessonTest, WithoutATeacherSaveIsRefusedAndNothingIsWritten) {
    store::CLPRecord().append(Rows{{"王伟", maskWith({0})}});
    ASSERT_TRUE(logic.load());
    logic.toggle(1, 1);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(messenger.texts(), (Names{"请先选择教师!"}));
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({0})}}));

    // Choosing no teacher after a teacher drops the teacher again.
    logic.chooseTeacher(rosterIndex("王伟"));
    logic.chooseTeacher(-1);
    EXPECT_FALSE(logic.hasTeacher());
    EXPECT_FALSE(logic.save());
    logic.chooseTeacher(4);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({0})}}));
}

TEST_F(PrearrangeLessonTest, MarksThatAreNeverSavedWriteNothing) {
    store::CLPRecord().append(Rows{{"王伟", maskWith({0})}});
    {
        PrearrangeLesson cancelled(messenger);
        ASSERT_TRUE(cancelled.load());
        cancelled.chooseTeacher(0);
        cancelled.toggle(1, 1);
        cancelled.toggle(3, 3);
    }
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({0})}}));
}

TEST_F(PrearrangeLessonTest, AFailedSaveLeavesTheTableAsItWas) {
    const Rows before{{"王伟", maskWith({0})}, {"李娜", maskWith({1})}, {"张强", maskWith({2})}};
    store::CLPRecord().append(before);
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("李娜"));
    logic.toggle(5, 5);
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [lessonprearrange] "
               "WHEN NEW.[teacher] = '李娜' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(logic.save(), store::DbError);
    EXPECT_EQ(stored(), before);
    // The marks survive the failure, so the user can try again.
    EXPECT_TRUE(logic.isMarked(5, 5));
    EXPECT_TRUE(logic.isMarked(1, 2));
}

TEST_F(PrearrangeLessonTest, ATeacherWhoseRowCouldNotBeReadIsNotChosen) {
    store::CLPRecord().append(Rows{{"李娜", maskWith({1})}});
    ASSERT_TRUE(logic.load());
    logic.chooseTeacher(rosterIndex("王伟"));
    db.execute("ALTER TABLE [lessonprearrange] RENAME TO [hidden]");
    EXPECT_THROW(logic.chooseTeacher(rosterIndex("李娜")), store::DbError);
    db.execute("ALTER TABLE [hidden] RENAME TO [lessonprearrange]");
    EXPECT_FALSE(logic.hasTeacher());
    // Saving now must not overwrite 李娜's mask with an empty grid.
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(stored(), (Rows{{"李娜", maskWith({1})}}));
}

} // namespace
