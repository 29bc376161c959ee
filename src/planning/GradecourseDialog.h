// GradecourseDialog ("年段课程设置", for the grade plan and the review plan alike): at the left
// a grid of 6 rows of 3 slots under the captions "学科" and "课时", each slot a course box
// (the course list, a name of at most 10 GBK bytes may also be typed) and a count box; at the
// right "年段" over the grade list, "天数" with the review period's box (disabled in the grade
// plan) and 存盘 / 确定 / 取消. Slots are numbered row by row. All rules live in
// planning::Gradecourse; this class copies the boxes into it and shows its plan.
//
// mode 0 is the grade plan, any other mode the review plan. Constructing it reads the tables
// (a store::DbError propagates to the command loop). Without course names exec() only shows
// the reason and returns Rejected: the dialog never opens. A refused box gets the focus and
// keeps the dialog open, 确定 included; so does a failed save, with the driver's text.
#pragma once

#include "planning/Gradecourse.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace widgets {
class DialogButtons;
}

namespace planning {

class GradecourseDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradecourseDialog(int mode, QWidget* parent = nullptr);

    int exec() override;

    const Gradecourse& logic() const { return m_logic; }
    QComboBox* gradeBox() const { return m_grade; }
    QLineEdit* daysBox() const { return m_days; }
    // Slot 0 … 17, row by row.
    QComboBox* courseBox(int slot) const { return m_courses.at(static_cast<std::size_t>(slot)); }
    QLineEdit* countBox(int slot) const { return m_counts.at(static_cast<std::size_t>(slot)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseGrade(int index);
    Gradecourse::Slots enteredSlots() const;
    void showPlan();
    bool save();

    widgets::QtMessenger m_messenger;
    Gradecourse m_logic;
    QComboBox* m_grade = nullptr;
    QLineEdit* m_days = nullptr;
    std::array<QComboBox*, Gradecourse::kSlots> m_courses{};
    std::array<QLineEdit*, Gradecourse::kSlots> m_counts{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace planning
