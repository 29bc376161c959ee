#include "attendance/AttendancecountDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace attendance {
namespace {

using widgets::toQString;
using widgets::toStdString;

} // namespace

AttendancecountDialog::AttendancecountDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Attendancecount::kTitle));

    // 教师 60 dialog units wide, each count 45.
    m_list =
        widgets::makeReadOnlyList(this, {"教师", "迟到", "早退", "事假", "公假", "缺勤", "公代"},
                                  {60, 45, 45, 45, 45, 45, 45});

    m_activity = new QComboBox(this);
    m_activity->setEditable(true);
    for (const std::string& name : Attendancecount::activityNames()) {
        m_activity->addItem(toQString(name));
    }
    m_activity->setCurrentIndex(0);
    m_week = new QLineEdit(this);
    m_week->setMaxLength(4);
    m_week->setFixedWidth(m_week->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    m_week->setAlignment(Qt::AlignRight);

    m_refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_export = new QPushButton(QStringLiteral("表格导出"), this);
    m_print = new QPushButton(QStringLiteral("打印"), this);
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);

    auto* choices = new QHBoxLayout;
    auto* activityLabel = new QLabel(QStringLiteral("出勤类型"), this);
    activityLabel->setBuddy(m_activity);
    auto* weekLabel = new QLabel(QStringLiteral("周别:"), this);
    weekLabel->setBuddy(m_week);
    choices->addWidget(activityLabel);
    choices->addWidget(m_activity);
    choices->addSpacing(16);
    choices->addWidget(weekLabel);
    choices->addWidget(m_week);
    choices->addStretch(1);
    auto* actions = new QHBoxLayout;
    for (QPushButton* button : {m_refresh, m_export, m_print}) {
        button->setAutoDefault(false);
        actions->addWidget(button);
    }
    actions->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(choices);
    layout->addLayout(actions);

    connect(m_refresh, &QPushButton::clicked, this, &AttendancecountDialog::refresh);
    m_week->setFocus();
    connect(m_export, &QPushButton::clicked, this, &AttendancecountDialog::exportReport);
    connect(m_print, &QPushButton::clicked, this, &AttendancecountDialog::printReport);
}

void AttendancecountDialog::refresh() {
    bool counted = false;
    if (!ui::reported(m_messenger, [&] {
            counted =
                m_logic.count(toStdString(m_week->text()), toStdString(m_activity->currentText()));
        })) {
        return;
    }
    if (!counted) {
        m_week->setFocus();
        m_week->selectAll();
        return;
    }
    showEntries();
}

void AttendancecountDialog::showEntries() {
    std::vector<std::vector<std::string>> rows;
    for (const WeekCount& entry : m_logic.entries()) {
        std::vector<std::string> cells{entry.teacher};
        for (const int count : entry.counts) {
            cells.push_back(std::to_string(count));
        }
        rows.push_back(std::move(cells));
    }
    widgets::showListRows(m_list, rows, 1);
}

void AttendancecountDialog::exportReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::Weekly, m_logic.reportTable());
    });
}

void AttendancecountDialog::printReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .printReport(reports::ReportKind::Weekly, m_logic.printTitle(), m_logic.reportTable());
    });
}

} // namespace attendance
