// One worksheet part of an .xlsx workbook into a Sheet: the cells of <sheetData> placed by
// their reference ("B3") or, where a producer leaves it out (LibreOffice, WPS), after the
// previous cell and row; each cell's text by its type: shared ("s") and inline strings,
// formula strings ("str"), booleans ("b": "TRUE"/"FALSE"), errors ("e", as "#N/A"), numbers
// in their shortest form. A formula without a cached value leaves its cell empty and is
// listed in formulasWithoutValue. Merged ranges need nothing: only their top-left cell has a
// value in the file. A reference beyond Excel's 1,048,576 rows or 16,384 columns is damage.
#pragma once

#include "exchange/Workbook.h"
#include "exchange/XlsxSharedStrings.h"

#include <string>

namespace exchange {

class XlsxSheetReader {
public:
    static constexpr int kExcelRows = 1048576;
    static constexpr int kExcelColumns = 16384;

    static Sheet read(const std::string& bytes, const std::string& partName, std::string name,
                      bool hidden, const XlsxSharedStrings& strings);
};

} // namespace exchange
