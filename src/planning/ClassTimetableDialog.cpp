#include "planning/ClassTimetableDialog.h"

#include "core/SchoolNames.h"
#include "widgets/DialogButtons.h"
#include "widgets/QtMessenger.h"
#include "widgets/TextConvert.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstddef>
#include <string>

namespace planning {
namespace {

using widgets::toQString;

constexpr int kColumnWidth = 60;
// The day columns and, after them, one empty column kept out of sight.
constexpr int kHiddenColumn = ClassTimetable::kDays;

} // namespace

ClassTimetableDialog::ClassTimetableDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    m_table = new QTableWidget(ClassTimetable::kPeriods, ClassTimetable::kDays + 1, this);
    QStringList headings;
    for (const std::string_view name : school::kDayNames) {
        headings.append(toQString(std::string(name)));
    }
    headings.append(QString());
    m_table->setHorizontalHeaderLabels(headings);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < ClassTimetable::kDays; ++column) {
        m_table->setColumnWidth(column, kColumnWidth);
    }
    m_table->setColumnWidth(kHiddenColumn, 0);
    m_table->setColumnHidden(kHiddenColumn, true);
    m_table->setShowGrid(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumWidth(ClassTimetable::kDays * kColumnWidth + 2 * m_table->frameWidth() + 4);

    // 确定 writes nothing here: both buttons only close the window.
    m_buttons =
        new widgets::DialogButtons(*this, m_messenger, {},
                                   widgets::DialogButtons::Buttons(widgets::DialogButtons::Ok |
                                                                   widgets::DialogButtons::Cancel));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_buttons);
    showWeek();
}

void ClassTimetableDialog::run(const ClassTimetable::Week& week, QWidget* parent) {
    ClassTimetableDialog dialog(parent);
    dialog.setWeek(week);
    dialog.exec();
}

void ClassTimetableDialog::setWeek(const ClassTimetable::Week& week) {
    m_logic.setWeek(week);
    showWeek();
}

void ClassTimetableDialog::showWeek() {
    for (int period = 1; period <= ClassTimetable::kPeriods; ++period) {
        for (int day = 1; day <= ClassTimetable::kDays; ++day) {
            m_table->setItem(period - 1, day - 1,
                             new QTableWidgetItem(toQString(m_logic.cell(period, day))));
        }
        m_table->setItem(period - 1, kHiddenColumn, new QTableWidgetItem());
    }
    setWindowTitle(toQString(m_logic.title()));
}

} // namespace planning
