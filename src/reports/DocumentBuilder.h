// Builds a report document from its template's bytes and the report's table: copies the
// template once per page, trims it where the report asks for it, and writes every text over
// the template at its byte offset. Pure: no files, no Qt.
//
// Every text and number has a field: it starts at its offset and ends where the template's
// next frame character stands. Nothing is ever written past a field, so no value runs into
// its neighbour, over a rule or a border, or over a line's CR LF, and the bytes stay valid
// GBK. What happens to a value wider than its field depends on what it is:
//
//   field                                  offset (byte column)     width  too wide
//   weekly: name / 6 counts                2 / 12 + 6j (+44 right)  6 / 2  cut / error
//   monthly, term: name / 9 values         6 / 16 + 6j              6 / 2  cut / error
//   teacher list: cell of column c         2 + 8c                   6      cut
//   duty roster: cell j of a row           2 + 8j                   6      cut
//   timetables: class name / period cell   2 / 6 + 4j               6 / 2  cut / cut
//   lesson counts: teacher / subject       2 / 14                   10     cut
//   lesson counts: weekly count (digits)   26                       6      error
//
// - Texts (names, class names, headings, period cells) are cut at a character boundary, as
//   the program cuts names everywhere (a teacher's name holds 6 bytes; a period cell shows
//   its first character, and an empty or blank cell shows 自 of "自习").
// - Numbers are written as decimal digits without padding and are never cut: a number wider
//   than its field (below −9 or above 99) fails the build with a message naming the entry
//   and the column, since a cut number would be a wrong one.
// - Text GBK cannot encode fails the build with a message naming the field, whole: before
//   any cut and before a period cell's "自习" fill, so no part of it is ever dropped silently.
// A failed build returns no document, so nothing is written.
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
