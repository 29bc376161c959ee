// ClassteacherDialog ("课任教师选用"): in the top line 年段, 学科 and 教师 with their
// drop-down lists (nothing chosen at first), below them twenty class buttons in four rows
// of five, then "选定班级：" with the selected classes (seven a line), and 存盘 / 确定 / 取消
// one under the other at the right. The class buttons are blank and disabled until grade,
// course and teacher are all chosen; a checked button is a class the teacher is to teach
// the course in. Moving the pointer over the dialog's own surface offers the chosen course's
// teachers. All rules live in planning::Classteacher; this class copies the choices into
// it and shows what it says.
//
// Constructing it reads the master data (a store::DbError propagates to the command loop).
// run() is the menu command: when the logic finds the dialog unusable it shows the reason
// and the dialog never opens.
#pragma once

#include "planning/Classteacher.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QMouseEvent;
class QPushButton;

namespace widgets {
class ClassButtonGrid;
class DialogButtons;
} // namespace widgets

namespace planning {

class ClassteacherDialog : public QDialog {
    Q_OBJECT
public:
    explicit ClassteacherDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Classteacher& logic() const { return m_logic; }
    QComboBox* gradeBox() const { return m_grade; }
    QComboBox* courseBox() const { return m_course; }
    QComboBox* teacherBox() const { return m_teacher; }
    // Class button k = 1..20.
    QPushButton* classButton(int k) const;
    QLabel* selectionLabel() const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void choose(const std::function<bool()>& step);
    void showChoices();
    void toggleClass(int k);
    void showTeachers();
    void showClasses();

    widgets::QtMessenger m_messenger;
    Classteacher m_logic;
    QComboBox* m_grade = nullptr;
    QComboBox* m_course = nullptr;
    QComboBox* m_teacher = nullptr;
    widgets::ClassButtonGrid* m_classes = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace planning
