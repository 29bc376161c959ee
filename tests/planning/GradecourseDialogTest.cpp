// The grade course dialog opened from 课程设置 → 年段课程设置 (grade plan) and → 复习课程设置
// (review plan, with the days box): edited through its boxes, a grade switch drops unsaved
// edits, 存盘 keeps it open, a refused box or a failed save keeps it open with nothing
// written, 确定 saves and closes, 取消 writes nothing; without course names the entries only
// show their message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/GradecourseDialog.h"
#include "store/CCNRecord.h"
#include "store/CGCRecord.h"
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
using dialogtest::typeText;
using planning::GradecourseDialog;
using Names = std::vector<std::string>;
using Rows = std::vector<store::GradecourseRow>;
using widgets::toQString;
using widgets::toStdString;

constexpr const char* kGradeEntry = "年段课程设置";
constexpr const char* kReviewEntry = "复习课程设置";

Rows stored() {
    return store::CGCRecord().readAll();
}

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

// Replaces a course box's text the way the user does: clear it, then type.
void typeCourse(GradecourseDialog& d, int slot, const std::string& name) {
    QLineEdit* edit = d.courseBox(slot)->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, toQString(name));
}

void typeNumber(QLineEdit* box, const char* digits) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString::fromLatin1(digits));
}

std::string slotText(GradecourseDialog& d, int slot) {
    return toStdString(d.courseBox(slot)->currentText()) + "/" +
           toStdString(d.countBox(slot)->text());
}

const Rows kStart{{"初一", "语文", 6, 0}, {"高三", "语文", 4, 3}, {"初一", "数学", 31, 0},
                  {"初二", "英语", 5, 0}, {"高三", "数学", 6, 0}, {"高三", "英语", 2, 3}};

class GradecourseDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The empty third name ends the course list: 英语 is not offered.
        store::CCNRecord().append(
            std::vector<store::CoursenameRow>{{"语文"}, {"数学"}, {""}, {"英语"}});
        store::CGCRecord().append(kStart);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(GradecourseDialogTest, TheGradePlanIsEditedAndSavedForTheChosenGradeOnly) {
    openFromMenu<GradecourseDialog>(m_window, kGradeEntry, [](GradecourseDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段课程设置");
        EXPECT_FALSE(d.daysBox()->isEnabled());
        EXPECT_EQ(items(*d.gradeBox()), (Names{"初一", "初二", "初三", "高一", "高二", "高三"}));
        EXPECT_EQ(toStdString(d.gradeBox()->currentText()), "初一");
        EXPECT_EQ(items(*d.courseBox(17)), (Names{"语文", "数学"}));
        EXPECT_TRUE(d.courseBox(0)->isEditable());
        // Slots run row by row: slot 2 is the right end of row 1, slot 3 starts row 2.
        EXPECT_LT(d.courseBox(1)->x(), d.courseBox(2)->x());
        EXPECT_EQ(d.courseBox(2)->y(), d.courseBox(0)->y());
        EXPECT_LT(d.courseBox(0)->y(), d.courseBox(3)->y());
        EXPECT_LT(d.countBox(2)->x(), d.gradeBox()->x());
        // A stored count of 31 shows as 0.
        EXPECT_EQ(slotText(d, 0), "语文/6");
        EXPECT_EQ(slotText(d, 1), "数学/0");
        EXPECT_EQ(slotText(d, 2), "/0");

        // A grade switch asks before it drops edits: 否 keeps the grade and the edit, 是 drops it.
        typeCourse(d, 0, "体育");
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(1); },
                                                QMessageBox::No),
                  planning::Gradecourse::kDiscardQuestion);
        EXPECT_EQ(toStdString(d.gradeBox()->currentText()), "初一");
        EXPECT_EQ(slotText(d, 0), "体育/6");
        EXPECT_EQ(dialogtest::messageFromAnswer([&] { d.gradeBox()->setCurrentIndex(1); },
                                                QMessageBox::Yes),
                  planning::Gradecourse::kDiscardQuestion);
        EXPECT_EQ(slotText(d, 0), "英语/5");
        // unchanged: no question
        d.gradeBox()->setCurrentIndex(0); // a question here would block the test
        EXPECT_EQ(slotText(d, 0), "语文/6");

        typeNumber(d.countBox(1), "5");
        typeCourse(d, 4, "体育"); // typed, not in the list
        typeNumber(d.countBox(4), "2");
        typeNumber(d.countBox(3), "9"); // no course: not stored
        d.courseBox(7)->setCurrentIndex(1);
        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"高三", "语文", 4, 3},
                                  {"初二", "英语", 5, 0},
                                  {"高三", "数学", 6, 0},
                                  {"高三", "英语", 2, 3},
                                  {"初一", "语文", 6, 0},
                                  {"初一", "数学", 5, 0},
                                  {"初一", "体育", 2, 0},
                                  {"初一", "数学", 0, 0}}));

        // A count above 30 is refused: the box gets the focus, the dialog stays open.
        const Rows before = stored();
        typeNumber(d.countBox(0), "31");
        EXPECT_EQ(dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请输入一个 0 到 30 之间的整数。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.countBox(0));
        EXPECT_EQ(stored(), before);

        typeNumber(d.countBox(0), "30");
        typeCourse(d, 7, "");
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (Rows{{"高三", "语文", 4, 3},
                              {"初二", "英语", 5, 0},
                              {"高三", "数学", 6, 0},
                              {"高三", "英语", 2, 3},
                              {"初一", "语文", 30, 0},
                              {"初一", "数学", 5, 0},
                              {"初一", "体育", 2, 0}}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(GradecourseDialogTest, TheReviewPlanNeedsItsDaysAndKeepsTheGradePlan) {
    openFromMenu<GradecourseDialog>(m_window, kReviewEntry, [](GradecourseDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "年段课程设置");
        EXPECT_TRUE(d.daysBox()->isEnabled());
        // 初一 has a grade plan only: the review grid is empty, with 0 days.
        EXPECT_EQ(slotText(d, 0), "/0");
        EXPECT_EQ(toStdString(d.daysBox()->text()), "0");

        d.gradeBox()->setCurrentIndex(5);
        EXPECT_EQ(slotText(d, 0), "语文/4");
        EXPECT_EQ(slotText(d, 1), "英语/2");
        EXPECT_EQ(toStdString(d.daysBox()->text()), "3");

        typeCourse(d, 2, "数学");
        typeNumber(d.countBox(2), "6");
        typeNumber(d.daysBox(), "");
        // 确定 without days says so and keeps the dialog open with the edits.
        EXPECT_EQ(dialogtest::messageFrom([&] { d.buttons()->okButton()->click(); }),
                  "请输入复习时间（天数）!");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(slotText(d, 2), "数学/6");
        EXPECT_EQ(stored(), kStart);

        typeNumber(d.daysBox(), "10");
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored(), (Rows{{"初一", "语文", 6, 0},
                              {"初一", "数学", 31, 0},
                              {"初二", "英语", 5, 0},
                              {"高三", "数学", 6, 0},
                              {"高三", "语文", 4, 10},
                              {"高三", "英语", 2, 10},
                              {"高三", "数学", 6, 10}}));

    // Opening again shows the saved review plan of 高三 with its days.
    openFromMenu<GradecourseDialog>(m_window, kReviewEntry, [](GradecourseDialog& d) {
        d.gradeBox()->setCurrentIndex(5);
        EXPECT_EQ(slotText(d, 2), "数学/6");
        EXPECT_EQ(toStdString(d.daysBox()->text()), "10");
        d.buttons()->cancelButton()->click();
    });
}

TEST_F(GradecourseDialogTest, CancelWritesNothing) {
    openFromMenu<GradecourseDialog>(m_window, kReviewEntry, [](GradecourseDialog& d) {
        typeCourse(d, 0, "物理");
        typeNumber(d.countBox(0), "3");
        typeNumber(d.daysBox(), "5");
        d.buttons()->cancelButton()->click();
    });
    openFromMenu<GradecourseDialog>(m_window, kGradeEntry, [](GradecourseDialog& d) {
        typeCourse(d, 0, "");
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kStart);
}

TEST_F(GradecourseDialogTest, AFailedSaveIsToldAndKeepsTheDialogOpen) {
    openFromMenu<GradecourseDialog>(m_window, kGradeEntry, [this](GradecourseDialog& d) {
        typeCourse(d, 3, "物理");
        typeNumber(d.countBox(3), "2");
        m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [gradecourse] "
                     "WHEN NEW.[学科] = '物理' BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const std::string text = messageFrom([&] { d.buttons()->okButton()->click(); });
        EXPECT_NE(text.find("refused"), std::string::npos) << text;
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(slotText(d, 3), "物理/2");
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), kStart);
}

TEST_F(GradecourseDialogTest, WithoutCourseNamesBothEntriesOnlyShowTheirMessage) {
    store::CCNRecord().replaceAll(std::vector<store::CoursenameRow>{});
    for (const char* entry : {kGradeEntry, kReviewEntry}) {
        const std::string text =
            messageFrom([&] { dialogtest::menuEntry(m_window, entry)->trigger(); });
        EXPECT_EQ(text, "请设置学科课程名称!") << entry;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << entry;
    }
    EXPECT_EQ(stored(), kStart);
}

} // namespace
