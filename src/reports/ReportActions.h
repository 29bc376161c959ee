// What a report dialog calls for its "表格导出" and "打印" buttons: the export through the
// save-file dialog, and the print on the default printer, shown in Qt's print preview first;
// without a printer the same pages are offered as a PDF file, named in a save-file dialog.
// Messages, the finished notice under its own caption "提示" among them, go to the dialog's
// messenger. The working directory is the process's current directory unless given.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportExport.h"
#include "reports/ReportPrinter.h"

#include <filesystem>
#include <string>

class QWidget;

namespace reports {

inline constexpr const char* kPdfDialogTitle = "另存为 PDF 文件";

// The save-file dialog of the PDF written in place of a print.
SaveRequest pdfRequest(const std::filesystem::path& proposed);

class ReportActions {
public:
    ReportActions(QWidget* parent, ui::Messenger& messenger,
                  std::filesystem::path workDir = std::filesystem::current_path());

    ExportOutcome exportReport(ReportKind kind, const ReportTable& table);
    PrintOutcome printReport(ReportKind kind, const std::string& title, const ReportTable& table);

private:
    QWidget* m_parent;
    ui::Messenger& m_messenger;
    std::filesystem::path m_workDir;
};

} // namespace reports
