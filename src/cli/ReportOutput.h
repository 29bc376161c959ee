// Writing a report document from the command line, as the report dialogs do: -o writes the
// GBK document as "表格导出" does (the file given stands in for the save dialog's answer and
// is replaced when it exists), --pdf draws the pages as "打印" does, into a PDF file. Both
// use the templates in tavlen/ under the working directory, and both refuse, naming it, a
// path where no document may go (a device, a FIFO, a link leading nowhere, the database:
// reports/DocumentFile.h).
//
// Everything is checked before anything is written: a kind that is never printed refuses
// --pdf, -o and --pdf may not name the same file, and neither may name a file the command
// reads (the data file of `report`, under any name or link) nor anything in tavlen/ under
// the working directory, which holds the database and the templates every document is built
// from. Each refusal names the file; nothing is written then.
#pragma once

#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGuiApplication;

namespace cli {

// Drawing pages (a PDF) needs a GUI application object: when the process has none, one on
// the offscreen platform unless QT_QPA_PLATFORM names another, held for as long as the
// result lives; empty when there is one already.
std::unique_ptr<QGuiApplication> drawingApplication();

// The help of --title: what is done with a title wider than the page.
inline constexpr const char* kTitleHelp =
    "打印的标题；比页宽长的标题在字的边界处截短，并在标准错误上说明";

struct ReportTargets {
    std::optional<std::filesystem::path> output; // -o
    std::optional<std::filesystem::path> pdf;    // --pdf
    std::vector<std::filesystem::path> inputs;   // the files the command reads
};

// Writes the table's document to each target given; title (UTF-8) heads the printed page.
// What is done goes to out; errors go to err, each after prefix ("tavlen-cli report: ").
// Returns the exit code: 0, or 1 at the first target that fails.
int writeReport(reports::ReportKind kind, const reports::ReportTable& table,
                const std::string& title, const ReportTargets& targets, const std::string& prefix,
                std::ostream& out, std::ostream& err);

} // namespace cli
