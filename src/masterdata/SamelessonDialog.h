// SamelessonDialog ("年段统一课程设置"): four rows of a day, a period and a course selector
// under the headings "星  期", "节  别", "课  程" (lists in which text may also be typed: day
// and period names of 6 GBK bytes, course names of up to 8), the grade selector "年  段" (not
// editable, nothing chosen at first), then 存盘 / 确定 / 取消. Choosing a grade shows its
// stored slots and throws away unsaved changes. All rules live in masterdata::Samelesson.
//
// Constructing it reads the course names (a store::DbError propagates to the command loop).
// run() is the menu command: without course names it shows the reason and the dialog never
// opens.
#pragma once

#include "masterdata/Samelesson.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;

namespace widgets {
class DialogButtons;
}

namespace masterdata {

class SamelessonDialog : public QDialog {
    Q_OBJECT
public:
    explicit SamelessonDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Samelesson& logic() const { return m_logic; }
    QComboBox* gradeBox() const { return m_grade; }
    // Row k (0 … 3).
    QComboBox* dayBox(int k) const { return m_days.at(static_cast<std::size_t>(k)); }
    QComboBox* periodBox(int k) const { return m_periods.at(static_cast<std::size_t>(k)); }
    QComboBox* courseBox(int k) const { return m_courses.at(static_cast<std::size_t>(k)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseGrade(int index);
    void showRows();
    bool save();
    void takeRows();

    widgets::QtMessenger m_messenger;
    Samelesson m_logic;
    QComboBox* m_grade = nullptr;
    std::array<QComboBox*, Samelesson::kRows> m_days{};
    std::array<QComboBox*, Samelesson::kRows> m_periods{};
    std::array<QComboBox*, Samelesson::kRows> m_courses{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
