#include "maintain/TimetableTeachers.h"

#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/DbError.h"
#include "timetable/TimetableRules.h"

#include <cstddef>

namespace maintain {

namespace {

// The row with its swapped cells, and how many there are.
int swapCells(store::GradelessonRow& row, const TeacherSwaps& swaps) {
    const auto swap = swaps.find(row.number / 100);
    int changed = 0;
    for (int day = 0; swap != swaps.end() && day < school::kDays; ++day) {
        std::string& cell = row.days[static_cast<std::size_t>(day)];
        const auto to = swap->second.find(cell);
        if (to != swap->second.end()) {
            cell = to->second;
            ++changed;
        }
    }
    return changed;
}

} // namespace

int replaceInTimetable(const TeacherSwaps& swaps, store::RecordSet& plans) {
    store::CGLRecord records;
    records.shareConnectionOf(plans);
    const std::vector<store::GradelessonRow> rows = records.readAll();
    int changed = 0;
    if (!rows.empty()) {
        records.moveFirst();
    }
    for (const store::GradelessonRow& row : rows) {
        store::GradelessonRow replaced = row;
        if (const int cells = swapCells(replaced, swaps); cells > 0) {
            changed += cells;
            records.edit();
            records.setCurrent(replaced);
            records.update();
        }
        records.moveNext();
    }
    records.close();
    return changed;
}

int cellsToReplace(const TeacherSwaps& swaps) {
    int cells = 0;
    for (store::GradelessonRow row : store::CGLRecord().readAll()) {
        cells += swapCells(row, swaps);
    }
    return cells;
}

std::vector<std::string> clashLines(const school::SchoolTimetable& teachers,
                                    const std::set<std::string>& names, int grade,
                                    std::optional<int> position) {
    std::vector<std::string> lines;
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            std::set<std::string> listed;
            for (int c = 0; c < school::kMaxClasses; ++c) {
                const std::string& text = teachers.cell(grade, c, d, p);
                if ((position && c != *position) || names.count(text) == 0 ||
                    !listed.insert(text).second) {
                    continue;
                }
                const std::vector<timetable::ClassRef> holders =
                    timetable::holdersOf(teachers, d, p, text);
                if (holders.size() < 2) {
                    continue;
                }
                std::string line =
                    text + " " + std::string(school::kDayNames[static_cast<std::size_t>(d)]) +
                    std::string(school::kPeriodNames[static_cast<std::size_t>(p - 1)]) + "：";
                for (std::size_t i = 0; i < holders.size(); ++i) {
                    line += (i == 0 ? "" : "、") +
                            teachers.cell(holders[i].grade, holders[i].position, 0, 0);
                }
                lines.push_back(std::move(line));
            }
        }
    }
    return lines;
}

} // namespace maintain
