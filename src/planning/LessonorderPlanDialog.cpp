#include "planning/LessonorderPlanDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace planning {
namespace {

using widgets::toQString;
using widgets::toStdString;

constexpr std::array<const char*, LessonorderPlanDialog::kColumns> kCaptions = {
    "班级", "学科", "星期起点", "星期终点", "节别起点", "节别终点"};

template <class Names> QStringList listOf(const Names& names) {
    QStringList list;
    for (const auto& name : names) {
        list.append(toQString(std::string(name)));
    }
    return list;
}

// Shows text in a list: an empty text chooses nothing (or the empty entry where the list
// has one); a text the list lacks is added to it, so it is shown and saved as it was.
void showText(QComboBox& box, const std::string& text) {
    const QString shown = toQString(text);
    int index = box.findText(shown);
    if (index < 0 && !text.empty()) {
        box.addItem(shown);
        index = box.count() - 1;
    }
    box.setCurrentIndex(index);
}

std::string textOf(const QComboBox* box) {
    return toStdString(box->currentText());
}

} // namespace

LessonorderPlanDialog::LessonorderPlanDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(LessonorderPlan::kTitle));
    m_logic.load();

    QStringList classes{QString()};
    classes.append(listOf(LessonorderPlan::classNames()));
    QStringList courses{QString()};
    courses.append(listOf(m_logic.courses()));
    const std::array<QStringList, kColumns> lists = {classes,
                                                     courses,
                                                     listOf(LessonorderPlan::kDayNames),
                                                     listOf(LessonorderPlan::kDayNames),
                                                     listOf(LessonorderPlan::kPeriodNames),
                                                     listOf(LessonorderPlan::kPeriodNames)};

    auto* grid = new QGridLayout;
    for (int column = 0; column < kColumns; ++column) {
        auto* caption = new QLabel(toQString(kCaptions[static_cast<std::size_t>(column)]), this);
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(caption, 0, column);
    }
    for (std::size_t row = 0; row < LessonorderPlan::kPageRows; ++row) {
        for (std::size_t column = 0; column < kColumns; ++column) {
            auto* box = new QComboBox(this);
            box->addItems(lists[column]);
            box->setMinimumContentsLength(column == CourseColumn ? 8 : 6);
            box->setMaxVisibleItems(20);
            grid->addWidget(box, static_cast<int>(row) + 1, static_cast<int>(column));
            m_cells[row][column] = box;
        }
    }

    m_saveButtons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return save(); }, widgets::DialogButtons::Save);
    m_closeButtons = new widgets::DialogButtons(
        *this, m_messenger, {}, widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_saveButtons);
    bottom->addWidget(m_closeButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    showPage();
}

void LessonorderPlanDialog::run(QWidget* parent) {
    LessonorderPlanDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

QComboBox* LessonorderPlanDialog::cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(LessonorderPlan::kPageRows) || column < 0 ||
        column >= kColumns) {
        return nullptr;
    }
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool LessonorderPlanDialog::save() {
    LessonorderPlan::Page page{};
    for (std::size_t row = 0; row < page.size(); ++row) {
        const auto& boxes = m_cells[row];
        page[row] = {textOf(boxes[ClassColumn]), textOf(boxes[CourseColumn]),
                     textOf(boxes[FirstDay]),    textOf(boxes[LastDay]),
                     textOf(boxes[FirstPeriod]), textOf(boxes[LastPeriod])};
    }
    if (!m_logic.save(page)) {
        if (QComboBox* refused = cell(m_logic.refusedRow() - 1, ClassColumn)) {
            refused->setFocus();
        }
        return false;
    }
    showPage(); // emptied rows are gone and the rows after them have moved up
    return true;
}

void LessonorderPlanDialog::showPage() {
    const LessonorderPlan::Page page = m_logic.page();
    for (std::size_t row = 0; row < page.size(); ++row) {
        const LessonorderPlan::Cells& c = page[row];
        const auto& boxes = m_cells[row];
        showText(*boxes[ClassColumn], c.className);
        showText(*boxes[CourseColumn], c.course);
        showText(*boxes[FirstDay], c.firstDay);
        showText(*boxes[LastDay], c.lastDay);
        showText(*boxes[FirstPeriod], c.firstPeriod);
        showText(*boxes[LastPeriod], c.lastPeriod);
    }
}

} // namespace planning
