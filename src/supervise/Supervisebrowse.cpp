#include "supervise/Supervisebrowse.h"

#include "core/Gbk.h"
#include "reports/ReportTitles.h"
#include "supervise/DutyTimes.h"

#include <algorithm>
#include <array>

namespace supervise {
namespace {

constexpr std::size_t kCellBytes = 8;
// 周五晚, 周六早, 周六晚, 周日早: heading cells 10 … 13.
constexpr std::array<std::size_t, 4> kRareCells{10, 11, 12, 13};

bool anyTeacherIn(const DutyGrid& grid, std::size_t cell) {
    return std::any_of(grid.begin() + 1, grid.end(),
                       [cell](const auto& row) { return !gbk::isBlank(row[cell]); });
}

} // namespace

DutyGrid dutyGrid(std::span<const store::SuperviseRow> rows) {
    DutyGrid grid(1, std::vector<std::string>(kGridCells));
    grid[0][0] = "班级";
    for (std::size_t t = 0; t < kDutyTimes.size(); ++t) {
        grid[0][t + 1] = kDutyTimes[t];
    }
    for (const store::SuperviseRow& row : rows) {
        const std::string className = gbk::cut(row.className, kCellBytes);
        if (gbk::isBlank(className)) {
            continue;
        }
        auto found = std::find_if(grid.begin() + 1, grid.end(),
                                  [&](const auto& cells) { return cells[0] == className; });
        if (found == grid.end()) {
            grid.emplace_back(kGridCells);
            grid.back()[0] = className;
            found = grid.end() - 1;
        }
        const auto time = std::find(kDutyTimes.begin(), kDutyTimes.end(), row.time);
        if (time != kDutyTimes.end()) {
            (*found)[static_cast<std::size_t>(time - kDutyTimes.begin()) + 1] =
                gbk::cut(row.teacher, kCellBytes);
        }
    }
    // Drop the unused rare times, the rightmost first, so that the cells still to be looked
    // at keep their places.
    for (auto cell = kRareCells.rbegin(); cell != kRareCells.rend(); ++cell) {
        if (anyTeacherIn(grid, *cell)) {
            continue;
        }
        for (std::vector<std::string>& cells : grid) {
            cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(*cell));
            cells.emplace_back();
        }
    }
    return grid;
}

DutyGrid readDutyGrid() {
    store::CSORecord records;
    const std::vector<store::SuperviseRow> rows = records.readAll();
    records.close();
    return dutyGrid(rows);
}

std::vector<std::string> shownHeadings(const DutyGrid& grid) {
    std::vector<std::string> headings;
    for (const std::string& heading : grid.front()) {
        if (gbk::isBlank(heading)) {
            break;
        }
        headings.push_back(heading);
    }
    return headings;
}

reports::ReportTable dutyRosterTable(const DutyGrid& grid) {
    reports::ReportTable table;
    table.grid = grid;
    return table;
}

std::string dutyRosterPrintTitle(const DutyGrid& grid) {
    return reports::dutyRosterTitle(grid.front().front());
}

} // namespace supervise
