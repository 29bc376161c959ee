// Reads a report's template from the data directory "tavlen/" under the working directory.
// The program never creates or changes a template; a missing template, one shorter than its
// size, or one that is not a regular file (a folder, a FIFO, a device: never opened in a way
// that could wait) is an error with a message naming the file.
#pragma once

#include "reports/ReportLayout.h"

#include <filesystem>
#include <string>

namespace reports {

struct TemplateResult {
    std::string bytes; // exactly the template's size when error is empty
    std::string error; // UTF-8
};

std::filesystem::path templatePath(ReportKind kind, const std::filesystem::path& workDir);

TemplateResult readTemplate(ReportKind kind, const std::filesystem::path& workDir);

// The frame of a kind without a template file, in GBK; empty for the other kinds.
std::string builtInTemplate(ReportKind kind);

} // namespace reports
