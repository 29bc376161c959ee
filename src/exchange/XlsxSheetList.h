// Where an .xlsx workbook keeps its sheets: the workbook part (found through _rels/.rels,
// xl/workbook.xml when that names none), its sheets in the order the user sees them with
// their names and whether they are hidden, each sheet's part (through the workbook's
// relationships, targets relative or absolute), and the shared-strings part if there is one.
// An archive without a workbook part is no workbook; a sheet without a part is damage.
#pragma once

#include "exchange/XlsxArchive.h"

#include <string>
#include <vector>

namespace exchange {

struct XlsxSheetList {
    struct Entry {
        std::string name;
        bool hidden = false;
        std::string part;
    };
    std::vector<Entry> sheets;
    std::string sharedStringsPart; // "" when the workbook has none

    static XlsxSheetList read(XlsxArchive& archive);
};

} // namespace exchange
