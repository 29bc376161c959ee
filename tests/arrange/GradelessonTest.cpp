// The grade timetable's logic without a screen: navigation limits, selection and exchange,
// the view switch, the redraw lists and colours, the personal timetable, save, undo and redo,
// and the faults it must not repeat (cut names, "自习" in the timetable, lost edits).
#include "arrange/Gradelesson.h"

#include "RecordingMessenger.h"
#include "TempDatabase.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CCSRecord.h"
#include "store/CGLRecord.h"
#include "store/CSLRecord.h"
#include "timetable/SchoolTimetableStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using arrange::CellMark;
using arrange::Gradelesson;
using Names = std::vector<std::string>;

// Names the first n classes of a grade and gives each a filled Monday period 2.
void nameClasses(school::SchoolTimetable& t, int grade, int n) {
    for (int c = 0; c < n; ++c) {
        for (int d = 0; d < school::kDays; ++d) {
            t.cell(grade, c, d, 0) = school::className(grade, c + 1);
        }
        t.cell(grade, c, 0, 2) = "师" + school::className(grade, c + 1);
    }
}

class GradelessonTest : public ::testing::Test {
protected:
    Gradelesson open() { return Gradelesson(m_messenger, m_timetable, m_data); }

    testsupport::RecordingMessenger m_messenger;
    school::SchoolTimetable m_timetable;
    timetable::AutoOrderData m_data;
};

TEST_F(GradelessonTest, NavigationWrapsDaysClampsGradesAndTheClassWindow) {
    nameClasses(m_timetable, 0, 20);
    nameClasses(m_timetable, 1, 9);
    Gradelesson g = open();
    EXPECT_EQ(g.view().title, "年段课程编排—初一");
    EXPECT_EQ(g.view().dayName, "星期一");
    g.previousDay();
    EXPECT_EQ(g.view().dayName, "星期五");
    g.nextDay();
    EXPECT_EQ(g.day(), 0);
    g.previousGrade();
    EXPECT_EQ(g.grade(), 0);

    // 20 classes: the window stops at classes 11..20; then 9 classes: it keeps its place
    EXPECT_EQ(g.classCount(), 20);
    for (int i = 0; i < 15; ++i) {
        g.moveRight();
    }
    EXPECT_EQ(g.firstClass(), 10);
    EXPECT_EQ(g.view().grid[0][9].caption, "初一⒇");
    g.nextGrade();
    EXPECT_EQ(g.classCount(), 9);
    EXPECT_EQ(g.firstClass(), 10);
    g.moveRight(); // 9 classes: never right of 0
    EXPECT_EQ(g.firstClass(), 0);
    g.moveLeft();
    EXPECT_EQ(g.firstClass(), 0);

    // a grade without rows: no classes, nothing moves
    g.nextGrade();
    EXPECT_EQ(g.classCount(), 0);
    g.moveRight();
    EXPECT_EQ(g.firstClass(), 0);
    for (int i = 0; i < 5; ++i) {
        g.nextGrade();
    }
    EXPECT_EQ(g.grade(), 5);
    EXPECT_EQ(g.view().title, "年段课程编排—高三");
}

TEST_F(GradelessonTest, TwoClicksExchangeLessonsWithinADayAndAcrossDays) {
    nameClasses(m_timetable, 0, 2);
    m_timetable.cell(0, 0, 0, 1) = "王伟";
    m_timetable.cell(0, 0, 0, 3) = "李强";
    m_timetable.cell(0, 0, 2, 5) = "张敏";
    m_timetable.cell(0, 1, 0, 4) = "陈军";
    Gradelesson g = open();

    g.clickCell(0, 1);
    EXPECT_EQ(g.selection(), 111);
    EXPECT_TRUE(g.view().grid[1][0].pressed);
    g.clickCell(0, 1); // the selected cell again: nothing
    EXPECT_EQ(g.selection(), 111);
    g.clickCell(0, 3);
    EXPECT_EQ(g.selection(), 0);
    EXPECT_FALSE(g.view().grid[1][0].pressed);
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "李强");
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 3), "王伟");

    // Monday period 3, then Wednesday period 5 of the same class
    g.clickCell(0, 3);
    g.nextDay();
    g.nextDay();
    g.clickCell(0, 5);
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 3), "张敏");
    EXPECT_EQ(g.timetable().cell(0, 0, 2, 5), "王伟");

    // a click on another class moves the selection and exchanges nothing
    g.previousDay();
    g.previousDay();
    g.clickCell(0, 1);
    g.clickCell(1, 4);
    EXPECT_EQ(g.selection(), 214);
    EXPECT_FALSE(g.view().grid[1][0].pressed);
    EXPECT_TRUE(g.view().grid[4][1].pressed);
    EXPECT_EQ(g.timetable().cell(0, 1, 0, 4), "陈军");
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "李强");
}

