// The class timetable window, constructed the way the grade timetable does (it has no menu
// entry): title from slot 0 of Monday ("教师课程表--" for a teacher's week), five day columns
// of at least 60 pixels and a hidden empty one, seven read-only rows 第一节 … 第七节 with each
// day's periods, room for every day, period and two-line cell at its font, and 确定 / 取消 that
// only close it.
#include "planning/ClassTimetableDialog.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using planning::ClassTimetable;
using planning::ClassTimetableDialog;
using widgets::toStdString;

ClassTimetable::Week sampleWeek() {
    ClassTimetable::Week week{};
    const std::vector<std::string> courses = {"语文", "数学", "英语", "物理",
                                              "化学", "体育", "音乐"};
    for (std::size_t d = 0; d < 5; ++d) {
        week[d][0] = d == 0 ? "初一⑵" : "高三⒇";
        for (std::size_t p = 1; p <= 7; ++p) {
            week[d][p] = courses[(d + p - 1) % courses.size()];
        }
    }
    week[3][5] = "       "; // a unified slot shows as its blanks
    week[4][7] = "";
    return week;
}

std::string text(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item == nullptr ? std::string("<none>") : toStdString(item->text());
}

TEST(ClassTimetableDialogTest, ShowsTheWeekReadOnlyUnderItsTitleAndCloses) {
    ClassTimetable::Week week = sampleWeek();
    ClassTimetableDialog dialog;
    dialog.setWeek(week);
    week[0][1] = "改动"; // the window keeps its own copy

    EXPECT_EQ(toStdString(dialog.windowTitle()), "班级课程表--初一⑵");
    const QTableWidget& table = *dialog.table();
    ASSERT_EQ(table.columnCount(), 6);
    ASSERT_EQ(table.rowCount(), 7);
    const std::vector<std::string> days = {"星期一", "星期二", "星期三", "星期四", "星期五"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(toStdString(table.horizontalHeaderItem(column)->text()),
                  days[static_cast<std::size_t>(column)]);
        EXPECT_GE(table.columnWidth(column), 60);
        EXPECT_FALSE(table.isColumnHidden(column));
    }
    EXPECT_TRUE(table.isColumnHidden(5));
    EXPECT_TRUE(table.horizontalHeaderItem(5)->text().isEmpty());
    EXPECT_TRUE(table.showGrid());
    EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);

    const std::vector<std::string> courses = {"语文", "数学", "英语", "物理",
                                              "化学", "体育", "音乐"};
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            std::string expected = courses[static_cast<std::size_t>(column + row) % courses.size()];
            if (column == 3 && row == 4) {
                expected = "       ";
            } else if (column == 4 && row == 6) {
                expected = "";
            }
            EXPECT_EQ(text(table, row, column), expected) << row << "," << column;
        }
        EXPECT_EQ(text(table, row, 5), "");
    }

    // Both buttons only close the window; neither is a save.
    ASSERT_NE(dialog.buttons()->okButton(), nullptr);
    ASSERT_NE(dialog.buttons()->cancelButton(), nullptr);
    EXPECT_EQ(dialog.buttons()->saveButton(), nullptr);
    EXPECT_EQ(toStdString(dialog.buttons()->okButton()->text()), "确定");
    EXPECT_EQ(toStdString(dialog.buttons()->cancelButton()->text()), "取消");
    for (QPushButton* button : {dialog.buttons()->okButton(), dialog.buttons()->cancelButton()}) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = QApplication::activeModalWidget() == &dialog;
            button->click();
        });
        dialog.exec();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(ClassTimetableDialogTest, EveryDayPeriodAndTwoLineCellShowsWithoutScrolling) {
    ClassTimetable::Week week = sampleWeek();
    week[0][0] = "欧阳文忠";
    week[2][4] = "通用技术\n欧阳文忠";
    for (const QFont& font : {QApplication::font(), QFont(QStringLiteral("Noto Sans CJK SC"), 12),
                              QFont(QStringLiteral("AR PL UMing CN"), 14)}) {
        ClassTimetableDialog dialog;
        dialog.setFont(font);
        dialog.setTeacherWeek(week);
        EXPECT_EQ(toStdString(dialog.windowTitle()), "教师课程表--欧阳文忠");
        const QTableWidget& table = *dialog.table();
        std::vector<std::string> rows;
        for (int row = 0; row < table.rowCount(); ++row) {
            rows.push_back(toStdString(table.verticalHeaderItem(row)->text()));
        }
        EXPECT_EQ(rows, (std::vector<std::string>{"第一节", "第二节", "第三节", "第四节", "第五节",
                                                  "第六节", "第七节"}));
        EXPECT_TRUE(table.verticalHeader()->isVisibleTo(&dialog));
        // The table asks for its headers, five columns and seven rows.
        const int frame = 2 * table.frameWidth();
        EXPECT_GE(table.minimumWidth(),
                  table.verticalHeader()->sizeHint().width() + 5 * table.columnWidth(0) + frame);
        EXPECT_GE(table.minimumHeight(),
                  table.horizontalHeader()->sizeHint().height() + 7 * table.rowHeight(0) + frame);
        const QRect needed = QFontMetrics(table.font())
                                 .boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignCenter,
                                               QStringLiteral("通用技术\n欧阳文忠"));
        EXPECT_LE(needed.width(), table.columnWidth(2)) << font.family().toStdString();
        EXPECT_LE(needed.height(), table.rowHeight(3)) << font.family().toStdString();
        EXPECT_EQ(text(table, 3, 2), "通用技术\n欧阳文忠");
    }
}

