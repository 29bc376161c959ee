// The grade timetable's week view without a screen: the rows and short forms, picking and
// dropping across days with undo, the double period moved as a pair, locked cells refused,
// the views sharing selection and undo, the shading in both views, the teachers' weeks, and
// the suggestions of "为此课找位置" each lowering the problem count and undoable.
#include "arrange/Gradelesson.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "timetable/ArrangeReport.h"
#include "timetable/SchoolTimetableStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using arrange::Gradelesson;
using arrange::GridPlace;
using arrange::Shade;

// 初一⑴ and ⑵: 语文 6, 数学 5, a shared 英语 teacher 4, 物理 3; their weeks written out with
// a 语文 double on Monday 3-4 and 英语师 in both classes on Tuesday period 1 (a clash).
struct TwoClasses {
    timetable::AutoOrderData data;
    school::SchoolTimetable held;
    std::vector<store::ClasscourseRow> rows;

    TwoClasses() {
        for (int c = 1; c <= 2; ++c) {
            const std::string name = school::className(0, c);
            const std::string n = std::to_string(c);
            rows.push_back({name, "语文", "语文师" + n, 6});
            rows.push_back({name, "数学", "数学师" + n, 5});
            rows.push_back({name, "英语", "英语师", 4});
            rows.push_back({name, "物理", "物理师" + n, 3});
            for (int d = 0; d < school::kDays; ++d) {
                held.cell(0, c - 1, d, 0) = name;
            }
            const auto put = [&](int d, int p, const std::string& t) {
                held.cell(0, c - 1, d, p) = t;
            };
            put(0, 1, "数学师" + n);
            put(0, 3, "语文师" + n);
            put(0, 4, "语文师" + n);
            for (int d = 1; d < school::kDays; ++d) {
                put(d, 2, "语文师" + n);
                put(d, 1 + (d == 1 ? 0 : 2 * c), "英语师"); // Tuesday period 1 in both
                put(d, 6, "数学师" + n);
            }
            put(0, 2, "物理师" + n);
            put(0, 6, "物理师" + n);
            put(0, 7, "物理师" + n);
        }
        for (const auto& row : rows) {
            data.addClasscourse(row.className, row.course, row.teacher, row.weekly);
        }
    }
};

class GradelessonWeekTest : public ::testing::Test {
protected:
    Gradelesson open() { return Gradelesson(m_messenger, m_school.held, m_school.data); }
    static const arrange::WeekCell& cellOf(const Gradelesson& g, int row, int day, int period) {
        return g.weekView()
            .rows[static_cast<std::size_t>(row)]
            .cells[static_cast<std::size_t>(day * school::kPeriods + period - 1)];
    }
    testsupport::RecordingMessenger m_messenger;
    TwoClasses m_school;
};

TEST_F(GradelessonWeekTest, TheWeekShowsEveryClassAndSharesSelectionAndUndoWithTheDayGrid) {
    Gradelesson g = open();
    EXPECT_TRUE(g.weekView().rows.empty()); // the day grid is the default
    g.toggleWeekView();
    ASSERT_EQ(g.weekView().rows.size(), 2u);
    EXPECT_EQ(g.weekView().rows[1].className, "初一⑵");
    const arrange::WeekCell& chinese = cellOf(g, 0, 0, 3);
    EXPECT_EQ(chinese.course, "语文");
    EXPECT_EQ(chinese.teacher, "语文师");
    EXPECT_EQ(chinese.tooltip, "语文\n语文师1");
    EXPECT_EQ(cellOf(g, 0, 1, 1).mark, arrange::CellMark::Clash);

    // pick up 初一⑴ Monday period 1 in the week view; the day grid shows it selected
    EXPECT_TRUE(g.pressWeekCell({0, 0, 1}));
    EXPECT_TRUE(cellOf(g, 0, 0, 1).pressed);
    g.toggleWeekView();
    EXPECT_EQ(g.selection(), 111);
    EXPECT_TRUE(g.view().grid[1][0].pressed);
    g.nextDay();
    g.nextDay();
    g.clickCell(0, 5); // two clicks in the day grid: Monday 1 with Wednesday 5
    EXPECT_EQ(g.timetable().cell(0, 0, 2, 5), "数学师1");
    g.toggleWeekView();
    EXPECT_EQ(cellOf(g, 0, 2, 5).course, "数学");
    ASSERT_TRUE(g.undo());
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "数学师1");
    EXPECT_TRUE(g.inWeekView());
    EXPECT_EQ(cellOf(g, 0, 0, 1).course, "数学");
}

