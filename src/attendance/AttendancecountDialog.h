// AttendancecountDialog ("出勤情况统计"): the week's counts per teacher in a read-only list
// (教师, 迟到, 早退, 事假, 公假, 缺勤, 公代), the boxes "出勤类型" (the five activities; any text
// may be typed) and "周别:", and the buttons 刷新 (count), 表格导出 (the weekly document into a
// file), 打印 (its first page on the default printer), 确定 and 取消 (both only close). All
// counting lives in attendance::Attendancecount; a failed read shows the driver's text and
// keeps the list shown before.
#pragma once

#include "attendance/Attendancecount.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace attendance {

class AttendancecountDialog : public QDialog {
    Q_OBJECT
public:
    explicit AttendancecountDialog(QWidget* parent = nullptr);

    QTableWidget* list() const { return m_list; }
    QComboBox* activityBox() const { return m_activity; }
    QLineEdit* weekBox() const { return m_week; }
    QPushButton* refreshButton() const { return m_refresh; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* printButton() const { return m_print; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void refresh();
    void showEntries();
    void exportReport();
    void printReport();

    widgets::QtMessenger m_messenger;
    Attendancecount m_logic;
    QTableWidget* m_list = nullptr;
    QComboBox* m_activity = nullptr;
    QLineEdit* m_week = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_print = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace attendance
