// The teacher weekly timetable opened from 课程查询 → 任课教师周课程表: day columns and
// period rows 第一节 … 第七节, each lesson as its class over the course the class's plan gives,
// teachers in roster order up to the first blank name, nothing chosen at first; choosing a teacher
// fills the grid and the clash codes after "碰课：", a new choice replaces them, 确定 closes; an
// empty timetable closes the dialog with its message, and without teachers the entry only shows its
// message.
#include "MenuDialogDriver.h"
#include "RecordingMessenger.h"
#include "TempDatabase.h"

#include "app/CommandTable.h"
#include "maintain/TeachertableDialog.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/CTNRecord.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::messageFrom;
using dialogtest::openFromMenu;
using maintain::TeachertableDialog;
using Names = std::vector<std::string>;
using Rows = std::vector<store::GradelessonRow>;
using widgets::toStdString;

constexpr const char* kEntry = "任课教师周课程表";

Names items(const QComboBox& box) {
    Names names;
    for (int i = 0; i < box.count(); ++i) {
        names.push_back(toStdString(box.itemText(i)));
    }
    return names;
}

// Every non-empty cell as "row,column=text" (rows are periods, columns days, from 1).
Names filled(const QTableWidget& grid) {
    Names cells;
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            const QTableWidgetItem* item = grid.item(row, column);
            if (item != nullptr && !item->text().isEmpty()) {
                cells.push_back(std::to_string(row + 1) + "," + std::to_string(column + 1) + "=" +
                                toStdString(item->text()));
            }
        }
    }
    return cells;
}

class TeachertableDialogTest : public ::testing::Test {
protected:
    void storeTeachers(const Names& names) {
        std::vector<store::TeachernameRow> rows;
        for (const auto& n : names) {
            rows.push_back({n});
        }
        store::CTNRecord().append(rows);
    }

    testsupport::TempDatabase m_db;
    testsupport::RecordingMessenger m_messenger;
    app::MainWindow m_window{app::commandTable(), app::ShellServices{&m_messenger, {}}};
};

TEST_F(TeachertableDialogTest, ShowsAChosenTeachersWeekAndClashes) {
    storeTeachers({"王伟", "李娜", "王", "陈静"});
    store::CGLRecord().append(Rows{
        {"初一⑴", 10103, {"王伟", "李娜", "", "", "", "", ""}},
        {"高一⑵", 40203, {"王伟", "", "       ", "", "", "王伟", ""}},
        {"初三⑸", 30507, {"", "", "", "", "王伟", "", ""}},
    });
    // 王伟 teaches 物理 in 初三⑸; 高一⑵'s plan names another teacher for it.
    store::CCCRecord().append(std::vector<store::ClasscourseRow>{
        {"高一⑵", "物理", "李娜", 2}, {"初三⑸", "化学", "陈静", 2}, {"初三⑸", "物理", "王伟", 3}});
    openFromMenu<TeachertableDialog>(m_window, kEntry, [](TeachertableDialog& d) {
        EXPECT_EQ(toStdString(d.windowTitle()), "任课教师周课程表");
        QTableWidget& grid = *d.weekGrid();
        ASSERT_EQ(grid.columnCount(), 5);
        ASSERT_EQ(grid.rowCount(), 7);
        Names headers;
        for (int column = 0; column < grid.columnCount(); ++column) {
            headers.push_back(toStdString(grid.horizontalHeaderItem(column)->text()));
        }
        EXPECT_EQ(headers, (Names{"星期一", "星期二", "星期三", "星期四", "星期五"}));
        Names periods;
        for (int row = 0; row < grid.rowCount(); ++row) {
            periods.push_back(toStdString(grid.verticalHeaderItem(row)->text()));
        }
        EXPECT_EQ(periods,
                  (Names{"第一节", "第二节", "第三节", "第四节", "第五节", "第六节", "第七节"}));
        EXPECT_TRUE(grid.verticalHeader()->isVisible());
        EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(d.buttons()->saveButton(), nullptr);
        EXPECT_EQ(toStdString(d.buttons()->okButton()->text()), "确定");
        EXPECT_EQ(toStdString(d.buttons()->cancelButton()->text()), "取消");
        // "碰课：" sits below the grid, the codes to its right.
        const QLabel* caption = nullptr;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("碰课：")) {
                caption = label;
            }
        }
        ASSERT_NE(caption, nullptr);
        EXPECT_GT(caption->y(), grid.y() + grid.height() - 1);
        EXPECT_GT(d.clashLabel()->x(), caption->x());

        EXPECT_EQ(items(*d.teacherBox()), (Names{"王伟", "李娜"}));
        EXPECT_EQ(d.teacherBox()->currentIndex(), -1);
        EXPECT_TRUE(filled(grid).empty());

        d.teacherBox()->setCurrentIndex(0);
        // Monday period 3 twice: the later row shows and the clash code is 13.
        EXPECT_EQ(filled(grid), (Names{"3,1=高一⑵", "7,5=初三⑸\n物理"}));
        EXPECT_EQ(toStdString(d.clashLabel()->text()), "13");

        d.teacherBox()->setCurrentIndex(1);
        EXPECT_EQ(filled(grid), (Names{"3,2=初一⑴"}));
        EXPECT_EQ(d.clashLabel()->text(), QString());

        d.buttons()->okButton()->click();
        EXPECT_FALSE(d.isVisible());
    });
    // It only reads.
    EXPECT_EQ(store::CGLRecord().readAll().size(), 3U);
}

TEST_F(TeachertableDialogTest, AnEmptyTimetableClosesTheDialogWithItsMessage) {
    storeTeachers({"王伟"});
    openFromMenu<TeachertableDialog>(m_window, kEntry, [](TeachertableDialog& d) {
        EXPECT_EQ(messageFrom([&] { d.teacherBox()->setCurrentIndex(0); }),
                  "所有课程均未编排，无个人课程记录!");
        EXPECT_FALSE(d.isVisible());
    });
}

TEST_F(TeachertableDialogTest, WithoutTeachersOnlyTheMessageShows) {
    store::CGLRecord().append(Rows{{"初一⑴", 10101, {"王伟", "", "", "", "", "", ""}}});
    QAction* entry = dialogtest::menuEntry(m_window, kEntry);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(messageFrom([&] { entry->trigger(); }), "请输入所有任课教师姓名!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
