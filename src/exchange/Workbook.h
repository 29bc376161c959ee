// A workbook as the import reads it, whatever file it came from (an .xlsx workbook or one
// .csv file a sheet): sheets in file order, each a grid of cell texts. A cell holds what the
// file shows: a shared or inline string as it is, a number in its shortest exact decimal
// form ("5", "2.5"; a whole number never as "5.0"), a boolean as "TRUE"/"FALSE", a formula's
// cached value (none: the cell is empty and its place is in formulasWithoutValue), a date
// stored as a number as that number. Rows and columns count from 1, as the file and the user
// count them; rows a file skips come back as empty rows, so a row's number is its index + 1.
// All text is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace exchange {

struct CellPlace {
    int row = 0;    // 1..
    int column = 0; // 1..
    friend bool operator==(const CellPlace&, const CellPlace&) = default;
};

struct Sheet {
    std::string name;
    bool hidden = false;
    std::vector<std::vector<std::string>> rows; // rows[r][c] is row r + 1, column c + 1
    std::vector<CellPlace> formulasWithoutValue;

    // "" outside the grid.
    const std::string& cell(int row, int column) const;
};

struct Workbook {
    std::vector<Sheet> sheets;
    // The sheet of this name, or null.
    const Sheet* sheet(const std::string& name) const;
};

// "A1" for row 1, column 1; "AA10" for row 10, column 27.
std::string cellName(CellPlace place);

} // namespace exchange
