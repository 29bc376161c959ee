#include "arrange/GridEditor.h"

namespace arrange {

std::string periodName(int period) {
    return std::string(school::kPeriodNames[static_cast<std::size_t>(period - 1)]);
}

std::string dayName(int day) {
    return std::string(school::kDayNames[static_cast<std::size_t>(day)]);
}

void markClash(GridCell& cell, const std::string& teacher, const std::vector<std::string>& others) {
    std::string names;
    for (std::size_t i = 0; i < others.size(); ++i) {
        names += (i == 0 ? "" : "、") + others[i];
    }
    cell.tooltip += (cell.tooltip.empty() ? "" : "\n") + teacher + "同时在" + names + "上课";
    cell.mark = CellMark::Clash;
}

std::string notSolvedText(const std::string& lead, const std::vector<std::string>& causes,
                          const std::vector<std::string>& violations) {
    std::string text = lead;
    for (const auto* lines : {&causes, &violations}) {
        for (const std::string& line : *lines) {
            text += "\n" + line;
        }
    }
    return text;
}

} // namespace arrange