class GradelessonViewSwitchTest : public GradelessonTest {
protected:
    void SetUp() override {
        nameClasses(m_timetable, 0, 1);
        m_timetable.cell(0, 0, 0, 2) = "王伟";
        m_timetable.cell(0, 0, 0, 1) = "通用技术师"; // a 5-character name
        m_timetable.cell(0, 0, 1, 4) = "       ";    // unified slot in teacher view
        m_timetable.cell(0, 0, 2, 3) = "李强";
        m_data.addClasscourse("初一⑴", "语文", "王伟", 5);
        m_data.addClasscourse("初一⑴", "通用技术", "通用技术师", 2);
        m_data.addClasscourse("初一⑴", "美术", "赵六", 0); // no teacher after the clean-up
        m_data.addClasscourse("初一⑴", "数学", "李强", 5);
        m_data.cleanUp();
        m_data.addCourseshare("通用技术", 1);
    }
};

TEST_F(GradelessonViewSwitchTest, SwitchesToCoursesAndBackWithUnifiedSlots) {
    testsupport::TempDatabase db;
    store::CSLRecord().append(std::vector<store::SamelessonRow>{{"初二", 1, 1, "周会"},
                                                                {"初一", 2, 4, "班会"},
                                                                {"初一", 5, 7, "劳动"},
                                                                {"初一", 3, 1, "第三条"}});
    Gradelesson g = open();
    g.clickCell(0, 2);
    g.switchView();
    EXPECT_EQ(g.viewMode(), Gradelesson::kCourseView);
    EXPECT_EQ(g.selection(), 0);
    EXPECT_FALSE(g.view().grid[2][0].pressed);
    const auto& t = g.timetable();
    EXPECT_EQ(t.cell(0, 0, 0, 2), "语文");
    EXPECT_EQ(t.cell(0, 0, 0, 1), "通用技术"); // the whole name matched, not a cut one
    EXPECT_EQ(t.cell(0, 0, 1, 4), "班会");
    EXPECT_EQ(t.cell(0, 0, 4, 7), "劳动");
    EXPECT_EQ(t.cell(0, 0, 2, 1), ""); // a third unified row is not used
    EXPECT_EQ(t.cell(0, 0, 0, 3), ""); // an entry without a teacher fills no free period
    EXPECT_TRUE(g.view().clashes.empty());

    g.switchView();
    EXPECT_EQ(g.viewMode(), Gradelesson::kTeacherView);
    EXPECT_EQ(t.cell(0, 0, 0, 2), "王伟");
    EXPECT_EQ(t.cell(0, 0, 0, 1), "通用技术师");
    EXPECT_EQ(t.cell(0, 0, 1, 4), "       ");
    EXPECT_EQ(t.cell(0, 0, 4, 7), "       ");
    EXPECT_EQ(t.cell(0, 0, 2, 3), "李强");

    EXPECT_TRUE(g.undo()); // the view mode comes back with the names
    EXPECT_EQ(g.viewMode(), Gradelesson::kCourseView);
    EXPECT_EQ(t.cell(0, 0, 0, 2), "语文");
}

