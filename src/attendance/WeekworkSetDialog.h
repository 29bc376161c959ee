// WeekworkSetDialog ("学科周工作量设置"): the box "年段" (the six grades, none chosen at first)
// and 20 pairs in five lines of four, each a "学科" box (a drop-down box whose list stays
// empty: the subject is typed, at most 10 GBK bytes) and a "周课时" box; buttons 存盘 (save),
// 确定 (save, then close) and 取消. Choosing a grade shows its pairs; a failed read shows the
// driver's text and leaves no grade chosen. All rules live in attendance::WeekworkSet; a
// refused pair is focused.
#pragma once

#include "attendance/WeekworkSet.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace widgets {
class DialogButtons;
}

namespace attendance {

class WeekworkSetDialog : public QDialog {
    Q_OBJECT
public:
    explicit WeekworkSetDialog(QWidget* parent = nullptr);

    QComboBox* gradeBox() const { return m_grade; }
    QComboBox* subjectBox(int pair) const { return m_subjects.at(static_cast<std::size_t>(pair)); }
    QLineEdit* weeklyBox(int pair) const { return m_weekly.at(static_cast<std::size_t>(pair)); }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseGrade(int index);
    void showPairs();
    bool save();

    widgets::QtMessenger m_messenger;
    WeekworkSet m_logic;
    QComboBox* m_grade = nullptr;
    std::array<QComboBox*, WeekworkSet::kPairs> m_subjects{};
    std::array<QLineEdit*, WeekworkSet::kPairs> m_weekly{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace attendance
