// The subject-teacher dialog opened from 系统设置 → 学科教师编辑: roster on the left, the
// subject's teachers on the right, nothing chosen at first (增加 is refused), 存盘 keeps the
// dialog open, a subject switch with unsaved changes asks first (否 keeps the subject and the
// changes, 是 drops them), 取消 writes nothing, 确定 saves and
// closes; without teachers the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/GradeteachereditDialog.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using masterdata::GradeteachereditDialog;
using Pairs = std::vector<store::CourseteacherRow>;
using Names = std::vector<std::string>;
using widgets::toStdString;

constexpr const char* kEntry = "学科教师编辑";

Pairs stored() {
    return store::CCTRecord().readAll();
}

Names items(const QListWidget& list) {
    Names names;
    for (int row = 0; row < list.count(); ++row) {
        names.push_back(toStdString(list.item(row)->text()));
    }
    return names;
}

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

void select(QListWidget& list, const std::string& name) {
    const auto found = list.findItems(widgets::toQString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    list.setCurrentItem(found.front());
}

class GradeteachereditDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"信息技术"}});
        store::CTNRecord().append(
            std::vector<store::TeachernameRow>{{"王伟"}, {"李娜"}, {"张强"}, {"欧阳明"}});
        store::CCTRecord().append(Pairs{{"语文", "王伟"}, {"数学", "李娜"}});
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GradeteachereditDialogTest, EditsASubjectsTeachersAndSavesThem) {
    openFromMenu<GradeteachereditDialog>(m_window, kEntry, [](GradeteachereditDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "一个年段所有课任教师的编辑");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"全体教师", "学科课任教师", "学   科"}));
        EXPECT_EQ(toStdString(d.buttons()->saveButton()->text()), "存盘");
        // Roster on the left, the buttons between, the subject's teachers on the right.
        EXPECT_LT(d.rosterList()->x(), d.addButton()->x());
        EXPECT_LT(d.addButton()->x(), d.subjectList()->x());
        EXPECT_LT(d.addButton()->y(), d.removeButton()->y());

        EXPECT_EQ(items(*d.rosterList()), (Names{"王伟", "李娜", "张强", "欧阳明"}));
        EXPECT_EQ(items(*d.subjectBox()), (Names{"语文", "数学", "信息技术"}));
        EXPECT_FALSE(d.subjectBox()->isEditable());
        EXPECT_EQ(d.subjectBox()->currentIndex(), -1);
        EXPECT_EQ(d.subjectList()->count(), 0);

        // No subject yet: 增加 is refused with a message.
        select(*d.rosterList(), "张强");
        EXPECT_EQ(messageFrom([&] { d.addButton()->click(); }), "请先选择学科!");
        EXPECT_EQ(d.subjectList()->count(), 0);

        d.subjectBox()->setCurrentIndex(0);
        EXPECT_EQ(items(*d.subjectList()), (Names{"王伟"}));
        d.addButton()->click();
        select(*d.rosterList(), "王伟");
        d.addButton()->click(); // already there
        select(*d.rosterList(), "欧阳明");
        d.addButton()->click();
        EXPECT_EQ(items(*d.subjectList()), (Names{"王伟", "张强", "欧阳明"}));
        select(*d.subjectList(), "王伟");
        d.removeButton()->click();
        EXPECT_EQ(items(*d.subjectList()), (Names{"张强", "欧阳明"}));

        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Pairs{{"数学", "李娜"}, {"语文", "张强"}, {"语文", "欧阳明"}}));

        // The whole four-character course name is a subject; a switch asks before it drops
        // unsaved edits: 否 keeps them and their subject, 是 drops them.
        d.subjectBox()->setCurrentIndex(2);
        select(*d.rosterList(), "李娜");
        d.addButton()->click();
        const std::string question = "学科课任教师已修改，放弃未存盘的修改吗？";
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.subjectBox()->setCurrentIndex(1); },
                                                QMessageBox::No),
                  question);
        EXPECT_EQ(d.subjectBox()->currentIndex(), 2);
        EXPECT_EQ(items(*d.subjectList()), (Names{"李娜"}));
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.subjectBox()->setCurrentIndex(1); },
                                                QMessageBox::Yes),
                  question);
        EXPECT_EQ(items(*d.subjectList()), (Names{"李娜"})); // 数学 as stored
        d.subjectBox()->setCurrentIndex(2);                  // nothing unsaved: no question
        EXPECT_EQ(d.subjectList()->count(), 0);
        select(*d.rosterList(), "李娜");
        d.addButton()->click();
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(
        stored(),
        (Pairs{{"数学", "李娜"}, {"语文", "张强"}, {"语文", "欧阳明"}, {"信息技术", "李娜"}}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradeteachereditDialogTest, CancelWritesNothing) {
    openFromMenu<GradeteachereditDialog>(m_window, kEntry, [](GradeteachereditDialog& d) {
        d.subjectBox()->setCurrentIndex(1);
        select(*d.subjectList(), "李娜");
        d.removeButton()->click();
        select(*d.rosterList(), "王伟");
        d.addButton()->click();
        EXPECT_EQ(items(*d.subjectList()), (Names{"王伟"}));
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (Pairs{{"语文", "王伟"}, {"数学", "李娜"}}));
}

TEST_F(GradeteachereditDialogTest, WithoutTeachersTheEntryOnlyShowsItsMessage) {
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请输入所有教师名字!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
