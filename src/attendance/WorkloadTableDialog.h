// WorkloadTableDialog: what the monthly and the term workload dialogs share: the read-only list
// (姓名, 督修出席, 督修缺席, 迟到, 早退, 事假, 公假, 缺勤, 公派代课, 超课时, 满勤; one row per
// roster teacher with a name), a row for the dialog's own boxes, and the buttons 表格导出 and 打印
// (the "months" document of the last count, into a file or on the default printer), 确定 and 取消
// (both only close). The counting lives in WorkloadTable.h and the dialogs' logic.
#pragma once

#include "attendance/WorkloadTable.h"
#include "reports/ReportLayout.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <string>

class QHBoxLayout;
class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace attendance {

class WorkloadTableDialog : public QDialog {
    Q_OBJECT
public:
    QTableWidget* list() const { return m_list; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* printButton() const { return m_print; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

protected:
    WorkloadTableDialog(const char* title, reports::ReportKind kind, QWidget* parent);

    // Where a dialog puts its own boxes and buttons, above the shared buttons.
    QHBoxLayout* inputRow() const { return m_inputs; }
    void showWorkload(const Workload& workload);

    virtual reports::ReportTable reportTable() const = 0;
    virtual std::string printTitle() const = 0;

    widgets::QtMessenger m_messenger;

private:
    void exportReport();
    void printReport();

    reports::ReportKind m_kind;
    QTableWidget* m_list = nullptr;
    QHBoxLayout* m_inputs = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_print = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace attendance
