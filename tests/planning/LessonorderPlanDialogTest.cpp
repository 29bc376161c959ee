// The arrangement plan dialog opened from 课程编排 → 编排计划设置: ten rows of six lists under
// their captions, the stored ranges shown by name, 存盘 storing the chosen names as numbers
// and keeping the dialog open, an emptied row removed, a refused row told and nothing
// written, 确定 and 取消 writing nothing, a failed save keeping the edits; without course
// names the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/LessonorderPlanDialog.h"
#include "store/CCNRecord.h"
#include "store/COPRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using planning::LessonorderPlanDialog;
using Rows = std::vector<store::OrderplanRow>;
using Names = std::vector<std::string>;
using widgets::toQString;
using widgets::toStdString;
using D = LessonorderPlanDialog;

constexpr const char* kEntry = "编排计划设置";

const Rows kStored{{"初一⑴", "语文", 1, 2, 1, 2, 0},
                   {"初三⒇", "数学", 3, 9, 0, 7, 0},
                   {"高二⑷", "化学", 5, 5, 6, 7, 0}}; // 化学 is no longer a course name

Rows stored() {
    return store::COPRecord().readAll();
}

std::string text(const D& d, int row, int column) {
    return toStdString(d.cell(row, column)->currentText());
}

Names rowTexts(const D& d, int row) {
    Names texts;
    for (int column = 0; column < D::kColumns; ++column) {
        texts.push_back(text(d, row, column));
    }
    return texts;
}

void choose(const D& d, int row, int column, const std::string& name) {
    QComboBox* box = d.cell(row, column);
    const int index = box->findText(toQString(name));
    ASSERT_GE(index, 0) << name;
    box->setCurrentIndex(index);
}

class LessonorderPlanDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {"英语"}, {"物理"}});
        store::COPRecord().append(kStored);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(LessonorderPlanDialogTest, ShowsTheStoredRangesAndSavesTheChosenNamesAsNumbers) {
    openFromMenu<D>(m_window, kEntry, [](D& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "课程编排计划—不编排课程范围");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"班级", "学科", "星期起点", "星期终点", "节别起点", "节别终点"}));
        EXPECT_EQ(d.cell(10, 0), nullptr);
        EXPECT_EQ(d.cell(0, 6), nullptr);
        EXPECT_LT(d.cell(0, 0)->x(), d.cell(0, 1)->x());
        EXPECT_LT(d.cell(0, 0)->y(), d.cell(9, 0)->y());

        // The lists: an empty class and 120 names, an empty subject and the courses, 7 days
        // and 7 periods; none can be typed into.
        QComboBox& classBox = *d.cell(9, D::ClassColumn);
        ASSERT_EQ(classBox.count(), 121);
        EXPECT_EQ(toStdString(classBox.itemText(1)), "初一⑴");
        EXPECT_EQ(toStdString(classBox.itemText(120)), "高三⒇");
        EXPECT_EQ(d.cell(9, D::CourseColumn)->count(), 5);
        EXPECT_EQ(toStdString(d.cell(9, D::LastDay)->itemText(6)), "星期日");
        EXPECT_EQ(toStdString(d.cell(9, D::LastPeriod)->itemText(6)), "第七节");
        EXPECT_FALSE(classBox.isEditable());

        EXPECT_EQ(rowTexts(d, 0), (Names{"初一⑴", "语文", "星期一", "星期二", "第一节", "第二节"}));
        EXPECT_EQ(rowTexts(d, 1), (Names{"初三⒇", "数学", "星期三", "", "", "第七节"}));
        EXPECT_EQ(rowTexts(d, 2), (Names{"高二⑷", "化学", "星期五", "星期五", "第六节", "第七节"}));
        EXPECT_EQ(rowTexts(d, 3), (Names{"", "", "", "", "", ""}));

        // A new range on row 4, an edit on row 1; rows 2 and 3 untouched.
        choose(d, 3, D::ClassColumn, "初二⑶");
        choose(d, 3, D::CourseColumn, "英语");
        choose(d, 3, D::FirstDay, "星期二");
        choose(d, 3, D::LastDay, "星期四");
        choose(d, 3, D::FirstPeriod, "第三节");
        choose(d, 3, D::LastPeriod, "第五节");
        choose(d, 0, D::LastDay, "星期六");
        d.saveButtons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"初一⑴", "语文", 1, 6, 1, 2, 0},
                                  kStored[1],
                                  kStored[2],
                                  {"初二⑶", "英语", 2, 4, 3, 5, 0}}));

        // Emptying a row removes its range and the rows after it move up.
        choose(d, 1, D::ClassColumn, "");
        d.saveButtons()->saveButton()->click();
        EXPECT_EQ(
            stored(),
            (Rows{{"初一⑴", "语文", 1, 6, 1, 2, 0}, kStored[2], {"初二⑶", "英语", 2, 4, 3, 5, 0}}));
        EXPECT_EQ(rowTexts(d, 1)[0], "高二⑷");
        EXPECT_EQ(rowTexts(d, 2), (Names{"初二⑶", "英语", "星期二", "星期四", "第三节", "第五节"}));
        EXPECT_EQ(rowTexts(d, 3)[0], "");

        // 确定 closes and writes nothing.
        choose(d, 0, D::CourseColumn, "物理");
        d.closeButtons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored().size(), 3U);
    EXPECT_EQ(stored()[0].course, "语文");
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(LessonorderPlanDialogTest, ARefusedRowIsToldAndNothingIsWrittenAndCancelWritesNothing) {
    openFromMenu<D>(m_window, kEntry, [](D& d) {
        choose(d, 2, D::FirstPeriod, "第七节");
        choose(d, 2, D::LastPeriod, "第一节");
        const std::string told = messageFrom([&] { d.saveButtons()->saveButton()->click(); });
        EXPECT_EQ(told, "第3行的节别起点晚于节别终点!");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), kStored);

        choose(d, 2, D::LastPeriod, "第七节");
        choose(d, 5, D::ClassColumn, "高一⑴");
        EXPECT_EQ(messageFrom([&] { d.saveButtons()->saveButton()->click(); }), "第6行请选择学科!");
        EXPECT_EQ(stored(), kStored);
        d.closeButtons()->cancelButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), kStored);
}

TEST_F(LessonorderPlanDialogTest, AFailedSaveShowsTheErrorAndKeepsTheEdits) {
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [orderplan] "
                 "WHEN NEW.[class] = '高三⑴' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    openFromMenu<D>(m_window, kEntry, [](D& d) {
        choose(d, 0, D::ClassColumn, "高三⑴");
        const std::string told = messageFrom([&] { d.saveButtons()->saveButton()->click(); });
        EXPECT_NE(told.find("refused"), std::string::npos) << told;
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(text(d, 0, D::ClassColumn), "高三⑴");
        d.closeButtons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kStored);
}

TEST_F(LessonorderPlanDialogTest, WithoutCourseNamesTheEntryOnlyShowsItsMessage) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    const std::string told =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(told, "请设置学科课程名称!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(stored(), kStored);
}

} // namespace
