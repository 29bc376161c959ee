// The teacher-roster dialog opened from 系统设置 → 教师名单编辑, with its new-name and batch
// dialogs: buttons and grid, add / insert / batch through the small dialogs, selection by a
// name button, 确定 saving in grid order, 取消 writing nothing, the full-roster message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/NameInsertDialog.h"
#include "masterdata/TeachernameEditDialog.h"
#include "masterdata/TeachernamemanyDialog.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::openFromMenu;
using dialogtest::whileModal;
using masterdata::NameInsertDialog;
using masterdata::TeachernameEditDialog;
using masterdata::TeachernamemanyDialog;
using widgets::toStdString;

std::vector<std::string> stored() {
    store::CTNRecord rs;
    std::vector<std::string> names;
    for (const auto& row : rs.readAll()) {
        names.push_back(row.name);
    }
    return names;
}

void store(const std::vector<std::string>& names) {
    std::vector<store::TeachernameRow> rows;
    for (const std::string& n : names) {
        rows.push_back({n});
    }
    store::CTNRecord rs;
    rs.append(rows);
}

// Clicks 插  入 or 添  加 and types name into the new-name dialog; 确定 or 取消.
bool enterName(TeachernameEditDialog& dialog, TeachernameEditDialog::Command command,
               const QString& name, bool ok = true) {
    return whileModal<NameInsertDialog>(
        [&] { dialog.commandButton(command)->click(); },
        [&](NameInsertDialog& names) {
            EXPECT_EQ(names.windowTitle(), QString());
            EXPECT_TRUE(names.nameBox()->isEditable());
            EXPECT_EQ(names.nameBox()->count(), 0);
            dialogtest::typeText(names.nameBox()->lineEdit(), name);
            (ok ? names.buttons()->okButton() : names.buttons()->cancelButton())->click();
        });
}

std::vector<std::string> captions(const TeachernameEditDialog& dialog, int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
        out.push_back(toStdString(dialog.nameButton(i)->text()));
    }
    return out;
}

int pressedButton(const TeachernameEditDialog& dialog) {
    int pressed = -1;
    for (int i = 0; i < 60; ++i) {
        if (dialog.nameButton(i)->isChecked()) {
            EXPECT_EQ(pressed, -1) << "two buttons pressed";
            pressed = i;
        }
    }
    return pressed;
}

class TeachernameEditDialogTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(TeachernameEditDialogTest, ButtonsAndGridAsDescribed) {
    store({"王伟", "司马相如"});
    openFromMenu<TeachernameEditDialog>(m_window, "教师名单编辑", [](TeachernameEditDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "教师名单编辑");
        const std::vector<std::string> expected = {"向上移",  "向下移",   "插  入",  "添  加",
                                                   "删   除", "插入一批", "添加一批"};
        for (int c = 0; c < TeachernameEditDialog::kCommands; ++c) {
            const auto command = static_cast<TeachernameEditDialog::Command>(c);
            EXPECT_EQ(toStdString(d.commandButton(command)->text()),
                      expected[static_cast<std::size_t>(c)]);
        }
        // 确定 and 取消 end the top row, right of the commands.
        EXPECT_GT(d.buttons()->okButton()->mapTo(&d, QPoint()).x(),
                  d.commandButton(TeachernameEditDialog::AddBatch)->mapTo(&d, QPoint()).x());
        // 6 rows of 10 below the top row.
        EXPECT_GT(d.nameButton(0)->y(), d.commandButton(TeachernameEditDialog::MoveUp)->y());
        EXPECT_EQ(d.nameButton(10)->x(), d.nameButton(0)->x());
        EXPECT_GT(d.nameButton(10)->y(), d.nameButton(9)->y());
        EXPECT_EQ(d.nameButton(59)->y(), d.nameButton(50)->y());
        EXPECT_EQ(captions(d, 3), (std::vector<std::string>{"王伟", "司马相", ""}));
        EXPECT_EQ(pressedButton(d), 0);
        d.buttons()->cancelButton()->click();
    });
}

