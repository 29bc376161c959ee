#include "attendance/AttendancesquireDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
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
    m_table = widgets::makeReadOnlyList(
        this,
        std::vector<std::string>(Attendancesquire::kColumns.begin(),
                                 Attendancesquire::kColumns.end()),
        std::vector<int>(Attendancesquire::kColumns.size(), kColumnUnits));

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
    std::vector<std::vector<std::string>> rows;
    for (const Attendancesquire::Line& line : m_logic.lines()) {
        rows.emplace_back(line.begin(), line.end());
    }
    widgets::showListRows(m_table, rows);
}

} // namespace attendance
