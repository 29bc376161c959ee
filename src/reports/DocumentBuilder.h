// Builds a report document from its template's bytes and the report's table: copies the
// template once per page, trims it where the report asks for it, and writes every text over
// the template at its byte offset. Pure: no files, no Qt.
//
// Texts are written without padding and without terminator, numbers as decimal digits; a
// text longer than its field runs on into the following bytes, but never over a line's
// CR LF (it is cut there at a character boundary). Text that GBK cannot encode fails the
// build, so it never reaches a file.
#pragma once

#include "reports/Document.h"
#include "reports/ReportTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace reports {

struct BuildResult {
    std::optional<Document> document;
    std::string error; // UTF-8, set when document is empty

    explicit operator bool() const { return document.has_value(); }
};

// templateBytes must hold at least the template's size; bytes past it are ignored.
BuildResult buildDocument(ReportKind kind, const ReportTable& table,
                          std::string_view templateBytes);

} // namespace reports
