// The course teacher dialog opened from 课程设置 → 课任教师选用: blank, disabled class buttons
// until grade, course and teacher are chosen, the course's teachers offered once the pointer
// moves over the dialog, class buttons that add and remove classes, 存盘 keeps the dialog
// open, 确定 saves and closes, 取消 writes nothing; without course names the entry only shows
// its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/ClassteacherDialog.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using planning::ClassteacherDialog;
using Names = std::vector<std::string>;
using Rows = std::vector<store::ClasscourseRow>;
using widgets::toStdString;

constexpr const char* kEntry = "课任教师选用";

Rows stored() {
    return store::CCCRecord().readAll();
}

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

void choose(QComboBox& box, const std::string& name) {
    const int index = box.findText(widgets::toQString(name));
    ASSERT_GE(index, 0) << name;
    box.setCurrentIndex(index);
}

// The pointer moving over an empty spot of the dialog.
void movePointerOver(QDialog& dialog) {
    const QPointF spot(2, 2);
    ASSERT_EQ(dialog.childAt(spot.toPoint()), nullptr);
    QMouseEvent move(QEvent::MouseMove, spot, dialog.mapToGlobal(spot), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&dialog, &move);
}

std::vector<int> checkedButtons(const ClassteacherDialog& d) {
    std::vector<int> ks;
    for (int k = 1; k <= 20; ++k) {
        if (d.classButton(k)->isChecked()) {
            ks.push_back(k);
        }
    }
    return ks;
}

const Rows kInitial = {{"初二⑶", "数学", "李娜", 5},
                       {"初一⑴", "数学", "李娜", 5},
                       {"初二⑸", "语文", "王伟", 6},
                       {"初二⑸", "数学", "李娜", 5}};

class ClassteacherDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"英语"}});
        store::CTNRecord().append(
            std::vector<store::TeachernameRow>{{"王伟"}, {"李娜"}, {"张强"}, {"陈静"}});
        store::CCTRecord().append(
            std::vector<store::CourseteacherRow>{{"数学", "李娜"}, {"数学", "张强"}});
        store::CGCRecord().append(
            std::vector<store::GradecourseRow>{{"初二", "语文", 6, 0}, {"初二", "数学", 5, 0}});
        store::CCCRecord().append(kInitial);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(ClassteacherDialogTest, AssignsAndRemovesClassesAndSavesThem) {
    openFromMenu<ClassteacherDialog>(m_window, kEntry, [](ClassteacherDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "课任教师选用");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            if (label != d.selectionLabel()) {
                labels.push_back(toStdString(label->text()));
            }
        }
        EXPECT_EQ(labels, (Names{"年段", "学科", "教师", "选定班级："}));
        // The selectors in the top line, the buttons four rows of five below, 存盘 / 确定 /
        // 取消 one under the other at the right.
        const auto at = [&d](const QWidget* w) { return w->mapTo(&d, QPoint(0, 0)); };
        EXPECT_LT(d.gradeBox()->x(), d.courseBox()->x());
        EXPECT_LT(d.courseBox()->x(), d.teacherBox()->x());
        EXPECT_LT(at(d.gradeBox()).y(), at(d.classButton(1)).y());
        EXPECT_EQ(at(d.classButton(1)).y(), at(d.classButton(5)).y());
        EXPECT_LT(at(d.classButton(5)).y(), at(d.classButton(6)).y());
        EXPECT_EQ(at(d.classButton(1)).x(), at(d.classButton(16)).x());
        EXPECT_LT(at(d.classButton(16)).y(), at(d.selectionLabel()).y());
        const auto* row = d.buttons();
        EXPECT_LT(at(d.classButton(5)).x(), at(row).x());
        EXPECT_LT(row->saveButton()->y(), row->okButton()->y());
        EXPECT_LT(row->okButton()->y(), row->cancelButton()->y());

        EXPECT_EQ(items(*d.gradeBox()), (Names{"初一", "初二", "初三", "高一", "高二", "高三"}));
        EXPECT_EQ(items(*d.courseBox()), (Names{"语文", "数学", "英语"}));
        EXPECT_EQ(items(*d.teacherBox()), (Names{"王伟", "李娜", "张强", "陈静"}));
        for (QComboBox* box : {d.gradeBox(), d.courseBox(), d.teacherBox()}) {
            EXPECT_EQ(box->currentIndex(), -1);
            EXPECT_FALSE(box->isEditable());
        }
        for (int k = 1; k <= 20; ++k) {
            EXPECT_TRUE(d.classButton(k)->text().isEmpty()) << k;
            EXPECT_FALSE(d.classButton(k)->isEnabled()) << k;
        }

        choose(*d.gradeBox(), "初二");
        choose(*d.courseBox(), "数学");
        EXPECT_FALSE(d.classButton(1)->isEnabled());
        movePointerOver(d);
        EXPECT_EQ(items(*d.teacherBox()), (Names{"李娜", "张强"}));
        choose(*d.teacherBox(), "李娜");
        EXPECT_EQ(toStdString(d.classButton(1)->text()), "初二⑴");
        EXPECT_EQ(toStdString(d.classButton(20)->text()), "初二⒇");
        EXPECT_TRUE(d.classButton(20)->isEnabled());
        EXPECT_EQ(checkedButtons(d), (std::vector<int>{3, 5}));
        EXPECT_EQ(toStdString(d.selectionLabel()->text()), "初二⑶ 初二⑸");

        d.classButton(3)->click(); // removed
        d.classButton(6)->click(); // a class without a plan
        EXPECT_EQ(checkedButtons(d), (std::vector<int>{5, 6}));
        EXPECT_EQ(toStdString(d.selectionLabel()->text()), "初二⑸ 初二⑹");
        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        Rows expected = kInitial;
        expected[0].teacher = "        ";
        expected.push_back({"初二⑹", "语文", "", 6});
        expected.push_back({"初二⑹", "数学", "李娜", 5});
        EXPECT_EQ(stored(), expected);

        // The chosen teacher stays shown when the pointer moves on; another teacher shows
        // that teacher's classes.
        movePointerOver(d);
        EXPECT_EQ(toStdString(d.teacherBox()->currentText()), "李娜");
        choose(*d.teacherBox(), "张强");
        EXPECT_TRUE(checkedButtons(d).empty());
        d.classButton(3)->click();
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    const Rows rows = stored();
    ASSERT_EQ(rows.size(), 6U);
    EXPECT_EQ(rows[0], (store::ClasscourseRow{"初二⑶", "数学", "张强", 5}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(ClassteacherDialogTest, MissingClassesAreDisabledAndAChoiceAsksBeforeDroppingToggles) {
    store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初二", 4}});
    openFromMenu<ClassteacherDialog>(m_window, kEntry, [](ClassteacherDialog& d) {
        choose(*d.gradeBox(), "初二");
        choose(*d.courseBox(), "数学");
        movePointerOver(d);
        choose(*d.teacherBox(), "李娜");
        EXPECT_TRUE(d.classButton(4)->isEnabled());
        EXPECT_TRUE(d.classButton(5)->isEnabled()); // stored: it can still be taken off
        EXPECT_FALSE(d.classButton(6)->isEnabled());
        EXPECT_EQ(toStdString(d.classButton(6)->toolTip()), "初二只有 4 个班（见年段班级编辑）");
        d.classButton(1)->click();
        EXPECT_EQ(
            dialogtest::messageFromAnswer([&] { choose(*d.courseBox(), "英语"); }, QMessageBox::No),
            "课任教师选用已修改，放弃未存盘的修改吗？");
        EXPECT_EQ(toStdString(d.courseBox()->currentText()), "数学");
        EXPECT_EQ(checkedButtons(d), (std::vector<int>{1, 3, 5}));
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(store::CCCRecord().readAll(), kInitial);
}

TEST_F(ClassteacherDialogTest, CancelWritesNothing) {
    openFromMenu<ClassteacherDialog>(m_window, kEntry, [](ClassteacherDialog& d) {
        choose(*d.gradeBox(), "初二");
        choose(*d.courseBox(), "数学");
        choose(*d.teacherBox(), "李娜");
        d.classButton(5)->click();
        d.classButton(9)->click();
        EXPECT_EQ(checkedButtons(d), (std::vector<int>{3, 9}));
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kInitial);
}

TEST_F(ClassteacherDialogTest, WithoutCourseNamesTheEntryOnlyShowsItsMessage) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请设置学科课程名称!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
