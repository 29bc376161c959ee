// The standard weekly workload opened from 出勤管理 → 工作量设置: 20 pairs in five lines of four,
// a grade's pairs shown when it is chosen, a refused count told and nothing written, 存盘
// replacing the grade's rows, and 确定 saving and closing.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/WeekworkSetDialog.h"
#include "store/CCWRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using attendance::WeekworkSetDialog;
using dialogtest::messageFrom;
using widgets::toStdString;
using Rows = std::vector<store::CourseweekRow>;

TEST(WeekworkSetDialogTest, ShowsAGradesPairsAndSavesThem) {
    testsupport::TempDatabase db;
    testsupport::RecordingMessenger messenger;
    app::MainWindow window{app::commandTable(), app::ShellServices{&messenger, {}}};
    store::CCWRecord().append(Rows{{"数学", 4, 6}, {"英语", 4, 5}, {"语文", 1, 6}});

    dialogtest::openFromMenu<WeekworkSetDialog>(window, "工作量设置", [&](WeekworkSetDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "学科周工作量设置");
        EXPECT_EQ(d.gradeBox()->count(), 6);
        EXPECT_EQ(d.gradeBox()->currentIndex(), -1);
        EXPECT_EQ(d.subjectBox(19)->count(), 0);
        EXPECT_EQ(toStdString(d.buttons()->saveButton()->text()), "存盘");
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }), "请先选择年段!");

        d.gradeBox()->setCurrentIndex(3);
        emit d.gradeBox()->activated(3); // 高一, as the user completes the choice
        EXPECT_EQ(toStdString(d.subjectBox(0)->currentText()), "数学");
        EXPECT_EQ(toStdString(d.weeklyBox(1)->text()), "5");
        EXPECT_EQ(toStdString(d.subjectBox(2)->currentText()), "");

        d.weeklyBox(0)->setText(QStringLiteral("5"));
        d.weeklyBox(1)->setText(QStringLiteral("0"));
        d.subjectBox(2)->setEditText(QStringLiteral("化学"));
        d.weeklyBox(2)->setText(QStringLiteral("31"));
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }),
                  "第3组“化学”的周课时请输入 0 到 30 之间的整数。");
        EXPECT_EQ(store::CCWRecord().readAll().size(), 3u);

        d.weeklyBox(2)->setText(QStringLiteral("2"));
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::CCWRecord().readAll(), (Rows{{"语文", 1, 6}, {"数学", 4, 5}, {"化学", 4, 2}}));
}

} // namespace
