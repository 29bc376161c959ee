// 早晚督修安排 opened from 教学管理: the boxes and the blank, disabled class buttons at first,
// the 初二 周三晚 choice with its pressed buttons, duty captions and selected names, a toggle
// saved by 存盘, 取消 asking before it drops an unsaved toggle, and the entry with an empty
// roster showing only its message.
#include "MenuDialogDriver.h"
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "store/CSORecord.h"
#include "supervise/SuperviseOrderDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::messageFromAnswer;
using dialogtest::openFromMenu;
using supervise::SuperviseOrderDialog;
using widgets::toStdString;
using Rows = std::vector<store::SuperviseRow>;

constexpr const char* kEntry = "早晚督修教师安排";

class SuperviseOrderDialogTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(SuperviseOrderDialogTest, ChoosesAGradeTimeAndTeacherAndSavesTheToggledClasses) {
    testsupport::storeTeachers({"王伟", "李娜"});
    store::CSORecord().append(Rows{
        {"初二⑶", "周三晚", "王伟"}, {"初二⑸", "周三晚", "王伟"}, {"初二⑷", "周三晚", "李娜"}});
    openFromMenu<SuperviseOrderDialog>(m_window, kEntry, [&](SuperviseOrderDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "早晚督修安排");
        EXPECT_EQ(d.gradeBox()->count(), 6);
        EXPECT_EQ(d.timeBox()->count(), 14);
        EXPECT_EQ(toStdString(d.timeBox()->itemText(13)), "周日晚");
        EXPECT_EQ(d.teacherBox()->count(), 2);
        EXPECT_EQ(d.classButton(1)->text(), QString());
        EXPECT_FALSE(d.classButton(1)->isEnabled());

        d.gradeBox()->setCurrentIndex(1);
        d.timeBox()->setCurrentIndex(5);
        EXPECT_FALSE(d.classButton(3)->isEnabled()); // no teacher yet
        d.teacherBox()->setCurrentIndex(0);
        for (int k = 1; k <= 20; ++k) {
            EXPECT_EQ(d.classButton(k)->isChecked(), k == 3 || k == 5) << k;
        }
        EXPECT_EQ(toStdString(d.classButton(4)->text()), "初二⑷\n李娜");
        EXPECT_EQ(toStdString(d.classButton(4)->toolTip()), "周三晚督修：李娜");
        EXPECT_EQ(toStdString(d.selectionLabel()->text()), "初二⑶ 初二⑸");

        d.classButton(5)->click();
        d.classButton(7)->click();
        EXPECT_FALSE(d.classButton(5)->isChecked());
        EXPECT_TRUE(d.classButton(7)->isChecked());
        EXPECT_EQ(toStdString(d.selectionLabel()->text()), "初二⑶ 初二⑺");
        d.saveButton()->click();
        EXPECT_EQ(toStdString(d.classButton(7)->text()), "初二⑺\n王伟");

        // An unsaved toggle: 取消 asks, 否 keeps the dialog open, 是 closes without writing.
        d.classButton(9)->click();
        EXPECT_EQ(messageFromAnswer([&] { d.cancelButton()->click(); }, QMessageBox::No),
                  "督修安排已修改，放弃未存盘的修改吗？");
        EXPECT_TRUE(d.isVisible());
        messageFromAnswer([&] { d.okButton()->click(); }, QMessageBox::Yes);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::CSORecord().readAll(), (Rows{{"初二⑶", "周三晚", "王伟"},
                                                  {"初二⑷", "周三晚", "李娜"},
                                                  {"初二⑺", "周三晚", "王伟"}}));
}

TEST_F(SuperviseOrderDialogTest, WithoutTeachersTheEntryOnlyShowsItsMessage) {
    QAction* entry = dialogtest::menuEntry(m_window, kEntry);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(messageFrom([&] { entry->trigger(); }), "请输入所有教师姓名!");
}

} // namespace
