// Teachertable on a temporary database: a teacher's classes land in the right day and
// period, two classes in one slot are a clash listed by its code, other teachers' cells,
// free, unified (spaces) and course-view cells never show, a new choice clears the old week,
// and the dialog is unusable without a roster or closes without any arranged timetable.
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "maintain/Teachertable.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/CSLRecord.h"
#include "store/CTNRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using testsupport::storeTeachers;

using maintain::Teachertable;
using Names = std::vector<std::string>;
using Rows = std::vector<store::GradelessonRow>;

// One row of gradelesson; days holds monday … sunday.
store::GradelessonRow row(const std::string& className, int number,
                          std::array<std::string, 7> days) {
    return {className, number, std::move(days)};
}

// The whole week as 7 lines of 5 cells, for readable comparisons.
std::vector<Names> week(const Teachertable& logic) {
    std::vector<Names> lines;
    for (int period = 1; period <= 7; ++period) {
        Names line;
        for (int day = 1; day <= 5; ++day) {
            line.push_back(logic.cell(day, period));
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<Names> emptyWeek() {
    return std::vector<Names>(7, Names(5));
}

class TeachertableTest : public ::testing::Test {
protected:
    void SetUp() override {
        storeTeachers({"王伟", "李娜", "欧阳明"});
        ASSERT_TRUE(logic.load());
    }

    // Chooses a teacher by name; fails the test when the name is not offered.
    void choose(const std::string& name) {
        const Names& t = logic.teachers();
        const auto at = std::find(t.begin(), t.end(), name);
        ASSERT_NE(at, t.end()) << name;
        ASSERT_TRUE(logic.chooseTeacher(static_cast<int>(at - t.begin())));
    }

    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    Teachertable logic{messenger};
};

TEST_F(TeachertableTest, PlacesEachClassAtItsDayAndPeriod) {
    store::CGLRecord().append(Rows{
        row("初一⑴", 10101, {"王伟", "李娜", "", "", "", "", ""}),
        row("高一⑵", 40203, {"", "", "", "", "王伟", "", ""}),
        row("高三⒇", 62007, {"李娜", "王伟", "王伟", "李娜", "", "", ""}),
    });
    choose("王伟");
    EXPECT_EQ(logic.teacher(), "王伟");
    std::vector<Names> expected = emptyWeek();
    expected[0][0] = "初一⑴";
    expected[2][4] = "高一⑵"; // number 40203: grade 4, class 2, period 3, on Friday
    expected[6][1] = "高三⒇";
    expected[6][2] = "高三⒇";
    EXPECT_EQ(week(logic), expected);
    EXPECT_TRUE(logic.clashCodes().empty());
    EXPECT_TRUE(messenger.entries().empty());
}

TEST_F(TeachertableTest, TwoClassesInOneSlotAreOneClashShowingTheLaterRow) {
    store::CGLRecord().append(Rows{
        row("初二⑶", 20303, {"王伟", "", "", "", "", "", ""}),
        row("初一⑵", 10203, {"王伟", "", "", "", "", "", ""}),
        row("高二⑴", 50103, {"王伟", "", "", "", "", "", ""}),
        // Thursday period 5 and Tuesday period 1: codes come day by day, then by period.
        row("初一⑴", 10105, {"", "", "", "王伟", "", "", ""}),
        row("初一⑵", 10205, {"", "", "", "王伟", "", "", ""}),
        row("初三⑴", 30101, {"", "王伟", "", "", "", "", ""}),
        row("初三⑵", 30201, {"", "王伟", "", "", "", "", ""}),
    });
    choose("王伟");
    EXPECT_EQ(logic.cell(1, 3), "高二⑴");
    EXPECT_EQ(logic.cell(4, 5), "初一⑵");
    EXPECT_EQ(logic.cell(2, 1), "初三⑵");
    EXPECT_TRUE(logic.clash(1, 3));
    EXPECT_FALSE(logic.clash(1, 2));
    EXPECT_EQ(logic.clashCodes(), (std::vector<int>{13, 21, 45}));
}

TEST_F(TeachertableTest, ADuplicatedRowOfTheSameClassIsNoClash) {
    store::CGLRecord().append(Rows{
        row("初一⑴", 10104, {"", "", "王伟", "", "", "", ""}),
        row("初一⑴", 10104, {"", "", "王伟", "", "", "", ""}),
    });
    choose("王伟");
    EXPECT_EQ(logic.cell(3, 4), "初一⑴");
    EXPECT_TRUE(logic.clashCodes().empty());
}

TEST_F(TeachertableTest, ShowsOnlyExactMatchesOnMondayToFriday) {
    store::CGLRecord().append(Rows{
        // Weekend columns, other teachers, longer names containing the teacher, a unified
        // slot of spaces, a free period and a cell saved in course view.
        row("初一⑴", 10101, {"李娜", "王伟明", " 王伟", "       ", "", "王伟", "王伟"}),
        row("初一⑴", 10102, {"语文", "自习", "欧阳明", "王伟 ", "数学", "", ""}),
    });
    choose("王伟");
    EXPECT_EQ(week(logic), emptyWeek());
    EXPECT_TRUE(logic.clashCodes().empty());

    choose("欧阳明");
    std::vector<Names> expected = emptyWeek();
    expected[1][2] = "初一⑴";
    EXPECT_EQ(week(logic), expected);
}

// A grade stored in course names by an older save: each course cell is read as the teacher
// its class's plan names for it, the unified 班会 as no lesson, an unplanned text as it is.
TEST_F(TeachertableTest, AGradeStoredInCourseNamesShowsItsTeachers) {
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"初二⑴", "语文", "王伟", 5}, {"初二⑵", "语文", "李娜", 5}, {"初二⑵", "数学", "王伟", 5}});
    store::CSLRecord().append(std::vector<store::SamelessonRow>{{"初二", 5, 7, "班会"}});
    store::CGLRecord().append(Rows{
        row("初二⑴", 20101, {"语文", "", "数学", "", "", "", ""}),
        row("初二⑵", 20201, {"数学", "语文", "", "", "", "", ""}),
        row("初二⑴", 20107, {"", "", "", "", "班会", "", ""}),
        row("初二⑵", 20207, {"", "", "", "", "班会", "", ""}),
    });
    struct Case {
        const char* teacher;
        std::vector<std::pair<int, int>> slots; // day, period holding a class
        std::vector<int> clashes;
    };
    const Case cases[] = {
        {"王伟", {{1, 1}}, {11}}, // 初二⑴ 语文 and 初二⑵ 数学 at Monday 1
        {"李娜", {{2, 1}}, {}},
        {"欧阳明", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.teacher);
        choose(c.teacher);
        for (int day = 1; day <= 5; ++day) {
            for (int period = 1; period <= 7; ++period) {
                const bool held = std::find(c.slots.begin(), c.slots.end(),
                                            std::make_pair(day, period)) != c.slots.end();
                EXPECT_EQ(logic.cell(day, period).empty(), !held) << day << "," << period;
            }
        }
        EXPECT_EQ(logic.clashCodes(), c.clashes);
    }
    choose("李娜");
    EXPECT_EQ(logic.cell(2, 1), "初二⑵");
}