TEST_F(GradelessonWeekTest, DropsMoveAcrossDaysPairsMoveWholeAndLockedCellsAreRefused) {
    Gradelesson g = open();
    g.toggleWeekView();
    // drop Monday period 2 on Friday period 7 (empty), undo and redo
    EXPECT_TRUE(g.pressWeekCell({0, 0, 2}));
    EXPECT_TRUE(g.dropOn({0, 4, 7}));
    EXPECT_EQ(g.timetable().cell(0, 0, 4, 7), "物理师1");
    EXPECT_TRUE(g.timetable().cell(0, 0, 0, 2).empty());
    EXPECT_EQ(g.selection(), 0);
    ASSERT_TRUE(g.undo());
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 2), "物理师1");
    ASSERT_TRUE(g.redo());
    EXPECT_EQ(g.timetable().cell(0, 0, 4, 7), "物理师1");

    // a press on another cell of the picked class drops there (two clicks)
    g.pressWeekCell({0, 4, 7});
    EXPECT_FALSE(g.pressWeekCell({0, 0, 2}));
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 2), "物理师1");

    // the double as a pair (either half picks both), moved to Thursday 5-6 in one step
    EXPECT_TRUE(g.pressWeekCell({0, 0, 4}, true));
    EXPECT_TRUE(cellOf(g, 0, 0, 3).pressed);
    EXPECT_EQ(cellOf(g, 0, 0, 7).shade, Shade::Red); // no period 8 for the second half
    EXPECT_FALSE(g.dropOn({0, 0, 7}));
    EXPECT_NE(g.view().status.find(Gradelesson::kNoRoomForPair), std::string::npos);
    g.pressWeekCell({0, 0, 3}, true);
    EXPECT_TRUE(g.dropOn({0, 3, 5}));
    EXPECT_EQ(g.timetable().cell(0, 0, 3, 5), "语文师1");
    EXPECT_EQ(g.timetable().cell(0, 0, 3, 6), "语文师1");
    EXPECT_TRUE(g.timetable().cell(0, 0, 0, 3).empty());
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 4), "数学师1"); // Thursday 6's lesson
    ASSERT_TRUE(g.undo());
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 3), "语文师1");
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 4), "语文师1");

    // a locked target and a locked lesson: refused, nothing moves, the status says why
    g.toggleLockAt({0, 1, 7});
    EXPECT_TRUE(cellOf(g, 0, 1, 7).locked);
    const school::SchoolTimetable before = g.timetable();
    g.pressWeekCell({0, 0, 1});
    EXPECT_EQ(cellOf(g, 0, 1, 7).shade, Shade::Red);
    EXPECT_FALSE(g.dropOn({0, 1, 7}));
    EXPECT_TRUE(g.timetable() == before);
    EXPECT_NE(g.view().status.find(arrange::ExchangeCheck::kLocked), std::string::npos);
    g.pressWeekCell({0, 1, 7});
    EXPECT_FALSE(g.dropOn({0, 4, 5}));
    EXPECT_TRUE(g.timetable() == before);

    // Esc: the lesson is put back
    g.pressWeekCell({0, 0, 1});
    g.cancelPick();
    EXPECT_EQ(g.selection(), 0);
    EXPECT_FALSE(g.dropOn({0, 4, 5}));
}

