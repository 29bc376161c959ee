// The grade timetable opened from 课程编排 → 年段课程编排: two clicks move a lesson and its
// clash colour goes, 存  盘 writes the table, 撤  销 brings the lesson back, and 取消 asks
// before unsaved changes are lost.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "arrange/GradelessonDialog.h"
#include "arrange/ReviewlessonDialog.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "store/CGLRecord.h"
#include "store/CRLRecord.h"
#include "timetable/SchoolTimetableStore.h"
#include "widgets/DialogButtons.h"

#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using arrange::GradelessonDialog;
using widgets::toStdString;

// 初一⑴ and 高一⑴, 王伟 in both on Monday period 1 (a clash), 李强 in 初一⑴ after him.
school::SchoolTimetable clashingTimetable() {
    school::SchoolTimetable t;
    for (int g : {0, 3}) {
        for (int d = 0; d < school::kDays; ++d) {
            t.cell(g, 0, d, 0) = school::className(g, 1);
        }
    }
    t.cell(0, 0, 0, 1) = "王伟";
    t.cell(3, 0, 0, 1) = "王伟";
    t.cell(0, 0, 0, 2) = "李强";
    return t;
}

TEST(GradelessonDialog, ExchangesSavesUndoesAndAsksBeforeLosingEdits) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    school::SchoolTimetable t = clashingTimetable();
    timetable::saveSchoolTimetable(t);

    dialogtest::openFromMenu<GradelessonDialog>(window, "年段课程编排", [&](GradelessonDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段课程编排—初一");
        EXPECT_EQ(toStdString(d.cell(0, 0)->text()), "初一⑴");
        EXPECT_EQ(toStdString(d.clashLabels()[0]->text()), "王伟 第一节");
        // the grade stands inside the dialog, and a legend says what the colours mean
        const auto* grade = d.findChild<QLabel*>(QStringLiteral("gradeName"));
        ASSERT_NE(grade, nullptr);
        EXPECT_EQ(toStdString(grade->text()), "初一");
        std::vector<std::string> legend;
        for (const QLabel* label : d.findChildren<QLabel*>(QStringLiteral("legend"))) {
            legend.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(legend,
                  (std::vector<std::string>{"教师碰课", "教学设施超过上限", "教师预设此时不排课",
                                            "已锁定（右键锁定或解锁）"}));
        EXPECT_FALSE(d.cell(1, 0)->styleSheet().isEmpty());
        EXPECT_EQ(toStdString(d.cell(1, 0)->toolTip()), "王伟同时在高一⑴上课");

        QTest::mouseClick(d.cell(1, 0), Qt::LeftButton);
        EXPECT_TRUE(d.cell(1, 0)->isChecked());
        QTest::mouseClick(d.cell(2, 0), Qt::LeftButton);
        EXPECT_FALSE(d.cell(1, 0)->isChecked());
        EXPECT_EQ(toStdString(d.cell(1, 0)->text()), "李强");
        EXPECT_TRUE(d.cell(1, 0)->styleSheet().isEmpty());
        EXPECT_TRUE(d.clashLabels()[0]->text().isEmpty());

        d.buttons()->saveButton()->click();
        const auto rows = store::CGLRecord().readAll();
        ASSERT_EQ(rows.size(), 14u);
        EXPECT_EQ(rows[0].days[0], "李强");
        EXPECT_EQ(rows[1].days[0], "王伟");

        QPushButton* undo = d.button(QStringLiteral("撤  销"));
        EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        undo->click();
        EXPECT_EQ(toStdString(d.cell(1, 0)->text()), "王伟");
        // unsaved again: 取消 asks, and 否 keeps the dialog open
        const std::string asked = dialogtest::messageFromAnswer(
            [&] { d.buttons()->cancelButton()->click(); }, QMessageBox::No);
        EXPECT_EQ(asked, "年段课程表已修改，放弃未存盘的修改吗？");
        EXPECT_TRUE(d.isVisible());
        d.button(QStringLiteral("重  做"))->click();

        // another program saves in between: 存  盘 asks, and 否 writes nothing
        db.execute("UPDATE gradelesson SET monday = '张敏' WHERE number = 40101");
        QTest::mouseClick(d.cell(1, 0), Qt::LeftButton);
        QTest::mouseClick(d.cell(2, 0), Qt::LeftButton);
        messenger.scriptAnswers({false});
        d.buttons()->saveButton()->click();
        ASSERT_FALSE(messenger.entries().empty());
        EXPECT_EQ(messenger.entries().back().text,
                  "年段课程表已被其他程序修改。仍然存盘会覆盖那些修改，继续吗？");
        EXPECT_EQ(store::CGLRecord().readAll()[7].days[0], "张敏");
        EXPECT_TRUE(d.logic().modified());
        d.logic().undo();
        d.buttons()->cancelButton()->click(); // as saved: closes at once
        EXPECT_FALSE(d.isVisible());
    });
}

