#include "maintain/WeekworkDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maintain {
namespace {

using widgets::toQString;

// Each column is 70 dialog units wide; a horizontal dialog unit is a quarter of the
// average character width.
constexpr int kColumnUnits = 70;

enum Column { kTeacher, kSubject, kWeekly, kColumns };

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

WeekworkDialog::WeekworkDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    setWindowTitle(toQString(Weekwork::kTitle));
    m_logic.count();

    m_table = new QTableWidget(0, kColumns, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("教师"), QStringLiteral("学科"), QStringLiteral("周课时")});
    m_table->verticalHeader()->hide();
    const int columnWidth = fontMetrics().averageCharWidth() * kColumnUnits / 4;
    for (int column = 0; column < kColumns; ++column) {
        m_table->setColumnWidth(column, columnWidth);
    }
    m_table->setShowGrid(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumSize(kColumns * columnWidth + 2 * m_table->frameWidth() + 24, 320);

    m_recount = new QPushButton(QStringLiteral("重新统计"), this);
    m_export = new QPushButton(QStringLiteral("表格导出"), this);
    m_print = new QPushButton(QStringLiteral("打印"), this);
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons =
        new widgets::DialogButtons(*this, m_messenger, {},
                                   widgets::DialogButtons::Buttons(widgets::DialogButtons::Ok |
                                                                   widgets::DialogButtons::Cancel));
    auto* bottom = new QHBoxLayout;
    for (QPushButton* button : {m_recount, m_export, m_print}) {
        button->setAutoDefault(false);
        bottom->addWidget(button);
    }
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(bottom);

    connect(m_recount, &QPushButton::clicked, this, &WeekworkDialog::recount);
    connect(m_export, &QPushButton::clicked, this, &WeekworkDialog::exportList);
    connect(m_print, &QPushButton::clicked, this, &WeekworkDialog::printList);
    showEntries();
}

void WeekworkDialog::run(QWidget* parent) {
    WeekworkDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

void WeekworkDialog::recount() {
    if (!ui::reported(m_messenger, [&] { m_logic.count(); })) {
        return;
    }
    showEntries();
    if (!m_logic.usable()) {
        m_messenger.info(m_logic.unusableMessage());
    }
}

void WeekworkDialog::showEntries() {
    const auto& entries = m_logic.entries();
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(entries.size()));
    int row = 0;
    for (const Weekwork::Entry& entry : entries) {
        m_table->setItem(row, kTeacher, cell(toQString(entry.teacher)));
        m_table->setItem(row, kSubject, cell(toQString(entry.subject)));
        m_table->setItem(row, kWeekly, cell(QString::number(entry.weekly)));
        ++row;
    }
}

void WeekworkDialog::exportList() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::LessonCounts, m_logic.reportTable());
    });
}

void WeekworkDialog::printList() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .printReport(reports::ReportKind::LessonCounts, Weekwork::printTitle(),
                         m_logic.reportTable());
    });
}

} // namespace maintain
