#include "maintain/GTBrowseDialog.h"

#include "core/Reported.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maintain {
namespace {

using widgets::toQString;

// Each column is 60 dialog units wide; a horizontal dialog unit is a quarter of the average
// character width.
constexpr int kColumnUnits = 60;
// The list shows this many columns and rows without scrolling.
constexpr int kShownColumns = 12;
constexpr int kShownRows = 16;

} // namespace

GTBrowseDialog::GTBrowseDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(GTBrowse::kTitle));

    m_list = widgets::makeReadOnlyList(this, kColumnUnits, kShownColumns, kShownRows);

    m_grade = new QComboBox(this);
    for (const std::string& grade : GTBrowse::grades()) {
        m_grade->addItem(toQString(grade));
    }
    m_grade->setCurrentIndex(-1);
    m_grade->setMinimumContentsLength(6);

    m_export = new QPushButton(QStringLiteral("表格导出"), this);
    m_print = new QPushButton(QStringLiteral("打印"), this);
    // 确定 writes nothing here: both buttons only close the window.
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("年   段"), this));
    bottom->addWidget(m_grade);
    bottom->addSpacing(24);
    for (QPushButton* button : {m_export, m_print}) {
        button->setAutoDefault(false);
        bottom->addWidget(button);
    }
    bottom->addWidget(m_buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(m_grade, &QComboBox::currentIndexChanged, this, &GTBrowseDialog::chooseGrade);
    connect(m_export, &QPushButton::clicked, this, &GTBrowseDialog::exportReport);
    connect(m_print, &QPushButton::clicked, this, &GTBrowseDialog::printReport);
    showList();
}

void GTBrowseDialog::chooseGrade(int index) {
    if (!ui::reported(m_messenger, [&] { m_logic.chooseGrade(index); })) {
        m_logic.chooseGrade(-1);
    }
    showList();
}

void GTBrowseDialog::showList() {
    m_list->clear();
    widgets::setListHeadings(m_list, m_logic.headings());
    widgets::showListRows(m_list, m_logic.rows());
}

void GTBrowseDialog::exportReport() {
    if (!m_logic.prepareReport()) {
        return;
    }
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::TeacherList, m_logic.reportTable());
    });
}

void GTBrowseDialog::printReport() {
    if (!m_logic.prepareReport()) {
        return;
    }
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .printReport(reports::ReportKind::TeacherList, m_logic.printTitle(),
                         m_logic.reportTable());
    });
}

} // namespace maintain
