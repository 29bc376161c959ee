// The grade-wide teacher replacement opened from 课程管理 → 年段任课教师替换: two grade lists
// with nothing chosen, 替换 asking first (否 writes nothing, 是 carries the teachers and keeps
// the dialog open), 确定 carrying and closing, and an unplanned new grade closing the dialog
// with its message and nothing written.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "maintain/GTReplaceDialog.h"
#include "store/CCCRecord.h"
#include "store/CGCRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::messageFromAnswer;
using dialogtest::openFromMenu;
using maintain::GTReplaceDialog;
using Names = std::vector<std::string>;
using Plans = std::vector<store::ClasscourseRow>;
using widgets::toStdString;

constexpr const char* kEntry = "年段任课教师替换";

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

Plans plans() {
    return store::CCCRecord().readAll();
}

class GTReplaceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<store::GradecourseRow> plan;
        for (const char* grade : {"初二", "初三"}) {
            for (const char* course : {"语文", "数学", "英语", "物理"}) {
                plan.push_back({grade, course, 4, 0});
            }
        }
        store::CGCRecord().append(plan);
        store::CCCRecord().append(kPlans);
    }

    const Plans kPlans = {
        {"初一⑴", "语文", "王伟", 6}, {"初一⑴", "数学", "李娜", 5}, {"初二⑴", "语文", "张强", 6}};

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GTReplaceDialogTest, CarriesTheChosenGradeAndClosesOnAnUnplannedOne) {
    openFromMenu<GTReplaceDialog>(m_window, kEntry, [&](GTReplaceDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段任课教师替换");
        const Names grades = {"初一", "初二", "初三", "高一", "高二", "高三"};
        EXPECT_EQ(items(*d.formerBox()), grades);
        EXPECT_EQ(items(*d.newBox()), grades);
        EXPECT_EQ(d.formerBox()->currentIndex(), -1);
        EXPECT_EQ(d.newBox()->currentIndex(), -1);
        EXPECT_FALSE(d.formerBox()->isEditable());
        EXPECT_EQ(toStdString(d.replaceButton()->text()), "替换");
        EXPECT_EQ(d.buttons()->saveButton(), nullptr);
        EXPECT_EQ(toStdString(d.buttons()->okButton()->text()), "确定");
        EXPECT_EQ(toStdString(d.buttons()->cancelButton()->text()), "取消");

        EXPECT_EQ(messageFrom([&] { d.replaceButton()->click(); }),
                  "请选择原任课年段和新任课年段!");
        d.formerBox()->setCurrentIndex(0);
        d.newBox()->setCurrentIndex(1);
        const std::string question = "将把 初一 的任课教师替换到 初二 的 1 个班，继续吗？";
        EXPECT_EQ(messageFromAnswer([&] { d.replaceButton()->click(); }, QMessageBox::No),
                  question);
        EXPECT_EQ(plans(), kPlans);
        EXPECT_EQ(messageFromAnswer([&] { d.replaceButton()->click(); }, QMessageBox::Yes),
                  question);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(plans(), (Plans{{"初一⑴", "语文", "王伟", 6},
                                  {"初一⑴", "数学", "李娜", 5},
                                  {"初二⑴", "语文", "王伟", 4},
                                  {"初二⑴", "数学", "李娜", 4}}));

        // 高三 plans nothing: the message, and the dialog closes unwritten.
        d.newBox()->setCurrentIndex(5);
        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请设置新年段学科及课时!");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(plans().size(), 4U);

    // 确定 carries and closes.
    openFromMenu<GTReplaceDialog>(m_window, kEntry, [&](GTReplaceDialog& d) {
        d.formerBox()->setCurrentIndex(0);
        d.newBox()->setCurrentIndex(2);
        EXPECT_EQ(messageFromAnswer([&] { d.buttons()->okButton()->click(); }, QMessageBox::Yes),
                  "将把 初一 的任课教师替换到 初三 的 1 个班，继续吗？");
        EXPECT_FALSE(d.isVisible());
    });
    const Plans after = plans();
    ASSERT_EQ(after.size(), 6U);
    EXPECT_EQ(after[4], (store::ClasscourseRow{"初三⑴", "语文", "王伟", 4}));
    EXPECT_EQ(after[5], (store::ClasscourseRow{"初三⑴", "数学", "李娜", 4}));
}

} // namespace
