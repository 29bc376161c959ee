#include "widgets/WeekTable.h"

#include "core/SchoolNames.h"
#include "widgets/TextConvert.h"

#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace widgets {
namespace {

// Room for two lines and the cell's margins.
int rowHeight(const QTableWidget* table) {
    return 2 * table->fontMetrics().lineSpacing() + 8;
}

void fit(QTableWidget* table) {
    const int frame = 2 * table->frameWidth();
    table->setMinimumSize(
        table->verticalHeader()->sizeHint().width() + table->horizontalHeader()->length() + frame,
        table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length() + frame);
}

} // namespace

QTableWidget* makeWeekTable(QWidget* parent) {
    auto* table = new QTableWidget(school::kPeriods, 0, parent);
    QStringList periods;
    for (const std::string_view name : school::kPeriodNames) {
        periods.append(toQString(std::string(name)));
    }
    table->setVerticalHeaderLabels(periods);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setShowGrid(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return table;
}

void setWeekDays(QTableWidget* table, const std::vector<std::string>& days, int columnWidth,
                 bool hiddenColumn) {
    const int count = static_cast<int>(days.size());
    table->verticalHeader()->setDefaultSectionSize(rowHeight(table));
    table->setColumnCount(count + (hiddenColumn ? 1 : 0));
    QStringList headings;
    for (const std::string& day : days) {
        headings.append(toQString(day));
    }
    if (hiddenColumn) {
        headings.append(QString());
        table->setColumnWidth(count, 0);
        table->setColumnHidden(count, true);
    }
    table->setHorizontalHeaderLabels(headings);
    const int width = std::max(
        columnWidth, table->fontMetrics().horizontalAdvance(QStringLiteral("四个汉字")) +
                         2 * table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8);
    for (int column = 0; column < count; ++column) {
        // a column hidden for an earlier, shorter week (the empty one after five days) shows
        // a day again
        table->setColumnHidden(column, false);
        table->setColumnWidth(column, width);
    }
    fit(table);
}

void setWeekCell(QTableWidget* table, int day, int period, const std::string& text) {
    auto* item = new QTableWidgetItem(toQString(text));
    item->setTextAlignment(Qt::AlignCenter);
    table->setItem(period - 1, day, item);
}

} // namespace widgets