// The week view: 按周查看 swaps the grids, a lesson dragged across days with the teachers'
// weeks beside it clears a clash, undo and redo, Esc puts a dragged lesson back, Shift drags a
// double period, a locked cell refuses a drop, and the selection survives 按天查看.
TEST(GradelessonDialog, TheWeekViewDragsAcrossDaysAndSharesUndoAndSelection) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    school::SchoolTimetable t = clashingTimetable();
    t.cell(0, 0, 1, 3) = "张敏";
    t.cell(0, 0, 1, 5) = "语文师";
    t.cell(0, 0, 1, 6) = "语文师";
    timetable::saveSchoolTimetable(t);

    dialogtest::openFromMenu<GradelessonDialog>(window, "年段课程编排", [&](GradelessonDialog& d) {
        arrange::WeekGridWidget* grid = d.weekGrid();
        EXPECT_FALSE(grid->isVisibleTo(&d));
        EXPECT_EQ(toStdString(d.weekToggle()->text()), "按周查看");
        d.weekToggle()->click();
        EXPECT_TRUE(grid->isVisibleTo(&d));
        EXPECT_FALSE(d.cell(1, 0)->isVisibleTo(&d));
        EXPECT_EQ(toStdString(d.weekToggle()->text()), "按天查看");
        const auto centre = [&](int day, int period) {
            return grid->cellRect(0, day, period).center();
        };
        const auto cellText = [&](int day, int period) {
            return d.logic().timetable().cell(0, 0, day, period);
        };
        EXPECT_NE(toStdString(d.statusLabel()->text()).find("碰课 1 处"), std::string::npos);

        // drag 王伟 from Monday 1 over 张敏 (Tuesday 3) to Wednesday 5
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, centre(0, 1));
        EXPECT_EQ(toStdString(d.teacherWeeks()->title(0)->text()), "所选教师：王伟");
        // Monday period 1 in two classes: the later one stands in the teacher's week
        EXPECT_EQ(toStdString(d.teacherWeeks()->table(0)->item(0, 0)->text()), "高一⑴");
        QTest::mouseMove(grid, centre(1, 3));
        EXPECT_TRUE(grid->dragging());
        EXPECT_EQ(toStdString(d.teacherWeeks()->title(1)->text()), "目标教师：张敏");
        EXPECT_EQ(d.logic().weekView().rows[0].cells[2 * 7 + 4].shade, arrange::Shade::Green);
        QTest::mouseMove(grid, centre(2, 5));
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, centre(2, 5));
        EXPECT_EQ(cellText(2, 5), "王伟");
        EXPECT_TRUE(cellText(0, 1).empty());
        EXPECT_NE(toStdString(d.statusLabel()->text()).find("碰课 0 处"), std::string::npos);
        d.button(QStringLiteral("撤  销"))->click();
        EXPECT_EQ(cellText(0, 1), "王伟");
        EXPECT_TRUE(grid->isVisibleTo(&d)); // undo keeps the view
        d.button(QStringLiteral("重  做"))->click();
        EXPECT_EQ(cellText(2, 5), "王伟");

        // Esc during a drag: nothing moves
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, centre(0, 2));
        QTest::mouseMove(grid, centre(3, 4));
        QTest::keyClick(grid, Qt::Key_Escape);
        EXPECT_FALSE(grid->dragging());
        EXPECT_TRUE(d.isVisible());
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, centre(3, 4));
        EXPECT_EQ(cellText(0, 2), "李强");
        EXPECT_EQ(d.logic().selection(), 0);

        // Shift drags the double period: Tuesday 5-6 to Friday 3-4
        QTest::mousePress(grid, Qt::LeftButton, Qt::ShiftModifier, centre(1, 6));
        QTest::mouseMove(grid, centre(4, 3));
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::ShiftModifier, centre(4, 3));
        EXPECT_EQ(cellText(4, 3), "语文师");
        EXPECT_EQ(cellText(4, 4), "语文师");
        EXPECT_TRUE(cellText(1, 5).empty());

        // a locked cell refuses the drop
        d.logic().toggleLockAt({0, 3, 2});
        const school::SchoolTimetable before = d.logic().timetable();
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, centre(0, 2));
        QTest::mouseMove(grid, centre(3, 2));
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, centre(3, 2));
        EXPECT_TRUE(d.logic().timetable() == before);
        EXPECT_NE(toStdString(d.statusLabel()->text()).find("已锁定"), std::string::npos);

        // a click picks 李强 up; the day grid shows it selected, its class shaded
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centre(0, 2));
        d.weekToggle()->click();
        EXPECT_TRUE(d.cell(2, 0)->isVisibleTo(&d));
        EXPECT_TRUE(d.cell(2, 0)->isChecked());
        EXPECT_NE(d.cell(3, 0)->styleSheet().indexOf(QStringLiteral("#81c784")), -1); // green
        d.logic().undo();
        d.logic().undo();
        d.buttons()->cancelButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
}

} // namespace

