// LessonGridPanel: the upper part the grade timetable and the review timetable dialogs share:
// the caption-less day button (it only shows the day), 课程转换, 上一年段 / 下一年段,
// 左  进 / 右  进, 上一天 / 下一天; the selected teacher's day; the grid of 8 rows × 10
// classes (row 0 the class names, rows 1..7 the periods); and "碰课教师：" with the clash
// list. Cells are drawn red (teacher clash), orange (resource over its limit) or purple
// (teacher's preset) with their tooltip, framed blue when locked, sunken when selected; while
// a lesson is selected, the cells of its class are green, yellow or red by where it can go.
// The shown grade's name stands at the top left, before the day button. The owner hands in
// what each click does and shows its logic's view with show().
#pragma once

#include "arrange/GridEditor.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace arrange {

class LessonGridPanel : public QWidget {
    Q_OBJECT
public:
    enum class Command { SwitchView, PreviousGrade, NextGrade, Left, Right, PreviousDay, NextDay };
    struct Handlers {
        std::function<void(Command)> command;
        std::function<void(int column, int period)> cell;
        std::function<void(int column, int period)> lock; // right-click; empty: none
        std::function<void(int column)> classCell;        // a row-0 cell
    };
    static constexpr int kCellWidth = 72;
    // The style sheet colours of a conflict mark (empty for none) and the frame of a cell,
    // also for a legend.
    static QString markColours(CellMark mark);
    // The same colours for painting: a conflict's fill (white for none), whether its text is
    // white, and the fill of where a selected lesson can go.
    static QColor markColour(CellMark mark);
    static bool whiteText(CellMark mark);
    static QColor shadeColour(Shade shade);
    static QString frameStyle(bool locked);
    // The colours of where a selected lesson can go.
    static QString shadeColours(Shade shade);

    LessonGridPanel(Handlers handlers, QWidget* parent);

    void show(const LessonGridView& view);
    // The day button, the teacher's day, the grid and the clash list, hidden while another
    // view of the timetable (the week) takes their place; the command buttons stay.
    void setDayAreaShown(bool shown);

    // Row 0..7, column 0..9.
    QPushButton* cell(int row, int column) const;
    const std::array<QLabel*, 10>& clashLabels() const { return m_clashes; }

private:
    Handlers m_handlers;
    QLabel* m_grade = nullptr;
    QPushButton* m_dayButton = nullptr;
    QWidget* m_dayArea = nullptr;
    QLabel* m_summary = nullptr;
    std::array<std::array<QPushButton*, LessonGridView::kColumns>, LessonGridView::kRows> m_cells{};
    std::array<QLabel*, 10> m_clashes{};
};

// Runs a command of the panel on a dialog's logic (Gradelesson, Reviewlesson), which offers
// the navigation and the view switch under these names.
template <class Logic> void runPanelCommand(Logic& logic, LessonGridPanel::Command command) {
    using Command = LessonGridPanel::Command;
    switch (command) {
    case Command::SwitchView:
        logic.switchView();
        break;
    case Command::PreviousGrade:
        logic.previousGrade();
        break;
    case Command::NextGrade:
        logic.nextGrade();
        break;
    case Command::Left:
        logic.moveLeft();
        break;
    case Command::Right:
        logic.moveRight();
        break;
    case Command::PreviousDay:
        logic.previousDay();
        break;
    case Command::NextDay:
        logic.nextDay();
        break;
    }
}

} // namespace arrange