TEST_F(TeachertableTest, RowsWithAnImpossibleNumberAreSkipped) {
    store::CGLRecord().append(Rows{
        row("", 70101, {"王伟", "", "", "", "", "", ""}),  // grade 7
        row("", 12101, {"王伟", "", "", "", "", "", ""}),  // class 21
        row("", 10001, {"王伟", "", "", "", "", "", ""}),  // class 0
        row("", 10108, {"王伟", "", "", "", "", "", ""}),  // period 8
        row("", 10117, {"王伟", "", "", "", "", "", ""}),  // period 17, not 7
        row("", 10100, {"王伟", "", "", "", "", "", ""}),  // period 0
        row("", -10101, {"王伟", "", "", "", "", "", ""}), // negative
        row("初一⑴", 10106, {"王伟", "", "", "", "", "", ""}),
    });
    choose("王伟");
    std::vector<Names> expected = emptyWeek();
    expected[5][0] = "初一⑴";
    EXPECT_EQ(week(logic), expected);
    EXPECT_TRUE(logic.clashCodes().empty());
}

TEST_F(TeachertableTest, AnotherChoiceClearsThePreviousWeekAndClashes) {
    store::CGLRecord().append(Rows{
        row("初一⑴", 10101, {"王伟", "李娜", "", "", "", "", ""}),
        row("初一⑵", 10201, {"王伟", "", "", "", "", "", ""}),
    });
    choose("王伟");
    ASSERT_EQ(logic.clashCodes(), (std::vector<int>{11}));
    choose("李娜");
    std::vector<Names> expected = emptyWeek();
    expected[0][1] = "初一⑴";
    EXPECT_EQ(week(logic), expected);
    EXPECT_TRUE(logic.clashCodes().empty());
    EXPECT_FALSE(logic.clash(1, 1));

    // An index outside the list chooses nobody and shows an empty week.
    EXPECT_TRUE(logic.chooseTeacher(-1));
    EXPECT_EQ(logic.teacher(), "");
    EXPECT_EQ(week(logic), emptyWeek());
}

TEST_F(TeachertableTest, NoArrangedTimetableIsToldAndShowsNothing) {
    EXPECT_FALSE(logic.chooseTeacher(0));
    EXPECT_EQ(messenger.texts(), (Names{"所有课程均未编排，无个人课程记录!"}));
    EXPECT_EQ(week(logic), emptyWeek());
}

TEST(TeachertableRoster, StopsAtTheFirstBlankNameAndKeepsTableOrder) {
    const testsupport::TempDatabase db;
    storeTeachers({"欧阳明", "王伟", "李", "陈静"});
    testsupport::RecordingMessenger messenger;
    Teachertable logic(messenger);
    EXPECT_TRUE(logic.load());
    EXPECT_EQ(logic.teachers(), (Names{"欧阳明", "王伟"}));
}

TEST(TeachertableRoster, AtMostTwoHundredTeachers) {
    const testsupport::TempDatabase db;
    Names names;
    for (int i = 0; i < 210; ++i) {
        names.push_back("教师" + std::to_string(i));
    }
    storeTeachers(names);
    testsupport::RecordingMessenger messenger;
    Teachertable logic(messenger);
    ASSERT_TRUE(logic.load());
    ASSERT_EQ(logic.teachers().size(), 200U);
    EXPECT_EQ(logic.teachers().back(), "教师199");
}

TEST(TeachertableRoster, WithoutAUsableTeacherTheDialogIsUnusable) {
    for (const Names& roster : {Names{}, Names{"王", "李娜"}}) {
        const testsupport::TempDatabase db;
        storeTeachers(roster);
        testsupport::RecordingMessenger messenger;
        Teachertable logic(messenger);
        EXPECT_FALSE(logic.load());
        EXPECT_FALSE(logic.usable());
        EXPECT_EQ(logic.unusableMessage(), "请输入所有任课教师姓名!");
        // The menu command shows the message; the logic itself says nothing.
        EXPECT_TRUE(messenger.entries().empty());
    }
}

} // namespace
