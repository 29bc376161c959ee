#include "supervise/SupervisebrowseDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QPushButton>
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

    m_list = widgets::makeReadOnlyList(this, kColumnUnits, kShownColumns, kShownRows);

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
    widgets::setListHeadings(m_list, shownHeadings(m_grid));
    widgets::showListRows(m_list, {m_grid.begin() + 1, m_grid.end()});
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
