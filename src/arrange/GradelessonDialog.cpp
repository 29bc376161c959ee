#include "arrange/GradelessonDialog.h"

#include "core/Reported.h"
#include "planning/ClassTimetableDialog.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstddef>

namespace arrange {
namespace {

using widgets::toQString;

constexpr int kCellWidth = 72;
constexpr int kOverrunsPerRow = 4;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// The look of a cell: its conflict colour, a thick blue frame while it is locked, and a
// sunken frame while it is selected.
QString cellStyle(CellMark mark, bool locked) {
    QString background;
    const QString frame = locked ? QStringLiteral("border: 3px solid #1e56c8;")
                                 : QStringLiteral("border: 1px solid #555;");
    switch (mark) {
    case CellMark::Clash:
        background = QStringLiteral("background-color: #e53935; color: white;");
        break;
    case CellMark::Overrun:
        background = QStringLiteral("background-color: #fb8c00; color: black;");
        break;
    case CellMark::Preset:
        background = QStringLiteral("background-color: #8e24aa; color: white;");
        break;
    case CellMark::None:
        if (!locked) {
            return {};
        }
        break;
    }
    return QStringLiteral("QPushButton { %1 %2 padding: 3px; }"
                          "QPushButton:checked { border: 3px inset #222; }")
        .arg(background, frame);
}

} // namespace

GradelessonDialog::GradelessonDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_dayButton = new QPushButton(this);
    m_dayButton->setAutoDefault(false);
    top->addWidget(m_dayButton);
    const auto addButton = [this](QHBoxLayout* row, const char* caption, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, action] { act(action); });
        return b;
    };
    addButton(top, "课程转换", [](Gradelesson& l) { l.switchView(); });
    addButton(top, "上一年段", [](Gradelesson& l) { l.previousGrade(); });
    addButton(top, "下一年段", [](Gradelesson& l) { l.nextGrade(); });
    addButton(top, "左  进", [](Gradelesson& l) { l.moveLeft(); });
    addButton(top, "右  进", [](Gradelesson& l) { l.moveRight(); });
    addButton(top, "上一天", [](Gradelesson& l) { l.previousDay(); });
    addButton(top, "下一天", [](Gradelesson& l) { l.nextDay(); });
    top->addStretch(1);
    layout->addLayout(top);

    m_summary = new QLabel(this);
    m_summary->setMinimumHeight(m_summary->fontMetrics().height() + 4); // no jump when it fills
    layout->addWidget(m_summary);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int row = 0; row < GradelessonView::kRows; ++row) {
        for (int column = 0; column < GradelessonView::kColumns; ++column) {
            auto* b = new QPushButton(this);
            b->setAutoDefault(false);
            b->setCheckable(row > 0);
            b->setFixedWidth(kCellWidth);
            grid->addWidget(b, row, column);
            m_cells[at(row)][at(column)] = b;
            if (row == 0) {
                connect(b, &QPushButton::clicked, this, [this, column] { openClassWeek(column); });
            } else {
                connect(b, &QPushButton::clicked, this, [this, row, column] {
                    act([row, column](Gradelesson& l) { l.clickCell(column, row); });
                });
                // a right-click locks the cell for the optimiser, or frees it
                b->setContextMenuPolicy(Qt::CustomContextMenu);
                connect(b, &QPushButton::customContextMenuRequested, this, [this, row, column] {
                    act([row, column](Gradelesson& l) { l.toggleLock(column, row); });
                });
            }
        }
    }
    layout->addLayout(grid);

    auto* clashRow = new QHBoxLayout;
    clashRow->addWidget(new QLabel(QStringLiteral("碰课教师："), this));
    for (QLabel*& label : m_clashes) {
        label = new QLabel(this);
        label->setMinimumWidth(kCellWidth - 12);
        clashRow->addWidget(label);
    }
    clashRow->addStretch(1);
    layout->addLayout(clashRow);

    layout->addWidget(new QLabel(QStringLiteral("教学设施："), this));
    auto* overrunGrid = new QGridLayout;
    for (int i = 0; i < Gradelesson::kMaxOverruns; ++i) {
        auto* label = new QLabel(this);
        label->setMinimumWidth(3 * kCellWidth / 2);
        overrunGrid->addWidget(label, i / kOverrunsPerRow, i % kOverrunsPerRow);
        m_overruns[at(i)] = label;
    }
    layout->addLayout(overrunGrid);

    m_status = new QLabel(this);
    layout->addWidget(m_status);

    auto* bottom = new QHBoxLayout;
    auto* personal = new QPushButton(QStringLiteral("个人课程表"), this);
    personal->setAutoDefault(false);
    bottom->addWidget(personal);
    connect(personal, &QPushButton::clicked, this, &GradelessonDialog::openPersonalWeek);
    addButton(bottom, "重新编排", [](Gradelesson& l) { l.rearrange(); });
    auto* print = new QPushButton(QStringLiteral("打 印"), this);
    auto* exporter = new QPushButton(QStringLiteral("表格导出"), this);
    for (QPushButton* b : {print, exporter}) {
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    connect(print, &QPushButton::clicked, this, &GradelessonDialog::printReport);
    connect(exporter, &QPushButton::clicked, this, &GradelessonDialog::exportReport);
    m_undo = addButton(bottom, "撤  销", [](Gradelesson& l) { l.undo(); });
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = addButton(bottom, "重  做", [](Gradelesson& l) { l.redo(); });
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] {
        const bool saved = m_logic.save();
        showView();
        return saved;
    });
    m_buttons->saveButton()->setText(QStringLiteral("存  盘"));
    bottom->addWidget(m_buttons, 1);
    layout->addLayout(bottom);

    showView();
}

