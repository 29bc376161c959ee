#include "reports/ReportActions.h"

#include "reports/SaveFileDialog.h"

namespace reports {

SaveRequest pdfRequest(const std::filesystem::path& proposed) {
    return {kPdfDialogTitle, proposed, {"PDF 文件 (*.pdf)", "所有文件 (*)"}, "pdf"};
}

ReportActions::ReportActions(QWidget* parent, ui::Messenger& messenger,
                             std::filesystem::path workDir)
    : m_parent(parent), m_messenger(messenger), m_workDir(std::move(workDir)) {}

ExportOutcome ReportActions::exportReport(ReportKind kind, const ReportTable& table) {
    SaveFileDialog chooser(m_parent);
    return reports::exportReport(kind, table, m_workDir, chooser, m_messenger);
}

PrintOutcome ReportActions::printReport(ReportKind kind, const std::string& title,
                                        const ReportTable& table) {
    ReportPrinter::Options options;
    options.preview = true;
    options.parent = m_parent;
    options.choosePdf = [this](const std::filesystem::path& proposed) {
        SaveFileDialog chooser(m_parent);
        return chooser.chooseSaveFile(pdfRequest(proposed));
    };
    ReportPrinter printer(m_messenger, std::move(options));
    return printer.print(kind, title, table, m_workDir);
}

} // namespace reports
