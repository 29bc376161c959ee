// The course-name dialog opened from 系统设置 → 课程名称设置: its boxes, typing and the 8-byte
// cap, 确定 saving in box order, 取消 writing nothing, and the notice about a table this
// dialog could not show whole.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/CoursenameDialog.h"
#include "store/CCNRecord.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::openFromMenu;
using masterdata::CoursenameDialog;
using widgets::toQString;
using widgets::toStdString;

std::vector<std::string> stored() {
    store::CCNRecord rs;
    std::vector<std::string> names;
    for (const auto& row : rs.readAll()) {
        names.push_back(row.name);
    }
    return names;
}

void store(const std::vector<std::string>& names) {
    std::vector<store::CoursenameRow> rows;
    for (const std::string& n : names) {
        rows.push_back({n});
    }
    store::CCNRecord rs;
    rs.append(rows);
}

class CoursenameDialogTest : public ::testing::Test {
protected:
    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(CoursenameDialogTest, OkSavesTheBoxesInOrderWithoutGaps) {
    store({"语文", "数学", "英语"});
    openFromMenu<CoursenameDialog>(m_window, "课程名称设置", [](CoursenameDialog& dialog) {
        EXPECT_EQ(toStdString(dialog.windowTitle()), "课程名称设置");
        // 5 rows of 4: box 4 starts the second row.
        EXPECT_GT(dialog.box(4)->y(), dialog.box(3)->y());
        EXPECT_EQ(dialog.box(4)->x(), dialog.box(0)->x());
        EXPECT_EQ(dialog.box(19)->y(), dialog.box(16)->y());
        EXPECT_EQ(dialog.box(0)->text(), QStringLiteral("语文"));
        EXPECT_EQ(dialog.box(3)->text(), QString());

        dialog.box(1)->clear(); // a gap between 语文 and 英语
        dialogtest::typeText(dialog.box(5), QStringLiteral("信息技术课"));
        EXPECT_EQ(dialog.box(5)->text(), QStringLiteral("信息技术")); // 8 bytes, no more
        dialogtest::typeText(dialog.box(7), QStringLiteral("史"));    // too short: dropped
        EXPECT_EQ(dialog.buttons()->okButton()->text(), QStringLiteral("确定"));
        dialog.buttons()->okButton()->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "英语", "信息技术"}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(CoursenameDialogTest, CancelWritesNothing) {
    store({"语文", "数学"});
    openFromMenu<CoursenameDialog>(m_window, "课程名称设置", [](CoursenameDialog& dialog) {
        dialog.box(0)->setText(QStringLiteral("物理"));
        dialog.box(1)->clear();
        dialog.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (std::vector<std::string>{"语文", "数学"}));
}

TEST_F(CoursenameDialogTest, ATableOfMoreThanTwentyNamesIsAnnouncedOnce) {
    std::vector<std::string> names;
    for (int i = 1; i <= 22; ++i) {
        names.push_back("课程" + std::to_string(i));
    }
    store(names);
    openFromMenu<CoursenameDialog>(m_window, "课程名称设置", [](CoursenameDialog& dialog) {
        // The notice is posted when the dialog shows; it comes up as the next modal box.
        std::string notice;
        dialogtest::whileModal<QMessageBox>([] { QTest::qWait(50); },
                                            [&](QMessageBox& box) {
                                                notice = toStdString(box.text());
                                                box.buttons().front()->click();
                                            });
        EXPECT_EQ(notice, masterdata::Coursename::kOverflowMessage);
        EXPECT_EQ(dialog.box(19)->text(), QStringLiteral("课程20"));
        dialog.buttons()->okButton()->click();
    });
    names.resize(20);
    EXPECT_EQ(stored(), names);
}

TEST_F(CoursenameDialogTest, AMissingTableEndsTheCommandWithTheDriverText) {
    m_db.execute("DROP TABLE [coursename]");
    QAction* entry = dialogtest::menuEntry(m_window, "课程名称设置");
    ASSERT_NE(entry, nullptr);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    entry->trigger();
    QTest::qWait(10);
    EXPECT_FALSE(opened);
    ASSERT_EQ(m_messenger.entries().size(), 1U);
    EXPECT_EQ(m_messenger.entries()[0].kind, testsupport::RecordingMessenger::Entry::Kind::Error);
    EXPECT_NE(m_messenger.entries()[0].text.find("no such table"), std::string::npos)
        << m_messenger.entries()[0].text;
}

} // namespace
