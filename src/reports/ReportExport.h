// "表格导出": asks for a file name and writes a report document there.
//
// exportReport() builds the document first (a missing or short template, or text GBK
// cannot encode, is reported and nothing is asked or written), then asks the chooser with
// the report's dialog title and default path, then, for the kinds that have it, probes
// the chosen path, and writes the document over the file. A path where no document may go
// (a device, a FIFO, a link leading nowhere, a database: DocumentFile.h) is refused with its
// name, before the probe. Errors go to the messenger; success says nothing. Nothing is
// written, created or removed when anything fails or the user cancels.
#pragma once

#include "core/Messenger.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace reports {

// What the save-file dialog is opened with.
struct SaveRequest {
    std::string title;                 // UTF-8
    std::filesystem::path defaultPath; // initial file name
    // The filters offered, the first one chosen: the report files (so the proposed .wps
    // shows), the text files, every file.
    std::vector<std::string> filters = {"报表文件 (*.wps *.txt)", "文本文件(*.txt)",
                                        "所有文件 (*)"};
    std::string defaultSuffix = "txt"; // appended to a name given without extension
};

// The save-file dialog. The implementation asks before an existing file is overwritten and
// returns the chosen path, or nullopt when the user cancels.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    virtual std::optional<std::filesystem::path> chooseSaveFile(const SaveRequest& request) = 0;
};

enum class ExportOutcome { Written, Cancelled, Failed };

SaveRequest saveRequestFor(ReportKind kind, const std::filesystem::path& workDir);

ExportOutcome exportReport(ReportKind kind, const ReportTable& table,
                           const std::filesystem::path& workDir, SaveFileChooser& chooser,
                           ui::Messenger& messenger);

} // namespace reports
