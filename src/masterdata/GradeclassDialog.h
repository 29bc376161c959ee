// GradeclassDialog ("各个年段的班级数设置"): the junior grades 初一年段, 初二年段, 初三年段 in
// the left column, the senior grades 高一年段, 高二年段, 高三年段 in the right one, each a label
// and a box that takes digits only; then 确定 and 取消. 确定 hands the six texts to
// masterdata::Gradeclass: a refused box keeps the dialog open with the focus on that box and
// writes nothing; otherwise the counts are saved and the dialog closes.
// Constructing it reads the table: a store::DbError propagates to the command loop.
#pragma once

#include "core/SchoolNames.h"
#include "masterdata/Gradeclass.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace widgets {
class DialogButtons;
} // namespace widgets

namespace masterdata {

class GradeclassDialog : public QDialog {
    Q_OBJECT
public:
    explicit GradeclassDialog(QWidget* parent = nullptr);

    // The box of grade index 0 … 5 ("初一" … "高三").
    QLineEdit* box(int gradeIndex) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    bool save();

    widgets::QtMessenger m_messenger;
    Gradeclass m_logic;
    std::array<QLineEdit*, school::kGrades> m_boxes{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