TEST_F(GradelessonWeekTest, BothViewsShadeTheSelectedClassAndTheWeekShowsTheTeachers) {
    Gradelesson g = open();
    g.clickCell(0, 1); // the day grid: 初一⑴ Monday period 1 (数学师1)
    EXPECT_EQ(g.view().grid[1][1].shade, Shade::None); // another class
    EXPECT_EQ(g.view().grid[3][0].shade, Shade::Red);  // 语文 out of its double
    EXPECT_EQ(g.view().grid[1][0].shade, Shade::None); // the lesson itself
    EXPECT_NE(g.view().grid[3][0].shadeReason.find("语文连堂被拆开"), std::string::npos);
    EXPECT_EQ(g.view().grid[2][0].shade, Shade::Green);  // 物理 is a main course too
    EXPECT_EQ(g.view().grid[5][0].shade, Shade::Yellow); // an empty cell into period 1
    EXPECT_EQ(g.view().grid[5][0].shadeReason, "星期一第一节没有主课");

    g.toggleWeekView();
    EXPECT_EQ(cellOf(g, 0, 0, 3).shade, Shade::Red);
    EXPECT_EQ(cellOf(g, 0, 4, 5).shade, Shade::Yellow); // an empty cell into period 1
    EXPECT_EQ(cellOf(g, 0, 1, 1).shade, Shade::Green);  // 英语 for 数学: both main
    EXPECT_EQ(cellOf(g, 1, 1, 1).shade, Shade::None);   // the other class
    ASSERT_TRUE(g.weekView().pickedTeacher);
    EXPECT_EQ((*g.weekView().pickedTeacher)[0][0], "数学师1");
    EXPECT_EQ((*g.weekView().pickedTeacher)[1][6], "初一⑴\n数学");
    EXPECT_FALSE(g.weekView().targetTeacher);

    // the pointer over 英语师 (Tuesday period 1): that teacher's week beside it
    g.hoverCell(GridPlace{0, 1, 1});
    ASSERT_TRUE(g.weekView().targetTeacher);
    EXPECT_EQ((*g.weekView().targetTeacher)[1][1], "初一⑵\n英语"); // the later class wins
    EXPECT_EQ((*g.weekView().targetTeacher)[2][5], "初一⑵\n英语");
    EXPECT_EQ((*g.weekView().targetTeacher)[2][3], "初一⑴\n英语");
    g.hoverCell(GridPlace{0, 1, 6}); // the picked teacher again: no second week
    EXPECT_FALSE(g.weekView().targetTeacher);
}

class GradelessonSuggestTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    TwoClasses m_school;
};

// The hard problems the rule checker finds in 初一.
int hardProblems(const timetable::AutoOrderData& data, const school::SchoolTimetable& t) {
    const timetable::GradeReview r = timetable::reviewGrade(data, 0, t);
    return static_cast<int>(r.clashes.size() + r.overloads.size() + r.presets.size() +
                            r.unifiedFilled.size() + r.resourceOverruns.size());
}

TEST_F(GradelessonSuggestTest, EachSuggestionLowersTheProblemsAndIsUndoable) {
    store::CCCRecord().append(m_school.rows);
    timetable::saveSchoolTimetable(m_school.held);
    Gradelesson g(m_messenger);
    const school::SchoolTimetable start = g.timetable();
    const int before = hardProblems(m_school.data, start);
    ASSERT_EQ(before, 1); // 英语师 on Tuesday period 1 in both classes

    const std::vector<arrange::MoveSuggestion> suggestions = g.findPlace({0, 1, 1});
    ASSERT_FALSE(suggestions.empty());
    EXPECT_LE(suggestions.size(), static_cast<std::size_t>(arrange::kMaxSuggestions));
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        const arrange::MoveSuggestion& s = suggestions[i];
        EXPECT_EQ(s.exchange.first, (GridPlace{0, 1, 1}));
        EXPECT_NE(s.text().find("解决 英语师 第一节已在初一⑵上课"), std::string::npos) << s.text();
        if (i > 0) {
            EXPECT_GE(s.cost, suggestions[i - 1].cost); // the optimiser's order
        }
        g.applySuggestion(s);
        const GridPlace& to = s.exchange.second;
        EXPECT_EQ(g.timetable().cell(0, 0, to.day, to.period), "英语师");
        EXPECT_LT(hardProblems(m_school.data, g.timetable()), before) << s.text();
        ASSERT_TRUE(g.undo());
        EXPECT_TRUE(g.timetable() == start);
    }

    // a locked lesson is kept where it is
    g.toggleLockAt({0, 1, 1});
    EXPECT_TRUE(g.findPlace({0, 1, 1}).empty());
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace
