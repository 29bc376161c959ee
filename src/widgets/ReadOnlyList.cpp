#include "widgets/ReadOnlyList.h"

#include "widgets/TextConvert.h"

#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTableWidget>

namespace widgets {
namespace {

int unitWidth(const QWidget* parent, int units) {
    return parent->fontMetrics().averageCharWidth() * units / 4;
}

QTableWidget* newList(QWidget* parent, int defaultWidth) {
    auto* list = new QTableWidget(parent);
    list->verticalHeader()->hide();
    list->setShowGrid(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setDefaultSectionSize(defaultWidth);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return list;
}

// A list that asks for more than a laptop screen scrolls inside its dialog instead: the room
// it reserves stops at kMaxListWidth × kMaxListHeight, its columns keep their widths.
void reserve(QTableWidget* list, int width, int shownRows) {
    const int frame =
        2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted(width + frame, list->horizontalHeader()->sizeHint().height() +
                                          shownRows * list->verticalHeader()->defaultSectionSize() +
                                          frame);
    list->setMinimumSize(wanted.boundedTo(QSize(kMaxListWidth, kMaxListHeight)));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

QTableWidget* makeReadOnlyList(QWidget* parent, int units, int shownColumns, int shownRows) {
    const int width = unitWidth(parent, units);
    QTableWidget* list = newList(parent, width);
    reserve(list, shownColumns * width, shownRows);
    return list;
}

QTableWidget* makeReadOnlyList(QWidget* parent, const std::vector<std::string>& headings,
                               const std::vector<int>& units, int shownRows) {
    QTableWidget* list = newList(parent, unitWidth(parent, units.empty() ? 60 : units.front()));
    setListHeadings(list, headings);
    int width = 0;
    for (std::size_t c = 0; c < units.size() && c < headings.size(); ++c) {
        list->setColumnWidth(static_cast<int>(c), unitWidth(parent, units[c]));
        width += unitWidth(parent, units[c]);
    }
    reserve(list, width, shownRows);
    return list;
}

void setListHeadings(QTableWidget* list, const std::vector<std::string>& headings) {
    QStringList labels;
    for (const std::string& heading : headings) {
        labels.append(toQString(heading));
    }
    list->setColumnCount(static_cast<int>(headings.size()));
    list->setHorizontalHeaderLabels(labels);
}

void showListRows(QTableWidget* list, const std::vector<std::vector<std::string>>& rows,
                  int centredFrom) {
    list->clearContents();
    list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < list->rowCount(); ++r) {
        const std::vector<std::string>& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < list->columnCount() && c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(toQString(cells[static_cast<std::size_t>(c)]));
            if (centredFrom >= 0 && c >= centredFrom) {
                item->setTextAlignment(Qt::AlignCenter);
            }
            list->setItem(r, c, item);
        }
    }
}

} // namespace widgets