namespace {

using arrange::ReviewlessonDialog;

TEST(ReviewlessonDialog, ExchangesSavesAndAsksBeforeClosingOverUnsavedEdits) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    std::vector<store::ReviewlessonRow> rows;
    for (int p = 1; p <= school::kPeriods; ++p) {
        store::ReviewlessonRow row{"初一⑴", 10100 + p, {}};
        for (int d = 0; d < 6; ++d) {
            row.days[static_cast<std::size_t>(d)] = "教师" + std::to_string(d) + std::to_string(p);
        }
        rows.push_back(row);
    }
    store::CRLRecord().append(rows);
    std::vector<store::GradecourseRow> plan = {
        {"初一", "语文", 6, 5}, {"初一", "数学", 6, 5}, {"初一", "英语", 5, 5}};
    store::CGCRecord().append(plan);
    std::vector<store::ClasscourseRow> courses;
    for (int c = 1; c <= 2; ++c) {
        for (const char* course : {"语文", "数学", "英语"}) {
            courses.push_back({school::className(0, c), course, std::string(course) + "师", 5});
        }
    }
    store::CCCRecord().append(courses);

    dialogtest::openFromMenu<ReviewlessonDialog>(window, "复习课程编排", [](ReviewlessonDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "复习课程编排—初一");
        EXPECT_EQ(d.logic().reviewDays(), 6);
        QTest::mouseClick(d.cell(1, 0), Qt::LeftButton);
        QTest::mouseClick(d.cell(2, 0), Qt::LeftButton);
        EXPECT_EQ(toStdString(d.cell(1, 0)->text()), "教师02");
        d.button(QStringLiteral("存  盘"))->click();
        EXPECT_EQ(store::CRLRecord().readAll()[0].days[0], "教师02");

        // 优化编排: two classes sharing every teacher, without a clash; 撤  销 takes it back
        d.button(QStringLiteral("优化编排"))->click();
        EXPECT_EQ(d.logic().reviewDays(), 5);
        EXPECT_TRUE(toStdString(d.statusLabel()->text()).starts_with("剩余：碰课 0 处"));
        EXPECT_EQ(toStdString(d.cell(0, 1)->text()), "初一⑵");
        d.button(QStringLiteral("撤  销"))->click();
        EXPECT_EQ(toStdString(d.cell(1, 0)->text()), "教师02");
        EXPECT_EQ(d.logic().reviewDays(), 6);

        QTest::mouseClick(d.cell(1, 0), Qt::LeftButton);
        QTest::mouseClick(d.cell(3, 0), Qt::LeftButton);
        // 确定 writes nothing by itself: it asks, and 取消 keeps the dialog with the edits
        const std::string asked = dialogtest::messageFromAnswer(
            [&] { d.button(QStringLiteral("确定"))->click(); }, QMessageBox::Cancel);
        EXPECT_EQ(asked, "复习课程表已修改，是否存盘？");
        EXPECT_TRUE(d.isVisible());
        dialogtest::messageFromAnswer([&] { d.button(QStringLiteral("取消"))->click(); },
                                      QMessageBox::No);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(store::CRLRecord().readAll()[0].days[0], "教师02");
    });
}

} // namespace
