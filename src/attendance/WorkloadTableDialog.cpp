#include "attendance/WorkloadTableDialog.h"

#include "core/Gbk.h"
#include "core/Reported.h"
#include "reports/ReportActions.h"
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

// Column widths in dialog units: 姓名 60, 督修出席 and 督修缺席 80, the five categories 50,
// 公派代课 and 超课时 80, 满勤 50.
const std::vector<int> kColumnUnits{60, 80, 80, 50, 50, 50, 50, 50, 80, 80, 50};

} // namespace

WorkloadTableDialog::WorkloadTableDialog(const char* title, reports::ReportKind kind,
                                         QWidget* parent)
    : QDialog(parent), m_messenger(this), m_kind(kind) {
    setWindowTitle(toQString(title));

    const auto& headings = workloadHeadings();
    m_list = widgets::makeReadOnlyList(this, {headings.begin(), headings.end()}, kColumnUnits);

    m_inputs = new QHBoxLayout;
    m_export = new QPushButton(QStringLiteral("表格导出"), this);
    m_print = new QPushButton(QStringLiteral("打印"), this);
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* actions = new QHBoxLayout;
    for (QPushButton* button : {m_export, m_print}) {
        button->setAutoDefault(false);
        actions->addWidget(button);
    }
    actions->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_inputs);
    layout->addLayout(actions);

    connect(m_export, &QPushButton::clicked, this, &WorkloadTableDialog::exportReport);
    connect(m_print, &QPushButton::clicked, this, &WorkloadTableDialog::printReport);
}

void WorkloadTableDialog::showWorkload(const Workload& workload) {
    std::vector<std::vector<std::string>> rows;
    for (const TeacherWorkload& teacher : workload.teachers) {
        if (gbk::isBlank(teacher.name)) {
            continue;
        }
        std::vector<std::string> cells{teacher.name};
        for (const int value : teacher.values) {
            cells.push_back(std::to_string(value));
        }
        cells.push_back(fullAttendanceMark(teacher));
        rows.push_back(std::move(cells));
    }
    widgets::showListRows(m_list, rows, 1);
}

void WorkloadTableDialog::exportReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger).exportReport(m_kind, reportTable());
    });
}

void WorkloadTableDialog::printReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger).printReport(m_kind, printTitle(), reportTable());
    });
}

} // namespace attendance
