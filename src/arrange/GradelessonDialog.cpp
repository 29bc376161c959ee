#include "arrange/GradelessonDialog.h"

#include "arrange/OptimiseProgress.h"
#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "planning/ClassTimetableDialog.h"
#include "reports/ReportActions.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace arrange {
namespace {

using widgets::toQString;

constexpr int kOverrunsPerRow = 4;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

GradelessonDialog::GradelessonDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    auto* layout = new QVBoxLayout(this);

    using Command = LessonGridPanel::Command;
    LessonGridPanel::Handlers handlers;
    handlers.command = [this](Command c) { act([c](Gradelesson& l) { runPanelCommand(l, c); }); };
    handlers.cell = [this](int column, int period) {
        act([=](Gradelesson& l) { l.clickCell(column, period); });
    };
    // a right-click locks the cell for the optimiser, or frees it
    handlers.lock = [this](int column, int period) {
        act([=](Gradelesson& l) { l.toggleLock(column, period); });
    };
    handlers.classCell = [this](int column) { openClassWeek(column); };
    m_panel = new LessonGridPanel(std::move(handlers), this);
    layout->addWidget(m_panel);

    // the week view, hidden until 按周查看
    WeekGridWidget::Handlers week;
    week.press = [this](const GridPlace& place, bool pair) {
        bool picked = false;
        act([&](Gradelesson& l) { picked = l.pressWeekCell(place, pair); });
        return picked;
    };
    week.drop = [this](const GridPlace& place) { act([&](Gradelesson& l) { l.dropOn(place); }); };
    week.cancel = [this] { act([](Gradelesson& l) { l.cancelPick(); }); };
    week.hover = [this](const std::optional<GridPlace>& place) {
        bool changed = false;
        ui::reported(m_messenger, [&] { changed = m_logic.hoverCell(place); });
        if (changed) {
            showView();
        }
    };
    week.menu = [this](const GridPlace& place, const QPoint& globalPos) {
        offerWeekMenu(place, globalPos);
    };
    m_weekArea = new QWidget(this);
    auto* weekLayout = new QHBoxLayout(m_weekArea);
    weekLayout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(m_weekArea);
    m_weekGrid = new WeekGridWidget(std::move(week), scroll);
    scroll->setWidget(m_weekGrid);
    scroll->setWidgetResizable(false);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(m_weekGrid->sizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width() + 4);
    weekLayout->addWidget(scroll, 1);
    m_teacherWeeks = new TeacherWeekPanel(m_weekArea);
    weekLayout->addWidget(m_teacherWeeks);
    m_weekArea->hide();
    layout->addWidget(m_weekArea, 1);

    // one line saying what the colours and the frame of a cell mean
    auto* legend = new QHBoxLayout;
    for (const Gradelesson::LegendEntry& entry : Gradelesson::kLegend) {
        auto* swatch = new QLabel(this);
        swatch->setFixedSize(18, 14);
        swatch->setStyleSheet(LessonGridPanel::markColours(entry.mark) +
                              LessonGridPanel::frameStyle(entry.locked));
        legend->addWidget(swatch);
        auto* text = new QLabel(QString::fromUtf8(entry.text), this);
        text->setObjectName(QStringLiteral("legend"));
        legend->addWidget(text);
        legend->addSpacing(12);
    }
    legend->addStretch(1);
    layout->addLayout(legend);

