#include "supervise/SupervisebrowseDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace supervise {
namespace {

using widgets::toQString;

// Each column is 60 dialog units wide; a horizontal dialog unit is a quarter of the average
// character width.
constexpr int kColumnUnits = 60;
constexpr int kShownColumns = 11;
constexpr int kShownRows = 16;

} // namespace

SupervisebrowseDialog::SupervisebrowseDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_grid(dutyGrid({})) {
    setWindowTitle(toQString(kBrowseTitle));

    m_list = new QTableWidget(this);
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int columnWidth = fontMetrics().averageCharWidth() * kColumnUnits / 4;
    m_list->horizontalHeader()->setDefaultSectionSize(columnWidth);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->setMinimumSize(kShownColumns * columnWidth + 2 * m_list->frameWidth() + 20,
                           m_list->horizontalHeader()->sizeHint().height() +
                               kShownRows * m_list->verticalHeader()->defaultSectionSize() +
                               2 * m_list->frameWidth() + 20);

    m_print = new QPushButton(QStringLiteral("打印"), this);
    m_export = new QPushButton(QStringLiteral("表格导出"), this);
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* bottom = new QHBoxLayout;
    for (QPushButton* button : {m_print, m_export}) {
        button->setAutoDefault(false);
        bottom->addWidget(button);
    }
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(m_print, &QPushButton::clicked, this, &SupervisebrowseDialog::printReport);
    connect(m_export, &QPushButton::clicked, this, &SupervisebrowseDialog::exportReport);
    ui::reported(m_messenger, [this] { m_grid = readDutyGrid(); });
    showGrid();
}

void SupervisebrowseDialog::showGrid() {
    const std::vector<std::string> headings = shownHeadings(m_grid);
    QStringList labels;
    for (const std::string& heading : headings) {
        labels.append(toQString(heading));
    }
    m_list->setColumnCount(static_cast<int>(headings.size()));
    m_list->setHorizontalHeaderLabels(labels);
    m_list->setRowCount(static_cast<int>(m_grid.size() - 1));
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const std::vector<std::string>& cells = m_grid[static_cast<std::size_t>(r) + 1];
        for (int c = 0; c < m_list->columnCount(); ++c) {
            m_list->setItem(r, c,
                            new QTableWidgetItem(toQString(cells[static_cast<std::size_t>(c)])));
        }
    }
}

void SupervisebrowseDialog::exportReport() {
    ui::reported(m_messenger, [this] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::DutyRoster, dutyRosterTable(m_grid));
    });
}

void SupervisebrowseDialog::printReport() {
    ui::reported(m_messenger, [this] {
        reports::ReportActions(this, m_messenger)
            .printReport(reports::ReportKind::DutyRoster, dutyRosterPrintTitle(m_grid),
                         dutyRosterTable(m_grid));
    });
}

} // namespace supervise
