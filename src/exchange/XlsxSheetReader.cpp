#include "exchange/XlsxSheetReader.h"

#include "exchange/SheetBuilder.h"
#include "exchange/XlsxNumber.h"
#include "exchange/XlsxXml.h"

#include <optional>

namespace exchange {

namespace {

// "B3" → row 3, column 2; nullopt when the text is no reference inside Excel's grid.
std::optional<CellPlace> parseReference(const std::string& reference) {
    std::size_t i = 0;
    int column = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 3)
        column = column * 26 + (reference[i++] - 'A' + 1);
    int row = 0;
    const std::size_t digitsFrom = i;
    while (i < reference.size() && reference[i] >= '0' && reference[i] <= '9' && i - digitsFrom < 7)
        row = row * 10 + (reference[i++] - '0');
    if (i != reference.size() || column < 1 || column > XlsxSheetReader::kExcelColumns || row < 1 ||
        row > XlsxSheetReader::kExcelRows)
        return std::nullopt;
    return CellPlace{row, column};
}

std::optional<int> parseRowNumber(const std::string& text) {
    const auto place = parseReference("A" + text);
    if (!place)
        return std::nullopt;
    return place->row;
}

struct CellContent {
    std::string type;
    std::string value;
    bool hasValue = false;
    bool hasFormula = false;
    std::string inlineText;
    bool hasInline = false;
};

// At <c>: its value, formula and inline string; leaves the reader at </c>.
CellContent readCell(XlsxXml& xml) {
    CellContent cell;
    cell.type = xml.attribute(u"t");
    while (xml.next() && !xml.isEnd(u"c")) {
        if (xml.isStart(u"v")) {
            cell.value = xml.elementText();
            cell.hasValue = true;
        } else if (xml.isStart(u"f")) {
            xml.elementText();
            cell.hasFormula = true;
        } else if (xml.isStart(u"is")) {
            cell.inlineText = xml.richText();
            cell.hasInline = true;
        }
    }
    return cell;
}

std::string cellText(const CellContent& cell, const XlsxSharedStrings& strings,
                     const XlsxXml& xml) {
    if (cell.type == "inlineStr")
        return cell.inlineText;
    if (cell.type == "s")
        return cell.hasValue ? strings.at(cell.value, xml) : std::string();
    if (cell.type == "str" || cell.type == "e" || cell.type == "d")
        return cell.value;
    if (cell.type == "b")
        return cell.value.empty() ? std::string()
                                  : (shortestNumber(cell.value) == "0" ? "FALSE" : "TRUE");
    return cell.value.empty() ? std::string() : shortestNumber(cell.value);
}

} // namespace

Sheet XlsxSheetReader::read(const std::string& bytes, const std::string& partName, std::string name,
                            bool hidden, const XlsxSharedStrings& strings) {
    SheetBuilder sheet(std::move(name), hidden);
    XlsxXml xml(bytes, partName);
    bool inData = false;
    int row = 0;
    int column = 0;
    while (xml.next()) {
        if (!inData) {
            inData = xml.isStart(u"sheetData");
            continue;
        }
        if (xml.isEnd(u"sheetData"))
            break;
        if (xml.isStart(u"row")) {
            if (xml.hasAttribute(u"r")) {
                const auto number = parseRowNumber(xml.attribute(u"r"));
                if (!number)
                    xml.fail("的行号“" + xml.attribute(u"r") + "”超出 Excel 的范围");
                row = *number;
            } else {
                ++row;
            }
            column = 0;
        } else if (xml.isStart(u"c")) {
            CellPlace place{row < 1 ? 1 : row, column + 1};
            if (xml.hasAttribute(u"r")) {
                const auto parsed = parseReference(xml.attribute(u"r"));
                if (!parsed)
                    xml.fail("的单元格位置“" + xml.attribute(u"r") + "”超出 Excel 的范围");
                place = *parsed;
            }
            if (place.column > kExcelColumns)
                xml.fail("的单元格超出 Excel 的 16384 列");
            row = place.row;
            column = place.column;
            const CellContent cell = readCell(xml);
            // A formula string may cache an empty text; any other empty value is none.
            const bool cached = cell.type == "str" ? cell.hasValue : !cell.value.empty();
            if (cell.hasFormula && !cached && !cell.hasInline)
                sheet.addFormulaWithoutValue(place);
            else
                sheet.put(place.row, place.column, cellText(cell, strings, xml));
        }
    }
    return sheet.take();
}

} // namespace exchange