TEST_F(TeachernameEditDialogTest, EditsThroughTheSmallDialogsAndSavesInGridOrder) {
    store({"王伟", "李娜"});
    openFromMenu<TeachernameEditDialog>(m_window, "教师名单编辑", [](TeachernameEditDialog& d) {
        // Add: after the last name.
        ASSERT_TRUE(enterName(d, TeachernameEditDialog::Add, QStringLiteral("张强")));
        // Cancel in the new-name dialog changes nothing.
        ASSERT_TRUE(enterName(d, TeachernameEditDialog::Add, QStringLiteral("赵六"), false));
        EXPECT_EQ(captions(d, 4), (std::vector<std::string>{"王伟", "李娜", "张强", ""}));

        // Insert at the selected place (second button, now pressed).
        QTest::mouseClick(d.nameButton(1), Qt::LeftButton);
        EXPECT_EQ(pressedButton(d), 1);
        ASSERT_TRUE(enterName(d, TeachernameEditDialog::Insert, QStringLiteral("陈静")));
        EXPECT_EQ(captions(d, 4), (std::vector<std::string>{"王伟", "陈静", "李娜", "张强"}));

        // Insert a batch at place 1: boxes 1 and 3 filled, box 5 beginning with a space.
        QTest::mouseClick(d.nameButton(0), Qt::LeftButton);
        ASSERT_TRUE(whileModal<TeachernamemanyDialog>(
            [&] { d.commandButton(TeachernameEditDialog::InsertBatch)->click(); },
            [](TeachernamemanyDialog& batch) {
                EXPECT_EQ(toStdString(batch.windowTitle()), "增加一批教师名单");
                EXPECT_GT(batch.box(5)->y(), batch.box(4)->y());
                EXPECT_EQ(batch.box(24)->y(), batch.box(20)->y());
                dialogtest::typeText(batch.box(0), QStringLiteral("何平"));
                dialogtest::typeText(batch.box(2), QStringLiteral("欧阳明明")); // capped
                dialogtest::typeText(batch.box(4), QStringLiteral(" 刘洋"));
                EXPECT_EQ(batch.box(2)->text(), QStringLiteral("欧阳明"));
                batch.buttons()->okButton()->click();
            }));

        // Delete the selected first name (何平).
        d.commandButton(TeachernameEditDialog::Delete)->click();
        EXPECT_EQ(captions(d, 6),
                  (std::vector<std::string>{"欧阳明", "王伟", "陈静", "李娜", "张强", ""}));
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (std::vector<std::string>{"欧阳明", "王伟", "陈静", "李娜", "张强"}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(TeachernameEditDialogTest, CancelWritesNothing) {
    store({"王伟", "李娜"});
    openFromMenu<TeachernameEditDialog>(m_window, "教师名单编辑", [](TeachernameEditDialog& d) {
        ASSERT_TRUE(enterName(d, TeachernameEditDialog::Insert, QStringLiteral("张强")));
        d.commandButton(TeachernameEditDialog::Delete)->click();
        d.commandButton(TeachernameEditDialog::Delete)->click();
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (std::vector<std::string>{"王伟", "李娜"}));
}

TEST_F(TeachernameEditDialogTest, FullRosterRefusesAddBeforeAskingAndMovesTheGrid) {
    std::vector<std::string> names;
    for (int i = 1; i <= 200; ++i) {
        const std::string digits = std::to_string(i);
        names.push_back("师" + std::string(3 - digits.size(), '0') + digits);
    }
    store(names);
    openFromMenu<TeachernameEditDialog>(m_window, "教师名单编辑", [](TeachernameEditDialog& d) {
        const std::string said =
            dialogtest::messageFrom([&] { d.commandButton(TeachernameEditDialog::Add)->click(); });
        EXPECT_EQ(said, masterdata::TeachernameEdit::kFullMessage);
        d.commandButton(TeachernameEditDialog::MoveDown)->click();
        EXPECT_EQ(toStdString(d.nameButton(0)->text()), "师011");
        EXPECT_EQ(pressedButton(d), -1); // place 1 is out of view
        d.commandButton(TeachernameEditDialog::MoveUp)->click();
        EXPECT_EQ(pressedButton(d), 0);
        d.buttons()->okButton()->click();
    });
    EXPECT_EQ(stored(), names);
}

} // namespace
