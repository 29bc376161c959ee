#include "attendance/WorkloadTableDialog.h"

#include "core/Gbk.h"
#include "core/Reported.h"
#include "reports/ReportActions.h"
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

// Column widths in dialog units (a horizontal dialog unit is a quarter of the average
// character width): 姓名 60, 督修出席 and 督修缺席 80, the five categories 50, 公派代课 and
// 超课时 80, 满勤 50.
constexpr std::array<int, TeacherWorkload::kValues + 2> kColumnUnits{60, 80, 80, 50, 50, 50,
                                                                     50, 50, 80, 80, 50};
constexpr int kShownRows = 16;

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

WorkloadTableDialog::WorkloadTableDialog(const char* title, reports::ReportKind kind,
                                         QWidget* parent)
    : QDialog(parent), m_messenger(this), m_kind(kind) {
    setWindowTitle(toQString(title));

    const auto& headings = workloadHeadings();
    m_list = new QTableWidget(0, static_cast<int>(headings.size()), this);
    QStringList labels;
    for (const char* heading : headings) {
        labels.append(toQString(heading));
    }
    m_list->setHorizontalHeaderLabels(labels);
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int unit = fontMetrics().averageCharWidth();
    int width = 0;
    for (std::size_t c = 0; c < kColumnUnits.size(); ++c) {
        m_list->setColumnWidth(static_cast<int>(c), unit * kColumnUnits[c] / 4);
        width += unit * kColumnUnits[c] / 4;
    }
    m_list->setMinimumSize(width + 2 * m_list->frameWidth() + 24,
                           m_list->horizontalHeader()->sizeHint().height() +
                               kShownRows * m_list->verticalHeader()->defaultSectionSize() +
                               2 * m_list->frameWidth());

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
    m_list->clearContents();
    m_list->setRowCount(0);
    for (const TeacherWorkload& teacher : workload.teachers) {
        if (gbk::isBlank(teacher.name)) {
            continue;
        }
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        m_list->setItem(row, 0, cell(toQString(teacher.name)));
        for (std::size_t v = 0; v < teacher.values.size(); ++v) {
            m_list->setItem(row, static_cast<int>(v) + 1, cell(QString::number(teacher.values[v])));
        }
        m_list->setItem(row, static_cast<int>(teacher.values.size()) + 1,
                        cell(toQString(fullAttendanceMark(teacher))));
    }
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
