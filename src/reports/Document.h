// A report document: whole template copies (pages) with the report's texts written over
// them, in GBK, exactly the bytes an export writes; plus which lines of which pages a print
// draws. Built by DocumentBuilder; holds no reference to its table.
#pragma once

#include "reports/ReportLayout.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace reports {

struct PrintedPage {
    int page = 0;  // page index from 0
    int lines = 0; // lines 0 … lines − 1 are drawn
};

struct Document {
    ReportKind kind = ReportKind::Weekly;
    std::string bytes; // GBK, pageCount() × the template's size
    std::vector<PrintedPage> printed;

    std::size_t pageBytes() const { return layoutOf(kind).templateSize; }
    int lineBytes() const { return layoutOf(kind).lineBytes; }
    int pageCount() const { return static_cast<int>(bytes.size() / pageBytes()); }
    std::string_view page(int index) const {
        return std::string_view(bytes).substr(static_cast<std::size_t>(index) * pageBytes(),
                                              pageBytes());
    }
    // Line `line` of page `index`, CR LF included.
    std::string_view line(int index, int line) const {
        return page(index).substr(static_cast<std::size_t>(line * lineBytes()),
                                  static_cast<std::size_t>(lineBytes()));
    }
};

} // namespace reports
