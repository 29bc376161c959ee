// The shared-strings table of an .xlsx workbook (xl/sharedStrings.xml): every <si> in order,
// its text with rich-text runs joined and phonetic guides left out. A cell naming an index
// beyond the table is damage.
#pragma once

#include <string>
#include <vector>

namespace exchange {

class XlsxXml;

class XlsxSharedStrings {
public:
    XlsxSharedStrings() = default;
    XlsxSharedStrings(const std::string& bytes, const std::string& partName);

    // The string a cell's value names; throws ReadError (through the cell's part) when the
    // value is no index into the table.
    const std::string& at(const std::string& value, const XlsxXml& cellPart) const;

private:
    std::vector<std::string> m_strings;
};

} // namespace exchange
