// AttendancesquireDialog ("出勤情况预览"): the list with the columns 教师 … 备注 (60 dialog
// units each, grid lines, whole-row selection), empty at first; the buttons 班级排序, 节别排序,
// 性质排序, 教师排序 and 周别排序 fill it with every record sorted by their column; 确定 and 取消
// both close. All reading and sorting lives in attendance::Attendancesquire. A failed read
// shows the driver's text and keeps the list shown before.
#pragma once

#include "attendance/Attendancesquire.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace attendance {

class AttendancesquireDialog : public QDialog {
    Q_OBJECT
public:
    explicit AttendancesquireDialog(QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    // The sort button with this caption, or null.
    QPushButton* sortButton(const QString& caption) const;
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void sortBy(Attendancesquire::SortKey key);

    widgets::QtMessenger m_messenger;
    Attendancesquire m_logic;
    QTableWidget* m_table = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace attendance