TEST_F(GradelessonViewSwitchTest, AGradeStoredInCourseViewComesBackWithTwoSwitches) {
    testsupport::TempDatabase db;
    {
        // an older save stored the grade as the course view showed it
        school::SchoolTimetable older = m_timetable;
        older.cell(0, 0, 0, 2) = "语文";
        older.cell(0, 0, 0, 1) = "通用技术";
        older.cell(0, 0, 2, 3) = "数学";
        timetable::saveSchoolTimetable(older);
    }
    store::CCCRecord().append(
        std::vector<store::ClasscourseRow>{{"初一⑴", "语文", "王伟", 5},
                                           {"初一⑴", "通用技术", "通用技术师", 2},
                                           {"初一⑴", "数学", "李强", 5}});
    store::CCSRecord().append(std::vector<store::CourseshareRow>{{"通用技术", 1}});
    Gradelesson g(m_messenger);
    EXPECT_EQ(g.viewMode(), Gradelesson::kTeacherView);
    EXPECT_EQ(g.view().grid[1][0].caption, "通用技"); // shown cut, held whole
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "通用技术");
    // the personal timetable and the clash test see teacher names all the same
    g.clickCell(0, 2);
    const auto week = g.personalWeek();
    ASSERT_TRUE(week.has_value());
    EXPECT_EQ((*week)[0][0], "王伟");
    EXPECT_EQ((*week)[0][2], "初一⑴\n语文");
    // the class window shows course over teacher in either view, a shared course once
    EXPECT_EQ(g.classWeek(0)[0][2], "语文\n王伟");
    g.switchView(); // course names stay course names
    EXPECT_EQ(g.classWeek(0)[0][2], "语文\n王伟");
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 2), "语文");
    g.switchView();
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 2), "王伟");
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "通用技术师");
}

TEST_F(GradelessonTest, ClashListComparesEveryGradeAndStopsAtTen) {
    nameClasses(m_timetable, 0, 12);
    nameClasses(m_timetable, 3, 1);
    // one teacher in class 1 of 初一 and class 1 of 高一 at period 3
    m_timetable.cell(0, 0, 0, 3) = "王伟";
    m_timetable.cell(3, 0, 0, 3) = "王伟";
    m_timetable.cell(0, 1, 0, 4) = "       "; // blanks never clash
    m_timetable.cell(0, 2, 0, 4) = "       ";
    Gradelesson g = open();
    EXPECT_EQ(g.view().clashes, (Names{"王伟 第三节"}));
    EXPECT_EQ(g.view().grid[3][0].mark, CellMark::Clash);
    EXPECT_EQ(g.view().grid[3][0].tooltip, "王伟同时在高一⑴上课");
    EXPECT_EQ(g.view().grid[4][1].mark, CellMark::None);
    EXPECT_NE(g.view().status.find("碰课 1 处"), std::string::npos);

    // moving the lesson away clears the list and the colour
    g.clickCell(0, 3);
    g.clickCell(0, 5);
    EXPECT_TRUE(g.view().clashes.empty());
    EXPECT_EQ(g.view().grid[5][0].mark, CellMark::None);
    EXPECT_NE(g.view().status.find("碰课 0 处"), std::string::npos);

    // twelve classes with one teacher at period 6: each is listed as often as it clashes,
    // ten names at most; the list is for teacher view only
    for (int c = 0; c < 12; ++c) {
        m_timetable.cell(0, c, 0, 6) = "李强";
    }
    m_timetable.cell(3, 0, 0, 3) = "";
    Gradelesson full = open();
    EXPECT_EQ(full.view().clashes, Names(10, "李强 第六节"));
    testsupport::TempDatabase db; // the switch reads samelesson
    full.switchView();
    EXPECT_TRUE(full.view().clashes.empty());
}

