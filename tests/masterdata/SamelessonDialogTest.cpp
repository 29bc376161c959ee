// The unified-course dialog opened from 系统设置 → 统一课程设置: four rows of day, period and
// course under their headings, a grade selector with nothing chosen, choosing a grade shows
// its slots (asking first when rows typed before would be dropped), 存盘 stores them (refused
// without a grade), 确定 saves and closes, 取消 writes nothing; without course names the entry only
// shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "masterdata/SamelessonDialog.h"
#include "store/CCNRecord.h"
#include "store/CSLRecord.h"
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
using masterdata::SamelessonDialog;
using Rows = std::vector<store::SamelessonRow>;
using Names = std::vector<std::string>;
using widgets::toStdString;

constexpr const char* kEntry = "统一课程设置";

Rows stored() {
    return store::CSLRecord().readAll();
}

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

const Rows kSeed = {{"初一", 1, 7, "班会"}, {"初二", 5, 6, "体育"}};

class SamelessonDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"班会"}, {"体育"}, {"综合实践"}});
        store::CSLRecord().append(kSeed);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(SamelessonDialogTest, ChoosesAGradeEditsItsSlotsAndSavesThem) {
    openFromMenu<SamelessonDialog>(m_window, kEntry, [](SamelessonDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段统一课程设置");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"星  期", "节  别", "课  程", "年  段"}));
        EXPECT_LT(d.dayBox(0)->x(), d.periodBox(0)->x());
        EXPECT_LT(d.periodBox(0)->x(), d.courseBox(0)->x());
        EXPECT_LT(d.dayBox(0)->y(), d.dayBox(1)->y());

        EXPECT_EQ(items(*d.dayBox(3)), (Names{"星期一", "星期二", "星期三", "星期四", "星期五"}));
        EXPECT_EQ(d.periodBox(3)->count(), 7);
        EXPECT_EQ(toStdString(d.periodBox(3)->itemText(6)), "第七节");
        // Fewer than 20 courses: the list also offers the empty choice.
        EXPECT_EQ(items(*d.courseBox(3)), (Names{"班会", "体育", "综合实践", ""}));
        EXPECT_TRUE(d.dayBox(0)->isEditable());
        EXPECT_FALSE(d.gradeBox()->isEditable());
        EXPECT_EQ(d.gradeBox()->currentIndex(), -1);

        d.dayBox(0)->setCurrentIndex(0);
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }), "请先选择年段!");
        EXPECT_EQ(stored(), kSeed);

        // A row filled before the grade is chosen is not dropped without a question: 否
        // keeps it and no grade, 是 shows the grade's slots.
        const std::string question = "统一课程已修改，放弃未存盘的修改吗？";
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(1); },
                                                QMessageBox::No),
                  question);
        EXPECT_EQ(d.gradeBox()->currentIndex(), -1);
        EXPECT_EQ(toStdString(d.dayBox(0)->currentText()), "星期一");
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(1); },
                                                QMessageBox::Yes),
                  question); // 初二
        EXPECT_EQ(toStdString(d.dayBox(0)->currentText()), "星期五");
        EXPECT_EQ(toStdString(d.periodBox(0)->currentText()), "第六节");
        EXPECT_EQ(toStdString(d.courseBox(0)->currentText()), "体育");
        EXPECT_EQ(toStdString(d.dayBox(1)->currentText()), "");

        // Row 1 from the lists, row 2 typed; the course field takes four characters, no more.
        d.dayBox(1)->setCurrentIndex(2);
        d.periodBox(1)->setCurrentIndex(4);
        d.courseBox(1)->setCurrentIndex(2);
        dialogtest::typeText(d.dayBox(2)->lineEdit(), QStringLiteral("星期一"));
        dialogtest::typeText(d.periodBox(2)->lineEdit(), QStringLiteral("第一节"));
        dialogtest::typeText(d.courseBox(2)->lineEdit(), QStringLiteral("升旗仪式典礼"));
        EXPECT_EQ(toStdString(d.courseBox(2)->currentText()), "升旗仪式");
        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"初一", 1, 7, "班会"},
                                  {"初二", 5, 6, "体育"},
                                  {"初二", 3, 5, "综合实践"},
                                  {"初二", 1, 1, "升旗仪式"}}));

        // The empty course removes the slot; 确定 saves and closes.
        d.courseBox(0)->setCurrentIndex(3);
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(
        stored(),
        (Rows{{"初一", 1, 7, "班会"}, {"初二", 3, 5, "综合实践"}, {"初二", 1, 1, "升旗仪式"}}));
    EXPECT_TRUE(m_messenger.entries().empty());

    openFromMenu<SamelessonDialog>(m_window, kEntry, [](SamelessonDialog& d) {
        d.gradeBox()->setCurrentIndex(1);
        EXPECT_EQ(toStdString(d.dayBox(0)->currentText()), "星期三");
        EXPECT_EQ(toStdString(d.courseBox(1)->currentText()), "升旗仪式");
        d.buttons()->cancelButton()->click();
    });
}

TEST_F(SamelessonDialogTest, CancelWritesNothing) {
    openFromMenu<SamelessonDialog>(m_window, kEntry, [](SamelessonDialog& d) {
        d.gradeBox()->setCurrentIndex(0);
        d.courseBox(0)->setEditText(QString());
        d.dayBox(1)->setCurrentIndex(1);
        d.periodBox(1)->setCurrentIndex(1);
        d.courseBox(1)->setCurrentIndex(1);
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kSeed);
}

TEST_F(SamelessonDialogTest, WithoutCourseNamesTheEntryOnlyShowsItsMessage) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请设置学科课程名称!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
