// LessonorderPlanDialog ("课程编排计划—不编排课程范围"): ten rows of six drop-down lists under
// the captions "班级", "学科", "星期起点", "星期终点", "节别起点", "节别终点", and 存盘 / 确定 /
// 取消. The class lists hold an empty entry and the 120 class names, the subject lists an
// empty entry and the course names; choosing the empty class empties the row. The day and
// period lists hold the seven names only: a cell with nothing chosen keeps the stored number.
// A stored class or subject that is not in its list is added to that row's list, so an
// untouched row is saved as it was. 存盘 saves and keeps the dialog open; 确定 and 取消 close
// without writing. All rules live in planning::LessonorderPlan.
//
// Constructing it reads the course names and the plan (a store::DbError propagates to the
// command loop). run() is the menu command: when the logic finds the dialog unusable it shows
// the reason and the dialog never opens.
#pragma once

#include "planning/LessonorderPlan.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;

namespace widgets {
class DialogButtons;
}

namespace planning {

class LessonorderPlanDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumns = 6;
    enum Column { ClassColumn, CourseColumn, FirstDay, LastDay, FirstPeriod, LastPeriod };

    explicit LessonorderPlanDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const LessonorderPlan& logic() const { return m_logic; }
    // The cell of row 0..9 and column; null outside the grid.
    QComboBox* cell(int row, int column) const;
    // 存盘 lives in saveButtons(), 确定 and 取消 in closeButtons().
    widgets::DialogButtons* saveButtons() const { return m_saveButtons; }
    widgets::DialogButtons* closeButtons() const { return m_closeButtons; }

private:
    bool save();
    void showPage();

    widgets::QtMessenger m_messenger;
    LessonorderPlan m_logic;
    std::array<std::array<QComboBox*, kColumns>, LessonorderPlan::kPageRows> m_cells{};
    widgets::DialogButtons* m_saveButtons = nullptr;
    widgets::DialogButtons* m_closeButtons = nullptr;
};

} // namespace planning
