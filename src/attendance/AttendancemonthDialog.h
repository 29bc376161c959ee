// AttendancemonthDialog ("教师月份工作量统计表"): the workload list with the boxes "月  份:",
// "起始周:" and "终止周:" and the button 刷新, which counts the weeks typed
// (attendance::Attendancemonth). A refused box is told and focused; with no attendance record
// at all the user is told "无出勤记录!" and the dialog closes; a failed read shows the driver's
// text and keeps the list shown before.
#pragma once

#include "attendance/Attendancemonth.h"
#include "attendance/WorkloadTableDialog.h"

class QLineEdit;

namespace attendance {

class AttendancemonthDialog : public WorkloadTableDialog {
    Q_OBJECT
public:
    explicit AttendancemonthDialog(QWidget* parent = nullptr);

    QLineEdit* monthBox() const { return m_month; }
    QLineEdit* startWeekBox() const { return m_start; }
    QLineEdit* endWeekBox() const { return m_end; }
    QPushButton* refreshButton() const { return m_refresh; }

protected:
    reports::ReportTable reportTable() const override { return m_logic.reportTable(); }
    std::string printTitle() const override { return m_logic.printTitle(); }

private:
    void refresh();

    Attendancemonth m_logic;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    QPushButton* m_refresh = nullptr;
};

} // namespace attendance
