// WorkbookImportDialog ("从工作簿导入", 系统设置 → 从工作簿导入…): the files chosen with
// 浏览… (one .xlsx or several .csv), the mode 替换 / 合并, the preview list (errors in red;
// choosing a problem's line shows its row below the list), a progress bar while the files
// are read and checked, and 导入 (enabled only when nothing is an error) and 关闭. All rules
// live in exchange::WorkbookImport. exportToWorkbook() is 系统设置 → 导出到工作簿…: the save
// dialog offers "学校数据 (*.xlsx)" and "空白模板 (*.xlsx)".
#pragma once

#include "exchange/WorkbookImport.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace exchange {

class WorkbookImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit WorkbookImportDialog(QWidget* parent = nullptr);

    // Reads and previews these files, as 浏览… does once they are chosen.
    void openFiles(const std::vector<std::filesystem::path>& files);

    const WorkbookImport& logic() const { return m_logic; }
    QLineEdit* filesEdit() const { return m_files; }
    QRadioButton* replaceButton() const { return m_replace; }
    QRadioButton* mergeButton() const { return m_merge; }
    QListWidget* preview() const { return m_preview; }
    QLabel* rowLabel() const { return m_row; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* closeButton() const { return m_close; }

    static void exportToWorkbook(QWidget* parent);

private:
    void browse();
    void showPlan();
    void importNow();

    widgets::QtMessenger m_messenger;
    WorkbookImport m_logic;
    std::vector<WorkbookImport::Line> m_lines;
    QLineEdit* m_files = nullptr;
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_merge = nullptr;
    QListWidget* m_preview = nullptr;
    QLabel* m_row = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace exchange
