#include "reports/ReportExport.h"

#include "reports/DocumentBuilder.h"
#include "reports/DocumentFile.h"
#include "reports/TemplateFile.h"

namespace reports {

SaveRequest saveRequestFor(ReportKind kind, const std::filesystem::path& workDir) {
    const ReportLayout& layout = layoutOf(kind);
    SaveRequest request;
    request.title = std::string(layout.exportTitle);
    request.defaultPath = workDir / layout.exportDefault;
    return request;
}

ExportOutcome exportReport(ReportKind kind, const ReportTable& table,
                           const std::filesystem::path& workDir, SaveFileChooser& chooser,
                           ui::Messenger& messenger) {
    const TemplateResult tpl = readTemplate(kind, workDir);
    if (!tpl.error.empty()) {
        messenger.error(tpl.error);
        return ExportOutcome::Failed;
    }
    const BuildResult built = buildDocument(kind, table, tpl.bytes);
    if (!built) {
        messenger.error(built.error);
        return ExportOutcome::Failed;
    }
    const std::optional<std::filesystem::path> target =
        chooser.chooseSaveFile(saveRequestFor(kind, workDir));
    if (!target) {
        return ExportOutcome::Cancelled;
    }
    if (layoutOf(kind).exclusiveProbe) {
        if (const std::string error = probeFile(*target, workDir); !error.empty()) {
            messenger.error(error);
            return ExportOutcome::Failed;
        }
    }
    if (const std::string error = writeFile(*target, built.document->bytes, workDir);
        !error.empty()) {
        messenger.error(error);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

} // namespace reports