TEST(ClassTimetableDialogTest, RunShowsTheGivenWeekModally) {
    std::string title;
    std::string firstCell;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ClassTimetableDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = toStdString(dialog->windowTitle());
        firstCell = text(*dialog->table(), 0, 0);
        dialog->buttons()->okButton()->click();
    });
    ClassTimetableDialog::run(sampleWeek());
    EXPECT_EQ(title, "班级课程表--初一⑵");
    EXPECT_EQ(firstCell, "语文");
}

} // namespace

// The review window over ten days: every day column shows, day d under "第d天" in column d,
// also after the window first laid out a five-day week (whose empty sixth column was hidden).
TEST(ClassTimetableDialogTest, TheReviewWindowShowsAllTenDaysInOrder) {
    ClassTimetable::ReviewWeek week{};
    for (std::size_t d = 0; d < 10; ++d) {
        week[d][0] = "高三⑴";
        for (std::size_t p = 1; p <= 7; ++p) {
            week[d][p] = "师" + std::to_string(d + 1) + "-" + std::to_string(p);
        }
    }
    ClassTimetableDialog dialog; // lays out a five-day week first
    dialog.setWeek(week);
    EXPECT_EQ(toStdString(dialog.windowTitle()), "班级复习课程表--高三⑴");
    const QTableWidget& table = *dialog.table();
    ASSERT_EQ(table.columnCount(), 11);
    const std::vector<std::string> headings = {"第一天", "第二天", "第三天", "第四天", "第五天",
                                               "第六天", "第七天", "第八天", "第九天", "第十天"};
    for (int column = 0; column < 10; ++column) {
        EXPECT_FALSE(table.isColumnHidden(column)) << column;
        EXPECT_EQ(table.columnWidth(column), 60) << column;
        EXPECT_EQ(toStdString(table.horizontalHeaderItem(column)->text()),
                  headings[static_cast<std::size_t>(column)]);
        for (int row = 0; row < 7; ++row) {
            EXPECT_EQ(text(table, row, column),
                      "师" + std::to_string(column + 1) + "-" + std::to_string(row + 1));
        }
    }
    EXPECT_TRUE(table.isColumnHidden(10));

    // and back to a school week: the sixth column is the hidden empty one again
    dialog.setWeek(sampleWeek());
    ASSERT_EQ(table.columnCount(), 6);
    EXPECT_TRUE(table.isColumnHidden(5));
    EXPECT_FALSE(table.isColumnHidden(4));
}
