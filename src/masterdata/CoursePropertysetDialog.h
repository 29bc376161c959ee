// CoursePropertysetDialog ("课程性质设置"): the grade selector "年段" (nothing chosen at first)
// and twenty pairs of a course selector (course names, a name may also be typed, at most 10
// GBK bytes) and a property selector ("考查科" / "考试科", not editable), in 5 rows of 4
// under the headings "课程" and "性质"; then 存盘 (save the chosen grade), 确定 and 取消
// (both close without saving). Choosing a grade shows its stored pairs and throws away
// unsaved changes. All rules live in masterdata::CoursePropertyset.
//
// Constructing it reads the course names (a store::DbError propagates to the command loop).
// run() is the menu command: without course names it shows the message and opens anyway.
#pragma once

#include "masterdata/CoursePropertyset.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;

namespace widgets {
class DialogButtons;
}

namespace masterdata {

class CoursePropertysetDialog : public QDialog {
    Q_OBJECT
public:
    explicit CoursePropertysetDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const CoursePropertyset& logic() const { return m_logic; }
    QComboBox* gradeBox() const { return m_grade; }
    // Pair k (0 … 19, left to right, then top to bottom).
    QComboBox* courseBox(int k) const { return m_courses.at(static_cast<std::size_t>(k)); }
    QComboBox* propertyBox(int k) const { return m_properties.at(static_cast<std::size_t>(k)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseGrade(int index);
    void showPairs();
    bool save();
    void takePairs();

    widgets::QtMessenger m_messenger;
    CoursePropertyset m_logic;
    QComboBox* m_grade = nullptr;
    std::array<QComboBox*, CoursePropertyset::kPairs> m_courses{};
    std::array<QComboBox*, CoursePropertyset::kPairs> m_properties{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