// Two classes of 初一 with their own teachers, a unified 班会 at Friday period 7 and one
// real clash: 赵丽 in 初一⑵ and 高一⑴ at Monday period 3. Whether the grade is held in
// teacher names or in course names (as an older save stored it, with a first lesson that is
// no resource), the colours, the status line and the clash list see that one clash only.
TEST_F(GradelessonTest, ClashesAreJudgedInTeacherNamesWhateverViewTheGradeIsHeldIn) {
    nameClasses(m_timetable, 0, 2);
    nameClasses(m_timetable, 3, 1);
    m_data.addClasscourse("初一⑴", "语文", "王伟", 5);
    m_data.addClasscourse("初一⑴", "数学", "李强", 5);
    m_data.addClasscourse("初一⑵", "语文", "赵丽", 5);
    m_data.addClasscourse("初一⑵", "数学", "陈军", 5);
    m_data.cleanUp();
    m_data.addCourseshare("实验", 2); // a resource, but no grade begins with it
    m_data.addSamelesson("初一", 5, 7, "班会");
    m_timetable.cell(3, 0, 0, 3) = "赵丽";
    const school::SchoolTimetable base = m_timetable;

    struct Case {
        const char* held;
        std::vector<std::string> first;  // 初一⑴ Monday 1..3, Friday 7
        std::vector<std::string> second; // 初一⑵
    };
    const Case cases[] = {
        {"teacher names", {"王伟", "李强", "", "       "}, {"赵丽", "陈军", "赵丽", "       "}},
        {"course names", {"语文", "数学", "", "班会"}, {"语文", "数学", "语文", "班会"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        m_timetable = base;
        for (int i = 0; i < 3; ++i) {
            m_timetable.cell(0, 0, 0, i + 1) = c.first[static_cast<std::size_t>(i)];
            m_timetable.cell(0, 1, 0, i + 1) = c.second[static_cast<std::size_t>(i)];
        }
        m_timetable.cell(0, 0, 4, 7) = c.first[3];
        m_timetable.cell(0, 1, 4, 7) = c.second[3];
        Gradelesson g = open();
        for (int row = 1; row <= 7; ++row) {
            for (int column = 0; column < 2; ++column) {
                const bool clash = row == 3 && column == 1;
                EXPECT_EQ(g.view()
                              .grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
                              .mark,
                          clash ? CellMark::Clash : CellMark::None)
                    << row << "," << column;
            }
        }
        EXPECT_EQ(g.view().grid[3][1].tooltip, "赵丽同时在高一⑴上课");
        EXPECT_EQ(g.view().clashes, (Names{"赵丽 第三节"}));
        EXPECT_NE(g.view().status.find("碰课 1 处"), std::string::npos) << g.view().status;
        g.nextDay();
        g.nextDay();
        g.nextDay();
        g.nextDay(); // Friday: the unified slot in every class is no clash
        EXPECT_EQ(g.view().grid[7][0].mark, CellMark::None);
        EXPECT_EQ(g.view().grid[7][1].mark, CellMark::None);
        EXPECT_TRUE(g.view().clashes.empty());
        EXPECT_NE(g.view().status.find("碰课 1 处"), std::string::npos) << g.view().status;
    }
}

TEST_F(GradelessonTest, OverrunsPresetsAndTheSelectedTeachersDay) {
    nameClasses(m_timetable, 0, 3);
    nameClasses(m_timetable, 1, 1);
    nameClasses(m_timetable, 4, 2);
    for (int c = 0; c < 3; ++c) {
        m_timetable.cell(0, c, 0, 3) = "体育" + std::to_string(c) + "老师";
        m_data.addClasscourse(school::className(0, c + 1), "体育",
                              "体育" + std::to_string(c) + "老师", 2);
    }
    m_timetable.cell(4, 0, 0, 3) = "实验"; // 高二 held in course names
    m_timetable.cell(4, 0, 0, 1) = "实验";
    m_timetable.cell(4, 1, 0, 1) = "实验";
    m_timetable.cell(0, 0, 0, 6) = "物理师";
    m_data.addClasscourse("初一⑴", "物理", "物理师", 3);
    m_data.addCourseshare("实验", 1);
    m_data.addCourseshare("体育", 1);
    m_data.addCourseshare("美术", 0);
    m_data.addPreset("物理师", std::string(5, '0') + "1" + std::string(29, '0'));
    m_timetable.cell(1, 0, 0, 1) = "体育0老师"; // a second lesson that day, in 初二
    Gradelesson g = open();
    EXPECT_EQ(g.view().overruns, (Names{"实验第一节超1节", "体育第三节超2节"}));
    EXPECT_EQ(g.view().grid[3][1].mark, CellMark::Overrun);
    EXPECT_EQ(g.view().grid[3][1].tooltip, "体育第三节共3个班上课，上限1个班");
    EXPECT_EQ(g.view().grid[6][0].mark, CellMark::Preset);
    EXPECT_EQ(g.view().grid[6][0].tooltip, "物理师预设此时不排课");
    EXPECT_NE(g.view().status.find("预设违例 1 处，资源超量 1 处"), std::string::npos);

    g.clickCell(0, 3);
    EXPECT_EQ(g.view().summaryHead, "体育0老师共2节");
    EXPECT_EQ(g.view().summary, (Names{"初一⑴第3节", "初二⑴第1节"}));
    g.nextDay(); // the selection is not on the shown day
    EXPECT_TRUE(g.view().summaryHead.empty());
}

TEST_F(GradelessonTest, ThePersonalTimetableGathersEveryGradeAndNeedsALesson) {
    nameClasses(m_timetable, 0, 2);
    nameClasses(m_timetable, 3, 1);
    m_timetable.cell(0, 1, 0, 1) = "王伟";
    m_timetable.cell(3, 0, 2, 5) = "王伟";
    m_timetable.cell(0, 0, 0, 7) = "";
    Gradelesson g = open();
    EXPECT_FALSE(g.personalWeek().has_value());
    g.clickCell(0, 7); // an empty cell
    EXPECT_FALSE(g.personalWeek().has_value());
    EXPECT_EQ(m_messenger.texts(), Names(2, Gradelesson::kNoTeacherSelected));

    g.clickCell(1, 1);
    const auto week = g.personalWeek();
    ASSERT_TRUE(week.has_value());
    for (int d = 0; d < school::kDays; ++d) {
        EXPECT_EQ((*week)[static_cast<std::size_t>(d)][0], "王伟");
    }
    EXPECT_EQ((*week)[0][1], "初一⑵");
    EXPECT_EQ((*week)[2][5], "高一⑴");
    EXPECT_EQ((*week)[1][1], "");
    EXPECT_EQ(g.classWeek(1)[0][0], "初一⑵");
    EXPECT_EQ(g.classWeek(1)[0][1], "王伟");
}

TEST_F(GradelessonTest, TheReportFillsSelfStudyInTheDocumentOnly) {
    nameClasses(m_timetable, 2, 3);
    m_timetable.cell(2, 0, 1, 4) = "       ";
    m_timetable.cell(2, 1, 0, 0) = ""; // the second class has no name: the report stops
    for (int d = 0; d < school::kDays; ++d) {
        m_timetable.cell(2, 1, d, 0) = "";
    }
    Gradelesson g = open();
    g.nextGrade();
    g.nextGrade();
    const reports::ReportTable table = g.reportTable();
    ASSERT_EQ(table.classes.size(), 1u);
    EXPECT_EQ(table.classes[0].className, "初三⑴");
    ASSERT_EQ(table.classes[0].cells.size(), 35u);
    EXPECT_EQ(table.classes[0].cells[1], "师初三⑴");
    EXPECT_EQ(table.classes[0].cells[7 + 3], "       ");
    EXPECT_EQ(g.printTitle(), std::string(20, ' ') + "初  三  年  段  总  课  程  表");
    EXPECT_EQ(g.timetable().cell(2, 0, 1, 4), "       ");
    EXPECT_FALSE(g.modified());
}

TEST_F(GradelessonTest, UndoAndRedoRoundTripEveryChange) {
    nameClasses(m_timetable, 0, 1);
    m_timetable.cell(0, 0, 0, 1) = "王伟";
    m_data.addClasscourse("初一⑴", "语文", "王伟", 5);
    Gradelesson g = open();
    const school::SchoolTimetable original = g.timetable();
    EXPECT_FALSE(g.canUndo());
    g.clickCell(0, 1);
    g.clickCell(0, 2);
    g.nextDay();
    EXPECT_TRUE(g.modified());
    const school::SchoolTimetable exchanged = g.timetable();
    EXPECT_TRUE(g.undo());
    EXPECT_TRUE(g.timetable() == original);
    EXPECT_EQ(g.day(), 0); // back where the change was made
    EXPECT_FALSE(g.modified());
    EXPECT_FALSE(g.undo());
    EXPECT_TRUE(g.redo());
    EXPECT_TRUE(g.timetable() == exchanged);
    EXPECT_FALSE(g.redo());
}

TEST_F(GradelessonTest, ARightClickLocksACellOfItsGradeAndFreesItAgain) {
    nameClasses(m_timetable, 0, 2);
    nameClasses(m_timetable, 1, 2);
    Gradelesson g = open();
    g.toggleLock(1, 3);
    EXPECT_TRUE(g.view().grid[3][1].locked);
    EXPECT_TRUE(g.isLocked(0, 1, 0, 3));
    EXPECT_NE(g.view().grid[3][1].tooltip.find("已锁定"), std::string::npos);
    g.nextGrade(); // the lock belongs to 初一⑵'s Monday period 3
    EXPECT_FALSE(g.view().grid[3][1].locked);
    g.previousGrade();
    g.toggleLock(1, 3);
    EXPECT_FALSE(g.isLocked(0, 1, 0, 3));
    EXPECT_FALSE(g.canUndo()); // a lock is no change of the timetable
}

TEST_F(GradelessonTest, AHundredStepsCanBeUndone) {
    nameClasses(m_timetable, 0, 1);
    m_timetable.cell(0, 0, 0, 1) = "王伟";
    Gradelesson g = open();
    for (int i = 0; i < 150; ++i) {
        g.clickCell(0, 1 + i % 2);
        g.clickCell(0, 2 - i % 2);
    }
    int levels = 0;
    while (g.undo()) {
        ++levels;
    }
    EXPECT_GE(levels, 100);
    for (int i = 0; i < levels; ++i) {
        EXPECT_TRUE(g.redo());
    }
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 1), "王伟");
}

class GradelessonStoreTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
};

TEST_F(GradelessonStoreTest, SaveWritesSevenRowsPerNamedClassAndKeepsWholeNames) {
    school::SchoolTimetable t;
    nameClasses(t, 0, 2);
    nameClasses(t, 5, 1);
    t.cell(0, 0, 0, 1) = "欧阳修文";
    timetable::saveSchoolTimetable(t);

    Gradelesson g(m_messenger);
    EXPECT_EQ(g.view().grid[1][0].caption, "欧阳修");
    g.nextDay();
    g.previousDay(); // the day has been shown twice: the name is still whole
    EXPECT_FALSE(g.modified());
    ASSERT_TRUE(g.save());
    const auto rows = store::CGLRecord().readAll();
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0].days[0], "欧阳修文");
    EXPECT_EQ(rows[20].number, 60107);
    EXPECT_EQ(rows[20].className, "高三⑴");
}

// A save in course view writes the teachers (the unified slot as its blank) and leaves the
// dialog showing the course names, unmodified.
TEST_F(GradelessonStoreTest, ASaveInCourseViewStoresTeacherNames) {
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"初一⑴", "语文", "王伟", 5}, {"初一⑴", "数学", "李强", 5}, {"初一⑵", "语文", "赵丽", 5}});
    store::CSLRecord().append(std::vector<store::SamelessonRow>{{"初一", 5, 7, "班会"}});
    school::SchoolTimetable t;
    nameClasses(t, 0, 2);
    const struct {
        int position, day, period;
        const char* text;
    } cells[] = {{0, 0, 1, "王伟"},
                 {0, 2, 3, "李强"},
                 {1, 0, 1, "赵丽"},
                 {0, 4, 7, "       "},
                 {1, 4, 7, "       "}};
    for (const auto& cell : cells) {
        t.cell(0, cell.position, cell.day, cell.period) = cell.text;
    }
    timetable::saveSchoolTimetable(t);
    const auto before = store::CGLRecord().readAll();

    Gradelesson g(m_messenger);
    g.switchView();
    ASSERT_EQ(g.timetable().cell(0, 0, 0, 1), "语文");
    ASSERT_EQ(g.timetable().cell(0, 1, 4, 7), "班会");
    ASSERT_TRUE(g.save());
    EXPECT_EQ(store::CGLRecord().readAll(), before);
    EXPECT_EQ(g.timetable().cell(0, 0, 2, 3), "数学");
    EXPECT_EQ(g.viewMode(), Gradelesson::kCourseView);
    EXPECT_FALSE(g.modified());
}

