#include "reports/ReportActions.h"

#include "reports/SaveFileDialog.h"

namespace reports {

ReportActions::ReportActions(QWidget* parent, ui::Messenger& messenger,
                             std::filesystem::path workDir)
    : m_parent(parent), m_messenger(messenger), m_workDir(std::move(workDir)) {}

ExportOutcome ReportActions::exportReport(ReportKind kind, const ReportTable& table) {
    SaveFileDialog chooser(m_parent);
    return reports::exportReport(kind, table, m_workDir, chooser, m_messenger);
}

PrintOutcome ReportActions::printReport(ReportKind kind, const std::string& title,
                                        const ReportTable& table) {
    ReportPrinter printer(m_messenger);
    return printer.print(kind, title, table, m_workDir);
}

} // namespace reports
