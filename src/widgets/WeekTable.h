// The read-only week of the timetable windows: one column per day under the given headings,
// the rows labelled "第一节" … "第七节", grid lines, whole-row selection, no editing. A cell
// holds up to two lines (a course over its teacher, a class over its course). The table
// always asks for the room to show every day and period at its font without scrolling:
// columns are at least the given width and wide enough for four Chinese characters, rows tall
// enough for two lines.
#pragma once

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace widgets {

QTableWidget* makeWeekTable(QWidget* parent);

// Sets the day columns (and so their number) and sizes the table to show them all; with
// `hiddenColumn` one more column with an empty heading follows, kept out of sight.
void setWeekDays(QTableWidget* table, const std::vector<std::string>& days, int columnWidth,
                 bool hiddenColumn = false);

// Shows the text of day column `day` (from 0), period 1..7, centred.
void setWeekCell(QTableWidget* table, int day, int period, const std::string& text);

} // namespace widgets
