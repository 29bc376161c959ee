// GradelessonDialog ("年段课程编排—<grade>"): the school's weekly timetable, one grade and
// one day at a time. At the top the day button (it only shows the day) and 课程转换,
// 上一年段 / 下一年段, 左  进 / 右  进, 上一天 / 下一天; then the selected teacher's day; the
// grid of 8 rows × 10 classes (row 0 the class names, which open the class's week; rows 1..7
// the periods, clicked to select and exchange); the clash list after "碰课教师：", the
// resource overruns under "教学设施：", and the status line; at the bottom 个人课程表,
// 重新编排, 优化编排 (the clash-free arrangement around the other grades, keeping the cells
// locked by a right-click, under a progress dialog with 取消 when it takes more than half a
// second), 打 印, 表格导出, 撤  销 (Ctrl+Z), 重  做 (Ctrl+Y), 存  盘, 确定 and 取消.
// Conflicting cells are drawn red (teacher clash), orange (resource over its limit) or
// purple (teacher's preset), each with a tooltip that names the conflict; a one-line legend
// under the grid says so, and what the blue frame of a locked cell means. The shown grade's
// name stands at the top left.
//
// "按周查看" swaps the day grid for the week view (WeekGridWidget: every class of the grade by
// the 35 periods, lessons dragged or clicked twice within a class, Shift for a double period,
// Esc to put a dragged lesson back) with the teachers' weeks beside it (TeacherWeekPanel);
// "按天查看" swaps back. A right-click there offers to lock or free the cell and, on a cell
// with a conflict, "为此课找位置" with up to five exchanges to choose from.
//
// All behaviour lives in arrange::Gradelesson; this class builds the controls, forwards the
// clicks and shows the logic's view. 取消, Esc and the close button ask before unsaved
// changes are thrown away. Constructing it reads the tables: a store::DbError propagates to
// the command loop.
#pragma once

#include "arrange/Gradelesson.h"
#include "arrange/LessonGridPanel.h"
#include "arrange/TeacherWeekPanel.h"
#include "arrange/WeekGridWidget.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace arrange {

class GradelessonDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradelessonDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    Gradelesson& logic() { return m_logic; }
    // Row 0..7, column 0..9.
    QPushButton* cell(int row, int column) const { return m_panel->cell(row, column); }
    QPushButton* button(const QString& caption) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }
    QLabel* statusLabel() const { return m_status; }
    const std::array<QLabel*, 10>& clashLabels() const { return m_panel->clashLabels(); }
    QPushButton* weekToggle() const { return m_weekToggle; }
    WeekGridWidget* weekGrid() const { return m_weekGrid; }
    TeacherWeekPanel* teacherWeeks() const { return m_teacherWeeks; }

public slots:
    void reject() override;

private:
    template <class Action> void act(Action&& action);
    void showView();
    void openClassWeek(int column);
    void openPersonalWeek();
    void exportReport();
    void optimiseGrade();
    void printReport();
    void offerWeekMenu(const GridPlace& place, const QPoint& globalPos);

    widgets::QtMessenger m_messenger;
    Gradelesson m_logic;
    LessonGridPanel* m_panel = nullptr;
    std::array<QLabel*, Gradelesson::kMaxOverruns> m_overruns{};
    QWidget* m_overrunArea = nullptr;
    QWidget* m_weekArea = nullptr;
    WeekGridWidget* m_weekGrid = nullptr;
    TeacherWeekPanel* m_teacherWeeks = nullptr;
    QPushButton* m_weekToggle = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_redo = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace arrange
