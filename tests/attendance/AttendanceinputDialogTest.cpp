// 出勤情况录入 opened from 出勤管理: a week refused and then loaded, the stored category shown
// with its spaces, a typed record whose 代课 box offers the free teacher first, paging, 存盘,
// and 取消 asking before unsaved edits are dropped; without classes the entry only says so.
#include "MenuDialogDriver.h"
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "attendance/AttendanceinputDialog.h"
#include "store/CATRecord.h"
#include "store/CGSRecord.h"
#include "timetable/SchoolTimetableStore.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using attendance::AttendanceinputDialog;
using dialogtest::messageFrom;
using dialogtest::messageFromAnswer;
using dialogtest::openFromMenu;
using widgets::toStdString;

constexpr const char* kEntry = "出勤情况录入";

std::string text(const QComboBox* box) {
    return toStdString(box->currentText());
}

class AttendanceinputDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初一", 2}});
        testsupport::storeTeachers({"王伟", "李娜", "欧阳明月光"});
        store::CATRecord().append(std::vector<store::AttendanceRow>{
            {"王伟",
             "2",
             "初一⑴",
             {2024, 9, 9, 0, 0, 0},
             "星期一",
             "第一节",
             "公  假",
             "李娜",
             "开会"},
            {"李娜", "3", "初一⑵", {2024, 9, 16, 0, 0, 0}, "星期一", "第二节", "迟  到", "", ""}});
        school::SchoolTimetable timetable;
        timetable.cell(0, 0, 0, 0) = "初一⑴"; // a class is stored under its name
        timetable.cell(0, 1, 0, 0) = "初一⑵";
        timetable.cell(0, 0, 1, 3) = "李娜";
        timetable.cell(0, 1, 1, 3) = "王伟";
        timetable::saveSchoolTimetable(timetable);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(AttendanceinputDialogTest, LoadsEditsPagesAndSavesAWeek) {
    openFromMenu<AttendanceinputDialog>(m_window, kEntry, [](AttendanceinputDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "本周出勤录入");
        EXPECT_EQ(toStdString(d.pageButton()->text()), "第1页");
        EXPECT_EQ(d.row(0).teacher->count(), 3);
        EXPECT_EQ(toStdString(d.row(0).teacher->itemText(2)), "欧阳明");
        EXPECT_EQ(d.row(0).period->count(), 12);
        EXPECT_EQ(d.row(0).className->count(), 2);

        d.weekBox()->setText(QStringLiteral("第2周"));
        EXPECT_EQ(messageFrom([&] { d.button(QStringLiteral("刷新"))->click(); }),
                  "请输入周别（1 到 60 的整数）。");
        d.weekBox()->setText(QStringLiteral("2"));
        d.button(QStringLiteral("刷新"))->click();
        EXPECT_EQ(toStdString(d.windowTitle()), "本周出勤录入—第2周");
        EXPECT_EQ(text(d.row(0).teacher), "王伟");
        EXPECT_EQ(toStdString(d.row(0).date->text()), "2024-09-09");
        EXPECT_EQ(text(d.row(0).category), "公  假");
        EXPECT_EQ(text(d.row(1).teacher), "");

        // 李娜 misses Tuesday's third lesson: 欧阳明 is free, 王伟 teaches then.
        const auto& row = d.row(1);
        row.teacher->setEditText(QStringLiteral("李娜"));
        row.date->setText(QStringLiteral("2024-09-10"));
        row.weekday->setEditText(QStringLiteral("星期二"));
        row.period->setEditText(QStringLiteral("第三节"));
        row.category->setEditText(QStringLiteral("事  假"));
        const QAbstractItemModel* offered = row.substitute->model();
        ASSERT_EQ(offered->rowCount(), 2);
        EXPECT_EQ(toStdString(offered->index(0, 0).data().toString()), "欧阳明");
        EXPECT_EQ(toStdString(offered->index(0, 1).data().toString()), "当天0节 · 本周0节");
        EXPECT_EQ(toStdString(offered->index(1, 0).data().toString()), "王伟");
        row.substitute->setEditText(QStringLiteral("欧阳明"));

        d.button(QStringLiteral("下一页"))->click();
        EXPECT_EQ(toStdString(d.pageButton()->text()), "第2页");
        EXPECT_EQ(text(d.row(1).teacher), "");
        d.button(QStringLiteral("上一页"))->click();
        EXPECT_EQ(text(d.row(1).substitute), "欧阳明");

        d.buttons()->saveButton()->click();
        const auto stored = store::CATRecord().readAll();
        ASSERT_EQ(stored.size(), 3U);
        EXPECT_EQ(stored[2].kind, "事  假");
        EXPECT_EQ(stored[2].substitute, "欧阳明");

        d.row(2).remark->setText(QStringLiteral("未存"));
        EXPECT_EQ(messageFromAnswer([&] { d.buttons()->cancelButton()->click(); }, QMessageBox::No),
                  "出勤记录已修改，放弃未存盘的修改吗？");
        EXPECT_TRUE(d.isVisible());
        messageFromAnswer([&] { d.buttons()->cancelButton()->click(); }, QMessageBox::Yes);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::CATRecord().readAll().size(), 3U);
}

TEST_F(AttendanceinputDialogTest, WithoutClassesTheEntryOnlySaysSo) {
    store::CGSRecord().replaceAll(std::vector<store::GradeclassRow>{});
    EXPECT_EQ(messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); }),
              "请设各年段的班级数!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
