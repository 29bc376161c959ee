// ClassTimetable: the title names slot 0 of day 1, every cell shows its own day and period,
// and the window keeps its own copy of the caller's block.
#include "planning/ClassTimetable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using planning::ClassTimetable;

// A block whose period cells name their place: "d<day>p<period>", slot 0 of every day "初一⑵"
// except where a test changes it.
ClassTimetable::Week labelledWeek() {
    ClassTimetable::Week week{};
    for (int d = 0; d < 5; ++d) {
        week[static_cast<std::size_t>(d)][0] = "初一⑵";
        for (int p = 1; p <= 7; ++p) {
            week[static_cast<std::size_t>(d)][static_cast<std::size_t>(p)] =
                "d" + std::to_string(d + 1) + "p" + std::to_string(p);
        }
    }
    return week;
}

TEST(ClassTimetableTest, TheTitleIsTheFixedTextFollowedBySlotZeroOfMonday) {
    ClassTimetable::Week week = labelledWeek();
    week[1][0] = "高三⒇"; // slot 0 of the other days plays no part
    week[4][0] = "";
    EXPECT_EQ(ClassTimetable(week).title(), "班级课程表--初一⑵");
    week[0][0] = "王伟";
    EXPECT_EQ(ClassTimetable(week).title(), "班级课程表--王伟");
    EXPECT_EQ(ClassTimetable().title(), "班级课程表--");
}

TEST(ClassTimetableTest, EachCellShowsItsOwnDayAndPeriod) {
    const ClassTimetable table(labelledWeek());
    for (int day = 1; day <= 5; ++day) {
        for (int period = 1; period <= 7; ++period) {
            EXPECT_EQ(table.cell(period, day),
                      "d" + std::to_string(day) + "p" + std::to_string(period));
        }
    }
    // No period 0 (the name slot), no period 8, no weekend.
    EXPECT_EQ(table.cell(0, 1), "");
    EXPECT_EQ(table.cell(8, 1), "");
    EXPECT_EQ(table.cell(1, 0), "");
    EXPECT_EQ(table.cell(1, 6), "");
    EXPECT_EQ(table.cell(1, 7), "");
}

TEST(ClassTimetableTest, BlankAndEmptyTextsAreShownAsTheyAre) {
    ClassTimetable::Week week = labelledWeek();
    week[2][3] = "       ";
    week[3][7] = "";
    const ClassTimetable table(week);
    EXPECT_EQ(table.cell(3, 3), "       ");
    EXPECT_EQ(table.cell(7, 4), "");
}

TEST(ClassTimetableTest, LaterChangesToTheCallersBlockDoNotReachTheWindow) {
    ClassTimetable::Week week = labelledWeek();
    ClassTimetable table;
    table.setWeek(week);
    week[0][0] = "初二⑴";
    week[0][1] = "语文";
    EXPECT_EQ(table.title(), "班级课程表--初一⑵");
    EXPECT_EQ(table.cell(1, 1), "d1p1");
}

} // namespace
