#include "exchange/Workbook.h"

namespace exchange {

const std::string& Sheet::cell(int row, int column) const {
    static const std::string empty;
    if (row < 1 || column < 1 || static_cast<std::size_t>(row) > rows.size())
        return empty;
    const auto& cells = rows[static_cast<std::size_t>(row - 1)];
    if (static_cast<std::size_t>(column) > cells.size())
        return empty;
    return cells[static_cast<std::size_t>(column - 1)];
}

const Sheet* Workbook::sheet(const std::string& name) const {
    for (const Sheet& s : sheets) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

std::string cellName(CellPlace place) {
    std::string letters;
    for (int c = place.column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(place.row);
}

} // namespace exchange
