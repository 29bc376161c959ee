// Weekwork on a temporary database: totals gathered over classes and grades with the subject
// of the teacher's first row, teachers without lessons, empty and removed (eight-space)
// teachers that never count, roster order kept, counts outside 0..30 taken as 0, a recount
// that follows the course plans, and an unusable overview without teacher names.
#include "NameTables.h"
#include "TempDatabase.h"

#include "maintain/Weekwork.h"
#include "store/CCCRecord.h"
#include "store/CTNRecord.h"
#include "store/DbError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using maintain::Weekwork;
using Entries = std::vector<Weekwork::Entry>;
using Plans = std::vector<store::ClasscourseRow>;

void storePlans(const Plans& rows) {
    store::CCCRecord().append(rows);
}

const std::string kRemoved = "        "; // a teacher removed from a class: eight spaces

class WeekworkTest : public ::testing::Test {
protected:
    testsupport::TempDatabase db;
    Weekwork logic;
};

TEST_F(WeekworkTest, TotalsRunOverClassesAndGradesWithTheSubjectOfTheFirstRow) {
    storeTeachers({"王伟", "李娜", "张强"});
    storePlans({
        {"初一⑴", "物理", "李娜", 3},
        {"初一⑴", "数学", "王伟", 5},
        {"初一⑵", "语文", "张强", 6},
        {"初二⑶", "数学", "李娜", 5},
        {"高三⑿", "数学", "李娜", 5},
        {"高一⑴", "数学", "王伟", 5},
    });
    ASSERT_TRUE(logic.count());
    EXPECT_TRUE(logic.usable());
    EXPECT_EQ(logic.entries(),
              (Entries{{"王伟", "数学", 10}, {"李娜", "物理", 13}, {"张强", "语文", 6}}));
}

TEST_F(WeekworkTest, TeacherWithoutLessonsShowsNoSubjectAndZero) {
    storeTeachers({"王伟", "欧阳明"});
    storePlans({{"初一⑴", "数学", "王伟", 5}});
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 5}, {"欧阳明", "", 0}}));
}

TEST_F(WeekworkTest, EmptyCoursePlansStillListEveryTeacherWithZero) {
    storeTeachers({"王伟", "李娜"});
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "", 0}, {"李娜", "", 0}}));
}

TEST_F(WeekworkTest, EmptyAndRemovedTeachersNeverCount) {
    // A roster row of eight spaces must not collect the lessons of removed teachers, and a
    // name too short to be a teacher must not collect rows that happen to match it.
    storeTeachers({"王伟", kRemoved, "张", ""});
    storePlans({
        {"初一⑴", "数学", "", 5},
        {"初一⑴", "英语", kRemoved, 4},
        {"初一⑵", "英语", kRemoved, 4},
        {"初一⑶", "体育", "张", 2},
        {"初一⑴", "语文", "王伟", 6},
    });
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(),
              (Entries{{"王伟", "语文", 6}, {kRemoved, "", 0}, {"张", "", 0}, {"", "", 0}}));
}

TEST_F(WeekworkTest, ListKeepsRosterOrderAndTakesAtMost200Teachers) {
    std::vector<std::string> names;
    for (int i = 0; i < 205; ++i) {
        names.push_back("教师" + std::to_string(204 - i));
    }
    storeTeachers(names);
    storePlans({{"初一⑴", "数学", "教师0", 5}, {"初一⑴", "语文", "教师204", 6}});
    ASSERT_TRUE(logic.count());
    ASSERT_EQ(logic.entries().size(), Weekwork::kMaxTeachers);
    for (std::size_t i = 0; i < logic.entries().size(); ++i) {
        EXPECT_EQ(logic.entries()[i].teacher, names[i]);
    }
    EXPECT_EQ(logic.entries().front(), (Weekwork::Entry{"教师204", "语文", 6}));
}

TEST_F(WeekworkTest, BlankSubjectIsTakenFromTheNextRow) {
    storeTeachers({"王伟"});
    storePlans(
        {{"初一⑴", "", "王伟", 2}, {"初一⑵", "数学", "王伟", 5}, {"初一⑶", "物理", "王伟", 3}});
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 10}}));
}

TEST_F(WeekworkTest, CountsOutside0To30CountAsZero) {
    storeTeachers({"王伟"});
    storePlans({
        {"初一⑴", "数学", "王伟", 30},
        {"初一⑵", "数学", "王伟", 31},
        {"初一⑶", "数学", "王伟", -4},
        {"初一⑷", "数学", "王伟", 2147483647},
        {"初一⑸", "数学", "王伟", 2147483647},
        {"初一⑹", "数学", "王伟", 0},
    });
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 30}}));
}

TEST_F(WeekworkTest, RecountShowsTheChangedCoursePlans) {
    storeTeachers({"王伟", "李娜"});
    storePlans({{"初一⑴", "数学", "王伟", 5}, {"初一⑵", "数学", "王伟", 5}});
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 10}, {"李娜", "", 0}}));

    // 初一⑵ handed over to 李娜, as an individual replacement does.
    store::CCCRecord().replaceAll(
        Plans{{"初一⑴", "数学", "王伟", 5}, {"初一⑵", "数学", "李娜", 5}});
    ASSERT_TRUE(logic.count());
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 5}, {"李娜", "数学", 5}}));
}

TEST_F(WeekworkTest, FailedRecountKeepsTheListShown) {
    storeTeachers({"王伟"});
    storePlans({{"初一⑴", "数学", "王伟", 5}});
    ASSERT_TRUE(logic.count());
    db.execute("DROP TABLE classcourse");
    EXPECT_THROW(logic.count(), store::DbError);
    EXPECT_EQ(logic.entries(), (Entries{{"王伟", "数学", 5}}));
    EXPECT_TRUE(logic.usable());
}

TEST_F(WeekworkTest, NoTeachersMakesTheOverviewUnusable) {
    storePlans({{"初一⑴", "数学", "王伟", 5}});
    EXPECT_FALSE(logic.count());
    EXPECT_FALSE(logic.usable());
    EXPECT_EQ(logic.unusableMessage(), "请输入所有任课教师姓名!");
}

TEST_F(WeekworkTest, RosterOfBlankNamesOnlyIsUnusable) {
    storeTeachers({"", kRemoved});
    EXPECT_FALSE(logic.count());
    EXPECT_EQ(logic.unusableMessage(), "请输入所有任课教师姓名!");

    storeTeachers({"王伟"});
    EXPECT_TRUE(logic.count());
    EXPECT_TRUE(logic.usable());
}

} // namespace