void GradelessonDialog::run(QWidget* parent) {
    GradelessonDialog dialog(parent);
    dialog.exec();
}

QPushButton* GradelessonDialog::cell(int row, int column) const {
    return m_cells.at(at(row)).at(at(column));
}

QPushButton* GradelessonDialog::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

void GradelessonDialog::reject() {
    bool close = false;
    ui::reported(m_messenger, [&] { close = m_logic.mayClose(); });
    if (close) {
        QDialog::reject();
    }
}

// Runs one operation of the logic; nothing may unwind through Qt's event loop.
template <class Action> void GradelessonDialog::act(Action&& action) {
    ui::reported(m_messenger, [&] { action(m_logic); });
    showView();
}

void GradelessonDialog::showView() {
    const GradelessonView& view = m_logic.view();
    setWindowTitle(toQString(view.title));
    m_dayButton->setText(toQString(view.dayName));
    for (int row = 0; row < GradelessonView::kRows; ++row) {
        for (int column = 0; column < GradelessonView::kColumns; ++column) {
            const GridCell& cell = view.grid[at(row)][at(column)];
            QPushButton* b = m_cells[at(row)][at(column)];
            b->setText(toQString(cell.caption));
            b->setChecked(cell.pressed);
            b->setStyleSheet(cellStyle(cell.mark, cell.locked));
            b->setToolTip(toQString(cell.tooltip));
        }
    }
    QString summary = toQString(view.summaryHead);
    for (const std::string& entry : view.summary) {
        summary += QStringLiteral("  ") + toQString(entry);
    }
    m_summary->setText(summary);
    for (std::size_t i = 0; i < m_clashes.size(); ++i) {
        m_clashes[i]->setText(i < view.clashes.size() ? toQString(view.clashes[i]) : QString());
    }
    for (std::size_t i = 0; i < m_overruns.size(); ++i) {
        m_overruns[i]->setText(i < view.overruns.size() ? toQString(view.overruns[i]) : QString());
    }
    m_status->setText(toQString(view.status));
    m_undo->setEnabled(m_logic.canUndo());
    m_redo->setEnabled(m_logic.canRedo());
}

void GradelessonDialog::openClassWeek(int column) {
    planning::ClassTimetableDialog::run(m_logic.classWeek(column), this);
}

void GradelessonDialog::openPersonalWeek() {
    std::optional<Gradelesson::Week> week;
    ui::reported(m_messenger, [&] { week = m_logic.personalWeek(); });
    if (week) {
        planning::ClassTimetableDialog::run(*week, this);
    }
}

void GradelessonDialog::exportReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::GradeTimetable, m_logic.reportTable());
    });
}

void GradelessonDialog::printReport() {
    m_messenger.info(Gradelesson::kPaperMessage);
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .printReport(reports::ReportKind::GradeTimetable, m_logic.printTitle(),
                         m_logic.reportTable());
    });
}

} // namespace arrange
