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

#include <gtest/gtest.h>

namespace {

using arrange::GradelessonDialog;
using widgets::toStdString;

TEST(GradelessonDialog, ExchangesSavesUndoesAndAsksBeforeLosingEdits) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    school::SchoolTimetable t;
    for (int g : {0, 3}) {
        for (int d = 0; d < school::kDays; ++d) {
            t.cell(g, 0, d, 0) = school::className(g, 1);
        }
    }
    t.cell(0, 0, 0, 1) = "王伟";
    t.cell(3, 0, 0, 1) = "王伟"; // a clash with 高一⑴
    t.cell(0, 0, 0, 2) = "李强";
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
