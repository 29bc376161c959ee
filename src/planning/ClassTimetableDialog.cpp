#include "planning/ClassTimetableDialog.h"

#include "core/SchoolNames.h"
#include "publish/PageButtons.h"
#include "widgets/DialogButtons.h"
#include "widgets/QtMessenger.h"
#include "widgets/TextConvert.h"
#include "widgets/WeekTable.h"

#include <QHBoxLayout>
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
    m_table = widgets::makeWeekTable(this);

    // 确定 writes nothing here: both buttons only close the window.
    m_buttons =
        new widgets::DialogButtons(*this, m_messenger, {},
                                   widgets::DialogButtons::Buttons(widgets::DialogButtons::Ok |
                                                                   widgets::DialogButtons::Cancel));

    m_pageButtons =
        new publish::PageButtons(this, m_messenger, [this](std::string&) { return m_page; });
    m_pageButtons->hide();
    auto* row = new QHBoxLayout;
    row->addWidget(m_pageButtons);
    row->addStretch(1);
    row->addWidget(m_buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(row);
    showWeek();
}

void ClassTimetableDialog::run(const ClassTimetable::Week& week, QWidget* parent,
                               std::optional<publish::Page> page) {
    ClassTimetableDialog dialog(parent);
    dialog.setWeek(week);
    dialog.setPage(std::move(page));
    dialog.exec();
}

void ClassTimetableDialog::run(const ClassTimetable::ReviewWeek& week, QWidget* parent) {
    ClassTimetableDialog dialog(parent);
    dialog.setWeek(week);
    dialog.exec();
}

void ClassTimetableDialog::runTeacherWeek(const ClassTimetable::Week& week, QWidget* parent,
                                          std::optional<publish::Page> page) {
    ClassTimetableDialog dialog(parent);
    dialog.setTeacherWeek(week);
    dialog.setPage(std::move(page));
    dialog.exec();
}

void ClassTimetableDialog::setPage(std::optional<publish::Page> page) {
    m_page = std::move(page);
    m_pageButtons->setVisible(m_page.has_value());
}

void ClassTimetableDialog::setTeacherWeek(const ClassTimetable::Week& week) {
    m_logic.setTeacherWeek(week);
    showWeek();
}

void ClassTimetableDialog::setWeek(const ClassTimetable::Week& week) {
    m_logic.setWeek(week);
    showWeek();
}

void ClassTimetableDialog::setWeek(const ClassTimetable::ReviewWeek& week) {
    m_logic.setWeek(week);
    showWeek();
}

// The day columns, at least 60 pixels each, and after them one empty column kept out of sight.
void ClassTimetableDialog::showWeek() {
    const int days = m_logic.dayCount();
    widgets::setWeekDays(m_table, m_logic.dayNames(), kColumnWidth, true);
    for (int period = 1; period <= ClassTimetable::kPeriods; ++period) {
        for (int day = 1; day <= days; ++day) {
            widgets::setWeekCell(m_table, day - 1, period, m_logic.cell(period, day));
        }
        m_table->setItem(period - 1, days, new QTableWidgetItem());
    }
    setWindowTitle(toQString(m_logic.title()));
}

} // namespace planning
