// The individual teacher replacement opened from 课程管理 → 个别任课教师替换: four boxes to
// choose from or type into, nothing entered at first; a refusal keeps the dialog and what was
// entered, 替  换 replaces a typed teacher and says how much, 确    定 replaces and closes; an
// empty roster is announced when the dialog opens.
#include "MenuDialogDriver.h"
#include "NameTables.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "maintain/TReplaceDialog.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using maintain::TReplaceDialog;
using Names = std::vector<std::string>;
using Plans = std::vector<store::ClasscourseRow>;
using Lessons = std::vector<store::GradelessonRow>;
using widgets::toStdString;

constexpr const char* kEntry = "个别任课教师替换";

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

class TReplaceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCCRecord().append(
            Plans{{"高一⑶", "数学", "王伟", 5}, {"高二⑶", "数学", "王伟", 5}});
        store::CGLRecord().append(Lessons{
            {"高一⑶", 40301, {"王伟", "", "王伟", "", "", "王伟", ""}},
            {"高二⑶", 50301, {"王伟", "", "", "", "", "", ""}},
        });
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(TReplaceDialogTest, ReplacesATypedTeacherInTheChosenClass) {
    // Without a roster the dialog opens, says so, and the teacher boxes stay empty.
    openFromMenu<TReplaceDialog>(m_window, kEntry, [](TReplaceDialog& d) {
        EXPECT_EQ(messageFrom([] { QTest::qWait(50); }), "请输入所有任课教师姓名!");
        EXPECT_EQ(d.formerBox()->count(), 0);
        EXPECT_EQ(d.newBox()->count(), 0);
        d.buttons()->cancelButton()->click();
    });

    testsupport::storeTeachers({"王伟", "李娜"});
    openFromMenu<TReplaceDialog>(m_window, kEntry, [](TReplaceDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "任课教师替换");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"  年     段  ", "  班       级  ", "原任课教师", "新任课教师"}));
        EXPECT_EQ(items(*d.gradeBox()), (Names{"初一", "初二", "初三", "高一", "高二", "高三"}));
        const Names classes = items(*d.classBox());
        ASSERT_EQ(classes.size(), 20U);
        EXPECT_EQ(classes[2], "三  班");
        EXPECT_EQ(classes[19], "二十班");
        EXPECT_EQ(items(*d.formerBox()), (Names{"王伟", "李娜"}));
        EXPECT_EQ(items(*d.newBox()), (Names{"王伟", "李娜"}));
        for (const QComboBox* box : {d.gradeBox(), d.classBox(), d.formerBox(), d.newBox()}) {
            EXPECT_TRUE(box->isEditable());
            EXPECT_EQ(box->currentText(), QString());
        }
        EXPECT_EQ(toStdString(d.replaceButton()->text()), "替  换");
        EXPECT_EQ(toStdString(d.buttons()->okButton()->text()), "确    定");
        EXPECT_EQ(toStdString(d.buttons()->cancelButton()->text()), "取  消");

        d.gradeBox()->setCurrentIndex(3);
        d.classBox()->setCurrentIndex(2);
        d.formerBox()->setCurrentIndex(0);
        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }), "请输入新课任教师");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(toStdString(d.formerBox()->currentText()), "王伟");

        // A teacher not on the roster is typed in.
        dialogtest::typeText(d.newBox()->lineEdit(), QStringLiteral("赵敏"));
        EXPECT_EQ(messageFrom([&] { d.replaceButton()->click(); }), "已将 3 处 王伟 改为 赵敏");
        EXPECT_TRUE(d.isVisible());

        // 确    定 replaces, then closes.
        d.formerBox()->setEditText(QStringLiteral("赵敏"));
        d.newBox()->setCurrentIndex(1);
        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "已将 3 处 赵敏 改为 李娜");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(store::CCCRecord().readAll(),
              (Plans{{"高一⑶", "数学", "李娜", 5}, {"高二⑶", "数学", "王伟", 5}}));
    EXPECT_EQ(store::CGLRecord().readAll(),
              (Lessons{{"高一⑶", 40301, {"李娜", "", "李娜", "", "", "王伟", ""}},
                       {"高二⑶", 50301, {"王伟", "", "", "", "", "", ""}}}));
}

} // namespace