    const auto addButton = [this](QHBoxLayout* row, const char* caption, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, action] { act(action); });
        return b;
    };

    m_overrunArea = new QWidget(this);
    auto* overrunLayout = new QVBoxLayout(m_overrunArea);
    overrunLayout->setContentsMargins(0, 0, 0, 0);
    overrunLayout->addWidget(new QLabel(QStringLiteral("教学设施："), m_overrunArea));
    auto* overrunGrid = new QGridLayout;
    for (int i = 0; i < Gradelesson::kMaxOverruns; ++i) {
        auto* label = new QLabel(m_overrunArea);
        label->setMinimumWidth(3 * LessonGridPanel::kCellWidth / 2);
        overrunGrid->addWidget(label, i / kOverrunsPerRow, i % kOverrunsPerRow);
        m_overruns[at(i)] = label;
    }
    overrunLayout->addLayout(overrunGrid);
    layout->addWidget(m_overrunArea);

    m_status = new QLabel(this);
    layout->addWidget(m_status);

    auto* bottom = new QHBoxLayout;
    auto* personal = new QPushButton(QStringLiteral("个人课程表"), this);
    personal->setAutoDefault(false);
    bottom->addWidget(personal);
    connect(personal, &QPushButton::clicked, this, &GradelessonDialog::openPersonalWeek);
    m_weekToggle =
        addButton(bottom, WeekGridView::kWeekView, [](Gradelesson& l) { l.toggleWeekView(); });
    addButton(bottom, "重新编排", [](Gradelesson& l) { l.rearrange(); });
    auto* optimiser = new QPushButton(QStringLiteral("优化编排"), this);
    optimiser->setAutoDefault(false);
    optimiser->setToolTip(
        QStringLiteral("排出无冲突的本年段课表，其他年段不变；右键单击某节可锁定"));
    bottom->addWidget(optimiser);
    connect(optimiser, &QPushButton::clicked, this, &GradelessonDialog::optimiseGrade);
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
    m_panel->show(view);
    const bool week = m_logic.inWeekView();
    m_panel->setDayAreaShown(!week);
    m_overrunArea->setVisible(!week);
    m_weekArea->setVisible(week);
    m_weekToggle->setText(
        QString::fromUtf8(week ? WeekGridView::kDayView : WeekGridView::kWeekView));
    if (week) {
        m_weekGrid->show(m_logic.weekView());
        m_teacherWeeks->show(m_logic.weekView());
    }
    for (std::size_t i = 0; i < m_overruns.size(); ++i) {
        m_overruns[i]->setText(i < view.overruns.size() ? toQString(view.overruns[i]) : QString());
    }
    m_status->setText(toQString(view.status));
    m_undo->setEnabled(m_logic.canUndo());
    m_redo->setEnabled(m_logic.canRedo());
}

// The optimiser runs under a progress dialog; a cancelled run changes nothing.
void GradelessonDialog::optimiseGrade() {
    optimiseWithProgress(
        this, m_messenger, m_logic,
        [](Gradelesson::OptimiseJob& job) {
            return optimise::optimise(job.data, job.request, timetable::defaultRandom());
        },
        [this](const auto& outcome) {
            act([&outcome](Gradelesson& l) { l.applyOptimised(outcome); });
        });
}

// The week view's right-click: lock or free the cell; on a cell with a conflict, the
// exchanges that would mend it, one to choose.
void GradelessonDialog::offerWeekMenu(const GridPlace& place, const QPoint& globalPos) {
    QMenu menu(this);
    const bool locked = m_logic.isLocked(m_logic.grade(), place.position, place.day, place.period);
    QAction* lock = menu.addAction(locked ? QStringLiteral("解锁") : QStringLiteral("锁定"));
    QAction* find = nullptr;
    for (const WeekRow& row : m_logic.weekView().rows) {
        const WeekCell& cell =
            row.cells[static_cast<std::size_t>(place.day * school::kPeriods + place.period - 1)];
        if (row.position == place.position && cell.mark != CellMark::None) {
            find = menu.addAction(QString::fromUtf8(kFindPlace));
        }
    }
    QAction* chosen = menu.exec(globalPos);
    if (chosen == lock) {
        act([&](Gradelesson& l) { l.toggleLockAt(place); });
        return;
    }
    if (chosen == nullptr || chosen != find) {
        return;
    }
    std::vector<MoveSuggestion> suggestions;
    ui::reported(m_messenger, [&] { suggestions = m_logic.findPlace(place); });
    if (suggestions.empty()) {
        m_messenger.info(kNoSuggestion);
        return;
    }
    QMenu offers(this);
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        offers.addAction(toQString(suggestions[i].text()))->setData(static_cast<int>(i));
    }
    if (QAction* pick = offers.exec(globalPos)) {
        const MoveSuggestion suggestion =
            suggestions[static_cast<std::size_t>(pick->data().toInt())];
        act([&](Gradelesson& l) { l.applySuggestion(suggestion); });
    }
}

void GradelessonDialog::openClassWeek(int column) {
    planning::ClassTimetableDialog::run(m_logic.classWeek(column), this, m_logic.classPage(column));
}

void GradelessonDialog::openPersonalWeek() {
    std::optional<Gradelesson::Week> week;
    ui::reported(m_messenger, [&] { week = m_logic.personalWeek(); });
    if (week) {
        planning::ClassTimetableDialog::runTeacherWeek(*week, this,
                                                       m_logic.teacherPage((*week)[0][0]));
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
