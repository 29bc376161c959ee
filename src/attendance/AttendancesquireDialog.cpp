#include "attendance/AttendancesquireDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace attendance {
namespace {

using widgets::toQString;

// Each column is 60 dialog units wide; a horizontal dialog unit is a quarter of the average
// character width.
constexpr int kColumnUnits = 60;

} // namespace

AttendancesquireDialog::AttendancesquireDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this) {
    setWindowTitle(toQString(Attendancesquire::kTitle));
    const int columns = static_cast<int>(Attendancesquire::kColumns.size());
    m_table = new QTableWidget(0, columns, this);
    QStringList captions;
    for (const char* caption : Attendancesquire::kColumns) {
        captions.append(toQString(caption));
    }
    m_table->setHorizontalHeaderLabels(captions);
    m_table->verticalHeader()->hide();
    const int columnWidth = fontMetrics().averageCharWidth() * kColumnUnits / 4;
    for (int column = 0; column < columns; ++column) {
        m_table->setColumnWidth(column, columnWidth);
    }
    m_table->setShowGrid(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumSize(columns * columnWidth + 2 * m_table->frameWidth() + 24, 360);

    auto* sorts = new QHBoxLayout;
    for (const Attendancesquire::SortButton& sort : Attendancesquire::kSortButtons) {
        auto* button = new QPushButton(toQString(sort.caption), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, key = sort.key] { sortBy(key); });
        sorts->addWidget(button);
    }
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons =
        new widgets::DialogButtons(*this, m_messenger, {},
                                   widgets::DialogButtons::Buttons(widgets::DialogButtons::Ok |
                                                                   widgets::DialogButtons::Cancel));
    sorts->addStretch(1);
    sorts->addWidget(m_buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(sorts);
}

QPushButton* AttendancesquireDialog::sortButton(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

void AttendancesquireDialog::sortBy(Attendancesquire::SortKey key) {
    if (!ui::reported(m_messenger, [&] { m_logic.sort(key); })) {
        return;
    }
    const auto& lines = m_logic.lines();
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const Attendancesquire::Line& line = lines[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            auto* item = new QTableWidgetItem(toQString(line[static_cast<std::size_t>(column)]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_table->setItem(row, column, item);
        }
    }
}

} // namespace attendance