TEST_F(GradelessonStoreTest, AFailedSaveLeavesTheTableAndKeepsTheEdits) {
    school::SchoolTimetable t;
    nameClasses(t, 0, 1);
    t.cell(0, 0, 0, 1) = "王伟";
    timetable::saveSchoolTimetable(t);
    const auto before = store::CGLRecord().readAll();
    m_db.execute("CREATE TRIGGER stop BEFORE INSERT ON gradelesson WHEN NEW.number = 10105 "
                 "BEGIN SELECT RAISE(ABORT, 'stop here'); END");

    Gradelesson g(m_messenger);
    g.clickCell(0, 1);
    g.clickCell(0, 3);
    EXPECT_FALSE(g.save());
    EXPECT_EQ(m_messenger.entries().back().kind,
              testsupport::RecordingMessenger::Entry::Kind::Error);
    EXPECT_NE(m_messenger.entries().back().text.find("stop here"), std::string::npos);
    EXPECT_EQ(store::CGLRecord().readAll(), before);
    EXPECT_TRUE(g.modified());
    EXPECT_EQ(g.timetable().cell(0, 0, 0, 3), "王伟");

    // closing asks while the changes are unsaved; 否 keeps the dialog
    m_messenger.scriptAnswers({false, true});
    EXPECT_FALSE(g.mayClose());
    EXPECT_TRUE(g.mayClose());
    EXPECT_EQ(m_messenger.entries().back().text, Gradelesson::kDiscardQuestion);
    m_messenger.clear();
    g.undo();
    EXPECT_TRUE(g.mayClose());
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradelessonStoreTest, RearrangeFillsTheShownGradeAndUndoBringsItBack) {
    std::vector<store::ClasscourseRow> rows;
    for (int c = 1; c <= 2; ++c) {
        const std::string name = school::className(1, c);
        const std::string n = std::to_string(c);
        rows.push_back({name, "语文", "语文师" + n, 6});
        rows.push_back({name, "数学", "数学师" + n, 6});
        rows.push_back({name, "英语", "英语师" + n, 5});
        rows.push_back({name, "物理", "物理师" + n, 4});
        rows.push_back({name, "历史", "历史师" + n, 4});
    }
    store::CCCRecord().append(rows);
    school::SchoolTimetable t;
    nameClasses(t, 0, 1);
    timetable::saveSchoolTimetable(t);

    Gradelesson g(m_messenger);
    g.nextGrade();
    EXPECT_EQ(g.classCount(), 0);
    ASSERT_TRUE(g.rearrange());
    EXPECT_EQ(g.view().grid[0][1].caption, "初二⑵");
    const school::SchoolTimetable arranged = g.timetable();
    EXPECT_EQ(g.timetable().week(0, 0), t.week(0, 0)); // other grades stay
    EXPECT_TRUE(g.undo());
    EXPECT_TRUE(g.timetable() == t);
    EXPECT_EQ(g.classCount(), 0);
    EXPECT_TRUE(g.redo());
    EXPECT_TRUE(g.timetable() == arranged);
    EXPECT_TRUE(m_messenger.entries().empty());
}

} // namespace

