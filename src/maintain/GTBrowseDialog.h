// GTBrowseDialog ("年段任课教师浏览"): a read-only list with the column "班级" and one column per
// course of the chosen grade, one row per class; below it "年   段" (the six grades, nothing
// chosen at first) and the buttons 表格导出 (the grade teacher list into a file), 打印 (the
// same list on the default printer), 确定 and 取消 (both only close). Choosing a grade reads
// the list afresh; a failure shows the driver's text and leaves the list empty. All rules live
// in maintain::GTBrowse; this class shows its list and hands its document to the report
// module. It writes no table.
#pragma once

#include "maintain/GTBrowse.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace maintain {

class GTBrowseDialog : public QDialog {
    Q_OBJECT
public:
    explicit GTBrowseDialog(QWidget* parent = nullptr);

    QTableWidget* list() const { return m_list; }
    QComboBox* gradeBox() const { return m_grade; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* printButton() const { return m_print; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void chooseGrade(int index);
    void showList();
    void exportReport();
    void printReport();

    widgets::QtMessenger m_messenger;
    GTBrowse m_logic;
    QTableWidget* m_list = nullptr;
    QComboBox* m_grade = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_print = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace maintain
