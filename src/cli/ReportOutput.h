// Writing a report document from the command line, as the report dialogs do: -o writes the
// GBK document as "表格导出" does (the file given stands in for the save dialog's answer and
// is replaced when it exists), --pdf draws the pages as "打印" does, into a PDF file. Both
// use the templates in tavlen/ under the working directory, and both refuse, naming it, a
// path where no document may go (a device, a FIFO, a link leading nowhere, the database:
// reports/DocumentFile.h).
#pragma once

#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace cli {

struct ReportTargets {
    std::optional<std::filesystem::path> output; // -o
    std::optional<std::filesystem::path> pdf;    // --pdf
};

// Writes the table's document to each target given; title (UTF-8) heads the printed page.
// What is done goes to out; errors go to err, each after prefix ("tavlen-cli report: ").
// Returns the exit code: 0, or 1 at the first target that fails.
int writeReport(reports::ReportKind kind, const reports::ReportTable& table,
                const std::string& title, const ReportTargets& targets, const std::string& prefix,
                std::ostream& out, std::ostream& err);

} // namespace cli