namespace {

TEST_F(GradelessonStoreTest, OptimiseArrangesTheShownGradeWithoutClashesAndKeepsLockedCells) {
    std::vector<store::ClasscourseRow> rows;
    for (int c = 1; c <= 3; ++c) {
        const std::string name = school::className(1, c);
        const std::string n = std::to_string(c);
        rows.push_back({name, "语文", "语文师" + n, 6});
        rows.push_back({name, "数学", "数学师" + n, 5});
        rows.push_back({name, "英语", "英语师", 4}); // one teacher for three classes
        rows.push_back({name, "物理", "物理师" + n, 4});
        rows.push_back({name, "历史", "历史师" + n, 4});
    }
    store::CCCRecord().append(rows);
    school::SchoolTimetable t;
    nameClasses(t, 0, 1);
    timetable::saveSchoolTimetable(t);

    Gradelesson g(m_messenger);
    g.nextGrade();
    ASSERT_TRUE(g.rearrange());
    g.toggleLock(0, 3); // 初二⑴ Monday period 3, as the engine left it
    const std::string locked = g.timetable().cell(1, 0, 0, 3);
    const school::SchoolTimetable before = g.timetable();
    EXPECT_TRUE(g.optimiseShownGrade(5.0))
        << (m_messenger.texts().empty() ? "" : m_messenger.texts().back());
    EXPECT_EQ(g.timetable().cell(1, 0, 0, 3), locked);
    EXPECT_TRUE(g.view().status.starts_with("剩余：碰课 0 处，教师日超量 0 处")) << g.view().status;
    EXPECT_EQ(g.timetable().week(0, 0), before.week(0, 0)); // the other grades stay
    EXPECT_TRUE(g.undo());
    EXPECT_TRUE(g.timetable() == before);
}

} // namespace
