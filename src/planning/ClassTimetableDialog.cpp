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

} // namespace

ClassTimetableDialog::ClassTimetableDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    m_table = new QTableWidget(ClassTimetable::kPeriods, 0, this);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setShowGrid(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);

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

void ClassTimetableDialog::run(const ClassTimetable::ReviewWeek& week, QWidget* parent) {
    ClassTimetableDialog dialog(parent);
    dialog.setWeek(week);
    dialog.exec();
}

void ClassTimetableDialog::setWeek(const ClassTimetable::Week& week) {
    m_logic.setWeek(week);
    showWeek();
}

void ClassTimetableDialog::setWeek(const ClassTimetable::ReviewWeek& week) {
    m_logic.setWeek(week);
    showWeek();
}

// The day columns, 60 pixels each, and after them one empty column kept out of sight.
void ClassTimetableDialog::showWeek() {
    const int days = m_logic.dayCount();
    const int hidden = days;
    m_table->setColumnCount(days + 1);
    QStringList headings;
    for (const std::string& name : m_logic.dayNames()) {
        headings.append(toQString(name));
    }
    headings.append(QString());
    m_table->setHorizontalHeaderLabels(headings);
    for (int column = 0; column < days; ++column) {
        // a column hidden for an earlier, shorter week (the empty one after five days) shows
        // a day again
        m_table->setColumnHidden(column, false);
        m_table->setColumnWidth(column, kColumnWidth);
    }
    m_table->setColumnWidth(hidden, 0);
    m_table->setColumnHidden(hidden, true);
    m_table->setMinimumWidth(days * kColumnWidth + 2 * m_table->frameWidth() + 4);
    for (int period = 1; period <= ClassTimetable::kPeriods; ++period) {
        for (int day = 1; day <= days; ++day) {
            m_table->setItem(period - 1, day - 1,
                             new QTableWidgetItem(toQString(m_logic.cell(period, day))));
        }
        m_table->setItem(period - 1, hidden, new QTableWidgetItem());
    }
    setWindowTitle(toQString(m_logic.title()));
}

} // namespace planning
