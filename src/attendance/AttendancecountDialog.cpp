#include "attendance/AttendancecountDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace attendance {
namespace {

using widgets::toQString;
using widgets::toStdString;

// Column widths in dialog units; a horizontal dialog unit is a quarter of the average
// character width.
constexpr int kNameUnits = 60;
constexpr int kCountUnits = 45;
constexpr int kShownRows = 16;

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

AttendancecountDialog::AttendancecountDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Attendancecount::kTitle));

    const QStringList headings{QStringLiteral("教师"), QStringLiteral("迟到"),
                               QStringLiteral("早退"), QStringLiteral("事假"),
                               QStringLiteral("公假"), QStringLiteral("缺勤"),
                               QStringLiteral("公代")};
    m_list = new QTableWidget(0, static_cast<int>(headings.size()), this);
    m_list->setHorizontalHeaderLabels(headings);
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int unit = fontMetrics().averageCharWidth();
    int width = 0;
    for (int c = 0; c < m_list->columnCount(); ++c) {
        const int columnWidth = unit * (c == 0 ? kNameUnits : kCountUnits) / 4;
        m_list->setColumnWidth(c, columnWidth);
        width += columnWidth;
    }
    m_list->setMinimumSize(width + 2 * m_list->frameWidth() + 24,
                           m_list->horizontalHeader()->sizeHint().height() +
                               kShownRows * m_list->verticalHeader()->defaultSectionSize() +
                               2 * m_list->frameWidth());

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
    const std::vector<WeekCount>& entries = m_logic.entries();
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(entries.size()));
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const WeekCount& entry = entries[static_cast<std::size_t>(r)];
        m_list->setItem(r, 0, cell(toQString(entry.teacher)));
        for (std::size_t v = 0; v < entry.counts.size(); ++v) {
            m_list->setItem(r, static_cast<int>(v) + 1, cell(QString::number(entry.counts[v])));
        }
    }
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
