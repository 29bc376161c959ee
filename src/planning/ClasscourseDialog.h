// ClasscourseDialog ("班级课程设置"): at the left a grid of 6 rows × 3 slots, each slot under
// the captions "学科", "教师", "周课时" holding a course box and a teacher box (both also take
// typed names, at most 10 GBK bytes) and a weekly-count field; slots are numbered row by row.
// At the right "班级" over the class selector (nothing chosen at first), then 存盘 / 确定 /
// 取消. All rules live in planning::Classcourse; this class copies the controls into it,
// shows the plan it holds and its messages.
//
// Whenever the pointer moves over the dialog's own surface (not over a control) the teacher
// boxes are brought in step with the courses chosen: a slot whose course has allowed
// teachers offers those; what the boxes show is left as it is.
//
// Constructing it reads the master data (a store::DbError propagates to the command loop).
// run() is the menu command: when the logic finds the dialog unusable it shows the reason
// and the dialog never opens. Choosing a class that has no plan, in a grade without one,
// shows its message and closes the dialog.
#pragma once

#include "planning/Classcourse.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QMouseEvent;

namespace widgets {
class DialogButtons;
}

namespace planning {

class ClasscourseDialog : public QDialog {
    Q_OBJECT
public:
    explicit ClasscourseDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Classcourse& logic() const { return m_logic; }
    QComboBox* classBox() const { return m_class; }
    // The controls of slot 0 … 17.
    QComboBox* courseBox(int slot) const;
    QComboBox* teacherBox(int slot) const;
    QLineEdit* weeklyBox(int slot) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void chooseClass(int index);
    void showPlan();
    void refreshTeacherBoxes();
    Classcourse::Slots slotTexts() const;
    bool save();

    widgets::QtMessenger m_messenger;
    Classcourse m_logic;
    QComboBox* m_class = nullptr;
    int m_shownClass = -1; // the class whose plan the slots were filled from
    std::array<QComboBox*, Classcourse::kSlots> m_courses{};
    std::array<QComboBox*, Classcourse::kSlots> m_teachers{};
    std::array<QLineEdit*, Classcourse::kSlots> m_weekly{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace planning
