// WeekworkDialog ("教师周课时一览表"): a read-only list with the columns 教师, 学科 and 周课时
// (grid lines, whole-row selection, one row per roster entry) and the buttons 重新统计 (count
// again from the tables), 表格导出 (the list as a GBK text table, through the save-file
// dialog), 打印 (the same table on the default printer), 确定 and 取消 (both only close).
// All counting lives in maintain::Weekwork; this class shows its entries.
//
// Constructing it counts (a store::DbError propagates to the command loop). run() is the menu
// command: without teacher names it shows the reason and the dialog never opens. A recount
// that fails shows the error and keeps the list shown before.
#pragma once

#include "maintain/Weekwork.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace widgets {
class DialogButtons;
}

namespace maintain {

class WeekworkDialog : public QDialog {
    Q_OBJECT
public:
    explicit WeekworkDialog(QWidget* parent = nullptr);

    static void run(QWidget* parent);

    const Weekwork& logic() const { return m_logic; }
    QTableWidget* table() const { return m_table; }
    QPushButton* recountButton() const { return m_recount; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* printButton() const { return m_print; }
    widgets::DialogButtons* buttons() const { return m_buttons; }

private:
    void recount();
    void showEntries();
    void exportList();
    void printList();

    widgets::QtMessenger m_messenger;
    Weekwork m_logic;
    QTableWidget* m_table = nullptr;
    QPushButton* m_recount = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_print = nullptr;
    widgets::DialogButtons* m_buttons = nullptr;
};

} // namespace maintain
