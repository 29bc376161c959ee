// The school settings' dialog opened from 系统设置 → 学校信息与作息时间: the stored settings
// shown, a refused time keeping the dialog open with the focus on its box and nothing
// written, 确定 saving and closing, and 取消 asking before unsaved changes are dropped.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/SchoolSettingsEditDialog.h"
#include "store/SchoolSettingsStore.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using dialogtest::openFromMenu;
using masterdata::SchoolSettingsEditDialog;
using widgets::toStdString;
constexpr const char* kEntry = "学校信息与作息时间";

class SchoolSettingsEditDialogTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(SchoolSettingsEditDialogTest, ShowsEditsRefusesSavesAndAsksBeforeDroppingChanges) {
    school::SchoolSettings stored;
    stored.schoolName = "育才中学";
    stored.periods[0] = {"08:00", "08:45", false};
    store::saveSchoolSettings(stored);

    openFromMenu<SchoolSettingsEditDialog>(m_window, kEntry, [&](SchoolSettingsEditDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "学校信息与作息时间");
        EXPECT_EQ(toStdString(d.nameBox()->text()), "育才中学");
        EXPECT_EQ(d.dateBox()->text(), QString());
        EXPECT_EQ(d.startBox(0)->text(), QStringLiteral("08:00"));
        EXPECT_EQ(toStdString(d.halfBox(3)->currentText()), "上午");
        EXPECT_EQ(toStdString(d.halfBox(4)->currentText()), "下午");
        EXPECT_LT(d.startBox(0)->y(), d.startBox(1)->y());
        EXPECT_LT(d.startBox(0)->x(), d.endBox(0)->x());

        // Digits and a colon only in a time box.
        d.startBox(1)->clear();
        QTest::keyClicks(d.startBox(1), QStringLiteral("8:a40"));
        EXPECT_EQ(d.startBox(1)->text(), QStringLiteral("8:40"));
        EXPECT_EQ(dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "第二节不能在第一节结束之前开始。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.startBox(1));
        EXPECT_EQ(store::readSchoolSettings(), stored); // nothing written

        // 取消 with unsaved changes asks; 否 keeps the dialog.
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.buttons()->cancelButton()->click(); },
                                                QMessageBox::No),
                  "学校信息已修改，放弃未存盘的修改吗？");
        EXPECT_TRUE(d.isVisible());

        d.startBox(1)->setText(QStringLiteral("8:55"));
        d.endBox(1)->setText(QStringLiteral("09:40"));
        d.dateBox()->setText(QStringLiteral("2024-09-02"));
        d.halfBox(3)->setCurrentIndex(1);
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    school::SchoolSettings saved = stored;
    saved.weekOneMonday = "2024-09-02";
    saved.periods[1] = {"08:55", "09:40", false};
    saved.periods[3].afternoon = true;
    EXPECT_EQ(store::readSchoolSettings(), saved);
    EXPECT_TRUE(m_messenger.entries().empty());

    // Without changes 取消 closes at once and writes nothing.
    openFromMenu<SchoolSettingsEditDialog>(m_window, kEntry, [](SchoolSettingsEditDialog& d) {
        EXPECT_EQ(d.endBox(1)->text(), QStringLiteral("09:40"));
        d.buttons()->cancelButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::readSchoolSettings(), saved);
}

} // namespace
