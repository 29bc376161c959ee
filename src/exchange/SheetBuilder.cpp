#include "exchange/SheetBuilder.h"

#include "exchange/WorkbookReader.h"

#include <utility>

namespace exchange {

SheetBuilder::SheetBuilder(std::string name, bool hidden) {
    m_sheet.name = std::move(name);
    m_sheet.hidden = hidden;
}

void SheetBuilder::put(int row, int column, std::string text) {
    if (text.empty())
        return;
    if (row < 1 || column < 1)
        throw ReadError("工作表“" + m_sheet.name + "”的单元格位置有误");
    if (row > kMaxRows)
        throw ReadError("工作表“" + m_sheet.name + "”超过 " + std::to_string(kMaxRows) +
                        " 行（第 " + std::to_string(row) + " 行有内容）");
    if (column > kMaxColumns)
        throw ReadError("工作表“" + m_sheet.name + "”超过 " + std::to_string(kMaxColumns) +
                        " 列（第 " + std::to_string(row) + " 行）");
    auto& rows = m_sheet.rows;
    const auto r = static_cast<std::size_t>(row - 1);
    const auto c = static_cast<std::size_t>(column - 1);
    if (r >= rows.size())
        rows.resize(r + 1);
    auto& cells = rows[r];
    if (c >= cells.size()) {
        m_cells += c + 1 - cells.size();
        if (m_cells > kMaxCells)
            throw ReadError("工作表“" + m_sheet.name + "”太大（超过 " + std::to_string(kMaxCells) +
                            " 个单元格）");
        cells.resize(c + 1);
    }
    cells[c] = std::move(text);
}

void SheetBuilder::addFormulaWithoutValue(CellPlace place) {
    m_sheet.formulasWithoutValue.push_back(place);
}

Sheet SheetBuilder::take() {
    return std::move(m_sheet);
}

} // namespace exchange
