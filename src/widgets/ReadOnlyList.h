// The read-only lists of the browse and statistics dialogs: grid lines, whole-row selection,
// no editing, no row numbers, column widths in dialog units (a horizontal dialog unit is a
// quarter of the average character width).
#pragma once

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace widgets {

// The most room a list reserves, so that its dialog, controls included, opens whole on a
// 1366 × 768 screen; what does not fit scrolls.
constexpr int kMaxListWidth = 1120;
constexpr int kMaxListHeight = 480;

// A list whose columns are `units` wide by default, with room for `shownColumns` of them and
// `shownRows` rows before it scrolls (at most the room above).
QTableWidget* makeReadOnlyList(QWidget* parent, int units, int shownColumns, int shownRows = 16);

// A list with these headings, each column as wide as its units, room for all of them and
// `shownRows` rows.
QTableWidget* makeReadOnlyList(QWidget* parent, const std::vector<std::string>& headings,
                               const std::vector<int>& units, int shownRows = 16);

// Sets the headings (and so the number of columns).
void setListHeadings(QTableWidget* list, const std::vector<std::string>& headings);

// Shows the rows, a text per column, in place of what the list showed; the cells from column
// `centredFrom` on are centred (counts under their headings).
void showListRows(QTableWidget* list, const std::vector<std::vector<std::string>>& rows,
                  int centredFrom = -1);

} // namespace widgets
