// PrearrangeLessonDialog ("教师课程预设"): the teacher selector "教师" (the roster, not
// editable, nothing chosen at first), a grid of toggle buttons with the days "星期一" …
// "星期五" across and the periods "1" … "7" down (a marked button reads "不排", an unmarked
// one two blanks), and 存盘 / 确定 / 取消. All rules live in planning::PrearrangeLesson; this
// class passes the choices and clicks to it and shows its marks and messages.
//
// Constructing it reads the roster (a store::DbError propagates to the command loop). run()
// is the menu command: when the logic finds the dialog unusable it shows the reason and the
// dialog never opens.
#pragma once

#include "planning/PrearrangeLesson.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QPushButton;

namespace widgets {
class DialogButtons;
}

namespace planning {

class PrearrangeLessonDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrearrangeLessonDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const PrearrangeLesson& logic() const { return m_logic; }
    QComboBox* teacherBox() const { return m_teacher; }
    // The grid button of day 1..5 and period 1..7.
    QPushButton* cellButton(int day, int period) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseTeacher(int index);
    void toggle(int day, int period);
    void showMarks();

    widgets::QtMessenger m_messenger;
    PrearrangeLesson m_logic;
    QComboBox* m_teacher = nullptr;
    std::array<std::array<QPushButton*, PrearrangeLesson::kPeriods>, PrearrangeLesson::kDays>
        m_cells{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace planning
