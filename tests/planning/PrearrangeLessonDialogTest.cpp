// The teacher presets dialog opened from 课程设置 → 教师课程预设: nothing chosen at first (存盘
// is refused), choosing a teacher shows the stored marks, grid buttons toggle "不排", 存盘
// keeps the dialog open, a teacher switch asks before it drops unsaved marks, 确定 saves and
// closes, 取消 writes nothing; without teachers the entry only shows its message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "planning/PrearrangeLessonDialog.h"
#include "store/CLPRecord.h"
#include "store/CTNRecord.h"
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
using planning::PrearrangeLessonDialog;
using Rows = std::vector<store::LessonprearrangeRow>;
using Names = std::vector<std::string>;
using widgets::toStdString;

constexpr const char* kEntry = "教师课程预设";
const std::string kFree(35, '0');

std::string maskWith(std::initializer_list<std::size_t> ones) {
    std::string mask = kFree;
    for (const std::size_t i : ones) {
        mask[i] = '1';
    }
    return mask;
}

Rows stored() {
    return store::CLPRecord().readAll();
}

std::string cellText(const PrearrangeLessonDialog& d, int day, int period) {
    return toStdString(d.cellButton(day, period)->text());
}

// The (day, period) places whose button reads "不排"; every other button must read two blanks.
std::vector<std::pair<int, int>> shownMarks(const PrearrangeLessonDialog& d) {
    std::vector<std::pair<int, int>> marks;
    for (int day = 1; day <= 5; ++day) {
        for (int period = 1; period <= 7; ++period) {
            const std::string text = cellText(d, day, period);
            if (text == "不排") {
                marks.emplace_back(day, period);
            } else {
                EXPECT_EQ(text, "  ") << day << "," << period;
            }
        }
    }
    return marks;
}

class PrearrangeLessonDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::CTNRecord().append(std::vector<store::TeachernameRow>{{"王伟"}, {"李娜"}, {"张强"}});
        store::CLPRecord().append(Rows{{"王伟", maskWith({2})}, {"李娜", maskWith({0, 9})}});
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(PrearrangeLessonDialogTest, MarksATeachersPeriodsThroughTheGridAndSavesThem) {
    openFromMenu<PrearrangeLessonDialog>(m_window, kEntry, [](PrearrangeLessonDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "教师课程预设");
        Names labels;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            labels.push_back(toStdString(label->text()));
        }
        EXPECT_EQ(labels, (Names{"教师", "星期一", "星期二", "星期三", "星期四", "星期五", "1", "2",
                                 "3", "4", "5", "6", "7"}));
        // Days run across, periods down.
        EXPECT_LT(d.cellButton(1, 1)->x(), d.cellButton(2, 1)->x());
        EXPECT_EQ(d.cellButton(1, 1)->y(), d.cellButton(5, 1)->y());
        EXPECT_LT(d.cellButton(1, 1)->y(), d.cellButton(1, 7)->y());
        EXPECT_EQ(d.cellButton(0, 1), nullptr);
        EXPECT_EQ(d.cellButton(1, 8), nullptr);

        QComboBox& teacher = *d.teacherBox();
        ASSERT_EQ(teacher.count(), 3);
        EXPECT_EQ(toStdString(teacher.itemText(2)), "张强");
        EXPECT_FALSE(teacher.isEditable());
        EXPECT_EQ(teacher.currentIndex(), -1);
        EXPECT_TRUE(shownMarks(d).empty());

        // No teacher yet: 存盘 is refused and writes nothing.
        d.cellButton(1, 1)->click();
        EXPECT_EQ(messageFrom([&] { d.buttons()->saveButton()->click(); }), "请先选择教师!");
        EXPECT_EQ(stored().size(), 2U);

        teacher.setCurrentIndex(1); // 李娜: Monday 1 and Tuesday 3
        EXPECT_EQ(shownMarks(d), (std::vector<std::pair<int, int>>{{1, 1}, {2, 3}}));
        d.cellButton(1, 1)->click();
        d.cellButton(5, 7)->click();
        EXPECT_EQ(cellText(d, 1, 1), "  ");
        EXPECT_EQ(cellText(d, 5, 7), "不排");
        d.buttons()->saveButton()->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({2})}, {"李娜", maskWith({9, 34})}}));

        // A switch asks before it drops unsaved marks (否 keeps teacher and marks); a teacher
        // without a row starts empty.
        d.cellButton(3, 3)->click();
        const std::string question = "教师课程预设已修改，放弃未存盘的修改吗？";
        EXPECT_EQ(
            dialogtest::messageFromAnswer([&] { teacher.setCurrentIndex(2); }, QMessageBox::No),
            question);
        EXPECT_EQ(teacher.currentIndex(), 1);
        EXPECT_EQ(shownMarks(d).size(), 3u);
        EXPECT_EQ(
            dialogtest::messageFromAnswer([&] { teacher.setCurrentIndex(2); }, QMessageBox::Yes),
            question);
        EXPECT_TRUE(shownMarks(d).empty());
        teacher.setCurrentIndex(1);
        EXPECT_EQ(shownMarks(d), (std::vector<std::pair<int, int>>{{2, 3}, {5, 7}}));

        teacher.setCurrentIndex(2);
        d.cellButton(1, 1)->click();
        d.cellButton(4, 6)->click();
        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(
        stored(),
        (Rows{{"王伟", maskWith({2})}, {"李娜", maskWith({9, 34})}, {"张强", maskWith({0, 26})}}));
    EXPECT_TRUE(m_messenger.entries().empty());
}

TEST_F(PrearrangeLessonDialogTest, CancelWritesNothing) {
    openFromMenu<PrearrangeLessonDialog>(m_window, kEntry, [](PrearrangeLessonDialog& d) {
        d.teacherBox()->setCurrentIndex(0);
        EXPECT_EQ(cellText(d, 1, 3), "不排");
        d.cellButton(1, 3)->click();
        d.cellButton(2, 2)->click();
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({2})}, {"李娜", maskWith({0, 9})}}));
}

TEST_F(PrearrangeLessonDialogTest, AFailedSaveShowsTheErrorKeepsTheMarksAndTheDialogOpen) {
    m_db.execute("CREATE TRIGGER refuse BEFORE INSERT ON [lessonprearrange] "
                 "WHEN NEW.[teacher] = '王伟' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    openFromMenu<PrearrangeLessonDialog>(m_window, kEntry, [](PrearrangeLessonDialog& d) {
        d.teacherBox()->setCurrentIndex(0);
        d.cellButton(5, 1)->click();
        const std::string text = messageFrom([&] { d.buttons()->okButton()->click(); });
        EXPECT_NE(text.find("refused"), std::string::npos) << text;
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(cellText(d, 5, 1), "不排");
        d.buttons()->cancelButton()->click();
    });
    EXPECT_EQ(stored(), (Rows{{"王伟", maskWith({2})}, {"李娜", maskWith({0, 9})}}));
}

TEST_F(PrearrangeLessonDialogTest, WithoutTeachersTheEntryOnlyShowsItsMessage) {
    store::CTNRecord().replaceAll(std::vector<store::TeachernameRow>{});
    const std::string text =
        messageFrom([&] { dialogtest::menuEntry(m_window, kEntry)->trigger(); });
    EXPECT_EQ(text, "请输入所有教师姓名!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
