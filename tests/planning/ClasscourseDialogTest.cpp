// The class course dialog opened from 课程设置 → 班级课程设置: the grid of 18 slots at the left,
// the class selector and the buttons at the right; choosing a class shows its rows, a pointer
// move over the dialog offers each slot its course's teachers, 存盘 replaces the class's rows
// in slot order and keeps the dialog open, a refused count writes nothing, 确定 saves and
// closes, 取消 writes nothing; an empty master table or a class without any plan only shows
// its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/ClasscourseDialog.h"
#include "store/CCCRecord.h"
#include "store/CCNRecord.h"
#include "store/CCTRecord.h"
#include "store/CGCRecord.h"
#include "store/CGSRecord.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using planning::ClasscourseDialog;
using Names = std::vector<std::string>;
using Rows = std::vector<store::ClasscourseRow>;
using widgets::toQString;
using widgets::toStdString;

constexpr const char* kEntry = "班级课程设置";

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

std::string text(const QComboBox& box) {
    return toStdString(box.currentText());
}

void chooseClass(ClasscourseDialog& d, const std::string& name) {
    const int index = d.classBox()->findText(toQString(name));
    ASSERT_GE(index, 0) << name;
    d.classBox()->setCurrentIndex(index);
}

// Moves the pointer over a bare spot of the dialog (its margin).
void movePointerOverSurface(ClasscourseDialog& d) {
    const QPoint spot(2, 2);
    ASSERT_EQ(d.childAt(spot), nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(spot), QPointF(d.mapToGlobal(spot)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&d, &move);
}

class ClasscourseDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"英语"}, {"物理"}});
        store::CGSRecord().append(std::vector<store::GradeclassRow>{{"初一", 2}, {"高一", 1}});
        store::CTNRecord().append(
            std::vector<store::TeachernameRow>{{"王伟"}, {"李娜"}, {"张强"}, {"欧阳明"}, {"陈静"}});
        store::CCTRecord().append(std::vector<store::CourseteacherRow>{
            {"语文", "王伟"}, {"语文", "张强"}, {"数学", "李娜"}});
        store::CGCRecord().append(
            std::vector<store::GradecourseRow>{{"初一", "语文", 6, 0}, {"初一", "数学", 5, 0}});
        store::CCCRecord().append(Rows{{"初一⑴", "数学", "李娜", 5},
                                       {"高一⑴", "物理", "陈静", 3},
                                       {"初一⑴", "英语", "陈静", 31},
                                       {"初一⑴", "物理", "欧阳明", 2}});
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(ClasscourseDialogTest, EditsAClassThroughTheWidgetsAndSavesItsRowsInSlotOrder) {
    openFromMenu<ClasscourseDialog>(m_window, kEntry, [](ClasscourseDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "班级课程设置");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"学科", "教师", "周课时", "学科", "教师", "周课时", "学科", "教师",
                                 "周课时", "班级"}));
        // Slots row by row; the class selector and the buttons right of the grid.
        EXPECT_LT(d.courseBox(0)->x(), d.teacherBox(0)->x());
        EXPECT_LT(d.teacherBox(0)->x(), d.weeklyBox(0)->x());
        EXPECT_LT(d.weeklyBox(0)->x(), d.courseBox(1)->x());
        EXPECT_EQ(d.courseBox(3)->x(), d.courseBox(0)->x());
        EXPECT_GT(d.courseBox(3)->y(), d.courseBox(0)->y());
        EXPECT_GT(d.courseBox(17)->y(), d.courseBox(14)->y());
        EXPECT_GT(d.classBox()->x(), d.weeklyBox(2)->x());
        const auto place = [&d](const QWidget* w) { return w->mapTo(&d, QPoint(0, 0)); };
        EXPECT_GT(place(d.buttons()->saveButton()).x(), place(d.weeklyBox(2)).x());
        EXPECT_GT(place(d.buttons()->saveButton()).y(), place(d.classBox()).y());
        EXPECT_LT(place(d.buttons()->saveButton()).y(), place(d.buttons()->okButton()).y());
        EXPECT_LT(place(d.buttons()->okButton()).y(), place(d.buttons()->cancelButton()).y());

        EXPECT_EQ(items(*d.classBox()), (Names{"初一⑴", "初一⑵", "高一⑴"}));
        EXPECT_EQ(d.classBox()->currentIndex(), -1);
        EXPECT_EQ(items(*d.courseBox(9)), (Names{"语文", "数学", "英语", "物理"}));
        EXPECT_EQ(items(*d.teacherBox(0)), (Names{"王伟", "李娜", "张强", "欧阳明", "陈静"}));
        EXPECT_TRUE(d.courseBox(0)->isEditable());

        chooseClass(d, "初一⑴");
        EXPECT_EQ(text(*d.courseBox(0)), "数学");
        EXPECT_EQ(text(*d.teacherBox(0)), "李娜");
        EXPECT_EQ(toStdString(d.weeklyBox(0)->text()), "5");
        EXPECT_EQ(text(*d.courseBox(1)), "英语");
        EXPECT_EQ(toStdString(d.weeklyBox(1)->text()), "0"); // 31 shows as 0
        EXPECT_EQ(text(*d.courseBox(2)), "物理");
        EXPECT_EQ(text(*d.courseBox(3)), "");

        // 语文 first (it is a main course and gets the double period), typed by hand.
        d.courseBox(0)->clearEditText();
        dialogtest::typeText(d.courseBox(0), QStringLiteral("语文"));
        d.teacherBox(0)->clearEditText();
        d.weeklyBox(0)->clear();
        dialogtest::typeText(d.weeklyBox(0), QStringLiteral("6"));
        d.courseBox(3)->setCurrentIndex(1); // 数学
        d.weeklyBox(3)->setText(QStringLiteral("5"));
        d.courseBox(2)->clearEditText(); // 物理 leaves the class
        EXPECT_EQ(text(*d.courseBox(0)), "语文");

        // The pointer over the dialog: slot 1 offers 语文's teachers, slot 4 数学's; slot 2
        // (英语 has none) keeps the roster. What the boxes show stays.
        movePointerOverSurface(d);
        EXPECT_EQ(items(*d.teacherBox(0)), (Names{"王伟", "张强"}));
        EXPECT_EQ(items(*d.teacherBox(3)), (Names{"李娜"}));
        EXPECT_EQ(items(*d.teacherBox(1)), (Names{"王伟", "李娜", "张强", "欧阳明", "陈静"}));
        EXPECT_EQ(text(*d.teacherBox(0)), "");
        EXPECT_EQ(text(*d.teacherBox(1)), "陈静");
        d.teacherBox(0)->setCurrentIndex(1); // 张强
        d.teacherBox(3)->setCurrentIndex(0); // 李娜

        // A count outside 0..30 for a course is refused: nothing is written.
        d.weeklyBox(1)->setText(QStringLiteral("31"));
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }),
                  "周课时请输入一个 0 到 30 之间的整数。");
        EXPECT_EQ(stored().size(), 4U);
        EXPECT_EQ(stored()[2].weekly, 31);
        d.weeklyBox(1)->setText(QStringLiteral("4"));

        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"高一⑴", "物理", "陈静", 3},
                                  {"初一⑴", "语文", "张强", 6},
                                  {"初一⑴", "英语", "陈静", 4},
                                  {"初一⑴", "数学", "李娜", 5}}));

        // 初一⑵ has no rows: its grade's plan is proposed, without teachers.
        chooseClass(d, "初一⑵");
        EXPECT_EQ(text(*d.courseBox(0)), "语文");
        EXPECT_EQ(text(*d.teacherBox(0)), "");
        EXPECT_EQ(toStdString(d.weeklyBox(0)->text()), "6");
        EXPECT_EQ(text(*d.courseBox(1)), "数学");
        d.teacherBox(1)->setEditText(QStringLiteral("李娜"));
        // Another class now would drop that teacher: asked first, 否 keeps class and teacher.
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { chooseClass(d, "高一⑴"); }, QMessageBox::No),
                  planning::Classcourse::kDiscardQuestion);
        EXPECT_EQ(toStdString(d.classBox()->currentText()), "初一⑵");
        EXPECT_EQ(text(*d.teacherBox(1)), "李娜");
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (Rows{{"高一⑴", "物理", "陈静", 3},
                              {"初一⑴", "语文", "张强", 6},
                              {"初一⑴", "英语", "陈静", 4},
                              {"初一⑴", "数学", "李娜", 5},
                              {"初一⑵", "语文", "", 6},
                              {"初一⑵", "数学", "李娜", 5}}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(ClasscourseDialogTest, CancelWritesNothing) {
    const Rows before = stored();
    openFromMenu<ClasscourseDialog>(m_window, kEntry, [](ClasscourseDialog& d) {
        chooseClass(d, "高一⑴");
        d.courseBox(0)->setEditText(QStringLiteral("语文"));
        d.courseBox(5)->setCurrentIndex(2);
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), before);
}

TEST_F(ClasscourseDialogTest, WithoutAClassSlotOneRemindsAndNothingIsSaved) {
    const Rows before = stored();
    openFromMenu<ClasscourseDialog>(m_window, kEntry, [](ClasscourseDialog& d) {
        d.courseBox(0)->setFocus();
        EXPECT_EQ(messageFrom([&] { QTest::keyClick(d.courseBox(0), Qt::Key_Down); }),
                  "请选择班级！");
        EXPECT_EQ(text(*d.courseBox(0)), "语文"); // the choice stays
        EXPECT_EQ(messageFrom([&] { QTest::keyClick(d.teacherBox(0), Qt::Key_Down); }),
                  "请先选择班级！");
        EXPECT_EQ(messageFrom([&] { d.buttons()->okButton()->click(); }), "请先选择班级！");
        EXPECT_TRUE(d.isVisible());
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), before);
}

TEST_F(ClasscourseDialogTest, AClassWithoutAnyPlanShowsItsMessageAndCloses) {
    openFromMenu<ClasscourseDialog>(m_window, kEntry, [](ClasscourseDialog& d) {
        // 高一⑴'s rows go; 高一 has no grade plan.
        store::CCCRecord().replaceAll(Rows{{"初一⑴", "数学", "李娜", 5}});
        EXPECT_EQ(messageFrom([&] { chooseClass(d, "高一⑴"); }), "请先进行年段课程设置！");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (Rows{{"初一⑴", "数学", "李娜", 5}}));
}

TEST_F(ClasscourseDialogTest, AnEmptyMasterTableOnlyShowsItsMessage) {
    store::CCTRecord().replaceAll(std::vector<store::CourseteacherRow>{});
    EXPECT_EQ(messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); }),
              "请编辑各学科教师!");
    store::CGSRecord().replaceAll(std::vector<store::GradeclassRow>{});
    EXPECT_EQ(messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); }),
              "请设置年段的班级数!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
