// TeachernamemanyDialog ("增加一批教师名单"): 25 name boxes of at most 6 GBK bytes in 5 rows of
// 5, then 确定 and 取消. After 确定, batch() is the prepared batch of masterdata::Teachernamemany
// (box order, blank and space-led boxes left out); after 取消 it is empty.
#pragma once

#include "masterdata/Teachernamemany.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

namespace widgets {
class DialogButtons;
class GbkLineEdit;
} // namespace widgets

namespace masterdata {

class TeachernamemanyDialog : public QDialog {
    Q_OBJECT
public:
    explicit TeachernamemanyDialog(QWidget* parent = nullptr);

    // Box 0 … 24, left to right, then top to bottom.
    widgets::GbkLineEdit* box(int index) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

    std::vector<std::string> batch() const { return m_logic.batch(); }

private:
    widgets::QtMessenger m_messenger;
    Teachernamemany m_logic;
    std::array<widgets::GbkLineEdit*, Teachernamemany::kBoxes> m_boxes{};
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace masterdata
