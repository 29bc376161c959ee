// SupervisebrowseDialog ("早晚督促修教师表"): the duty roster, one row per class and one
// column per time in use, read when the dialog opens (a failure shows the driver's text and
// the heading only); below it 打印 (the duty roster on the default printer), 表格导出 (the
// same document into a file), 确定 and 取消 (both only close). The grid and the document come
// from supervise::Supervisebrowse; this class shows the grid and hands the document to the
// report module. It writes no table.
#pragma once

#include "supervise/Supervisebrowse.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace supervise {

class SupervisebrowseDialog : public QDialog {
    Q_OBJECT
public:
    explicit SupervisebrowseDialog(QWidget* parent = nullptr);

    QTableWidget* list() const { return m_list; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* exportButton() const { return m_export; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void showGrid();
    void exportReport();
    void printReport();

    widgets::QtMessenger m_messenger;
    DutyGrid m_grid;
    QTableWidget* m_list = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_export = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace supervise
