// The read-only list the statistics dialogs show their counts in: column headings, grid lines,
// whole-row selection, no editing, column widths in dialog units (a horizontal dialog unit is a
// quarter of the average character width) and room for 16 rows. For the dialogs' widget code
// only.
#pragma once

#include "widgets/TextConvert.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

#include <string>
#include <vector>

namespace attendance {

inline QTableWidget* makeStatisticsList(QWidget* parent, const std::vector<std::string>& headings,
                                        const std::vector<int>& units) {
    constexpr int kShownRows = 16;
    auto* list = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    QStringList labels;
    for (const std::string& heading : headings) {
        labels.append(widgets::toQString(heading));
    }
    list->setHorizontalHeaderLabels(labels);
    list->verticalHeader()->hide();
    list->setShowGrid(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int unit = parent->fontMetrics().averageCharWidth();
    int width = 0;
    for (std::size_t c = 0; c < units.size() && c < headings.size(); ++c) {
        list->setColumnWidth(static_cast<int>(c), unit * units[c] / 4);
        width += unit * units[c] / 4;
    }
    list->setMinimumSize(width + 2 * list->frameWidth() + 24,
                         list->horizontalHeader()->sizeHint().height() +
                             kShownRows * list->verticalHeader()->defaultSectionSize() +
                             2 * list->frameWidth());
    return list;
}

// Shows the rows, each a text per column, in place of what the list showed: the name on the
// left, the counts centred under their headings.
inline void showStatisticsRows(QTableWidget* list,
                               const std::vector<std::vector<std::string>>& rows) {
    list->clearContents();
    list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < list->rowCount(); ++r) {
        const std::vector<std::string>& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < list->columnCount() && c < static_cast<int>(cells.size()); ++c) {
            auto* item =
                new QTableWidgetItem(widgets::toQString(cells[static_cast<std::size_t>(c)]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (c > 0) {
                item->setTextAlignment(Qt::AlignCenter); // the counts under the name
            }
            list->setItem(r, c, item);
        }
    }
}

} // namespace attendance
