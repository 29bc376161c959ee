// CoursenameDialog ("课程名称设置"): twenty course-name boxes of at most 8 GBK bytes in 5 rows
// of 4, then 确定 (save and close) and 取消 (close, nothing written). All rules live in
// masterdata::Coursename; this class only copies the boxes into it and shows its messages.
// Constructing it reads the table: a store::DbError propagates to the command loop.
#pragma once

#include "masterdata/Coursename.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <array>

namespace widgets {
class DialogButtons;
class GbkLineEdit;
} // namespace widgets

namespace masterdata {

class CoursenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit CoursenameDialog(QWidget* parent = nullptr);

    // Box 0 … 19, left to right, then top to bottom.
    widgets::GbkLineEdit* box(int index) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool save();

    widgets::QtMessenger m_messenger;
    Coursename m_logic;
    std::array<widgets::GbkLineEdit*, Coursename::kEntries> m_boxes{};
    widgets::DialogButtons* m_buttons = nullptr;
    bool m_shown = false;
};

} // namespace masterdata
