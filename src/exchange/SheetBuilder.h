// Collects the cells of one sheet as a reader meets them (in any order) into a Sheet, within
// the bounds a school's workbook never needs to pass: at most kMaxRows rows and kMaxCells
// cells kept in all. Only cells with text take room: empty cells, and empty rows after the
// last row with text, are not kept, so a styled but empty cell far down costs nothing. A cell
// with text beyond the bounds throws ReadError (the sheet is refused, never cut short).
#pragma once

#include "exchange/Workbook.h"

#include <cstddef>
#include <string>

namespace exchange {

class SheetBuilder {
public:
    static constexpr int kMaxRows = 100000;
    static constexpr int kMaxColumns = 16384; // Excel's last column, XFD
    static constexpr std::size_t kMaxCells = 5000000;

    explicit SheetBuilder(std::string name, bool hidden = false);

    // Row and column from 1. Empty text is ignored.
    void put(int row, int column, std::string text);
    void addFormulaWithoutValue(CellPlace place);

    Sheet take();

private:
    Sheet m_sheet;
    std::size_t m_cells = 0;
};

} // namespace exchange
