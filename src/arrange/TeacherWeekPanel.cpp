#include "arrange/TeacherWeekPanel.h"

#include "core/SchoolNames.h"
#include "widgets/TextConvert.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstddef>

namespace arrange {
namespace {

using widgets::toQString;

constexpr int kColumnWidth = 52;
constexpr int kRowHeight = 30;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

TeacherWeekPanel::TeacherWeekPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < m_tables.size(); ++i) {
        m_titles[i] = new QLabel(this);
        layout->addWidget(m_titles[i]);
        auto* table = new QTableWidget(school::kPeriods, school::kDays, this);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setFocusPolicy(Qt::NoFocus);
        table->setWordWrap(true);
        table->setTextElideMode(Qt::ElideNone); // class over course, two short lines
        QFont small = table->font();
        small.setPixelSize(11);
        table->setFont(small);
        QStringList days;
        for (const auto& name : school::kDayNames) {
            days << toQString(std::string(name));
        }
        table->setHorizontalHeaderLabels(days);
        table->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
        table->verticalHeader()->setDefaultSectionSize(kRowHeight);
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int width = table->verticalHeader()->sizeHint().width() +
                          school::kDays * kColumnWidth + 2 * table->frameWidth();
        const int height = table->horizontalHeader()->sizeHint().height() +
                           school::kPeriods * kRowHeight + 2 * table->frameWidth();
        table->setFixedSize(width, height);
        layout->addWidget(table);
        m_tables[i] = table;
    }
    layout->addStretch(1);
}

void TeacherWeekPanel::show(const WeekGridView& view) {
    showWeek(0, kPickedTitle, view.pickedTeacher);
    showWeek(1, kTargetTitle, view.targetTeacher);
}

void TeacherWeekPanel::showWeek(int which, const char* heading,
                                const std::optional<WeekGridView::TeacherWeek>& week) {
    QLabel* title = m_titles[at(which)];
    QTableWidget* table = m_tables[at(which)];
    title->setText(QString::fromUtf8(heading) + (week ? toQString((*week)[0][0]) : QString()));
    for (int d = 0; d < school::kDays; ++d) {
        for (int p = 1; p <= school::kPeriods; ++p) {
            const QString text = week ? toQString((*week)[at(d)][at(p)]) : QString();
            QTableWidgetItem* item = table->item(p - 1, d);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                table->setItem(p - 1, d, item);
            }
            item->setText(text);
        }
    }
}

} // namespace arrange
