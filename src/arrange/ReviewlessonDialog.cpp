#include "arrange/ReviewlessonDialog.h"

#include "arrange/OptimiseProgress.h"
#include "core/Reported.h"
#include "planning/ClassTimetableDialog.h"
#include "reports/ReportActions.h"
#include "widgets/TextConvert.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace arrange {

using widgets::toQString;

ReviewlessonDialog::ReviewlessonDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    auto* layout = new QVBoxLayout(this);
    using Command = LessonGridPanel::Command;
    LessonGridPanel::Handlers handlers;
    handlers.command = [this](Command c) { act([c](Reviewlesson& l) { runPanelCommand(l, c); }); };
    handlers.cell = [this](int column, int period) {
        act([=](Reviewlesson& l) { l.clickCell(column, period); });
    };
    handlers.classCell = [this](int column) {
        planning::ClassTimetableDialog::run(m_logic.classWeek(column), this);
    };
    m_panel = new LessonGridPanel(std::move(handlers), this);
    layout->addWidget(m_panel);

    m_status = new QLabel(this);
    layout->addWidget(m_status);

    auto* bottom = new QHBoxLayout;
    const auto addButton = [&](const char* caption, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        bottom->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    addButton("重新编排", [this] { act([](Reviewlesson& l) { l.rearrange(); }); });
    QPushButton* optimiser = addButton("优化编排", [this] { optimiseGrade(); });
    optimiser->setToolTip(QStringLiteral(
        "没有教师碰课的复习课表：每门复习课排满，连堂在第一二、三四、五六节，单节在第七节"));
    addButton("表格导出", [this] { exportReport(); });
    m_undo = addButton("撤  销", [this] { act([](Reviewlesson& l) { l.undo(); }); });
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = addButton("重  做", [this] { act([](Reviewlesson& l) { l.redo(); }); });
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    bottom->addStretch(1);
    addButton("存  盘", [this] { act([](Reviewlesson& l) { l.save(); }); });
    QPushButton* ok = addButton("确定", [this] { accept(); });
    ok->setDefault(true);
    addButton("取消", [this] { reject(); });
    layout->addLayout(bottom);

    showView();
}

void ReviewlessonDialog::run(QWidget* parent) {
    ReviewlessonDialog dialog(parent);
    dialog.exec();
}

QPushButton* ReviewlessonDialog::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

// 确定 only closes, as 取消 does; unsaved edits are asked about first either way.
void ReviewlessonDialog::accept() {
    bool close = false;
    ui::reported(m_messenger, [&] { close = m_logic.mayClose(); });
    showView();
    if (close) {
        QDialog::accept();
    }
}

void ReviewlessonDialog::reject() {
    bool close = false;
    ui::reported(m_messenger, [&] { close = m_logic.mayClose(); });
    showView();
    if (close) {
        QDialog::reject();
    }
}

// Runs one operation of the logic; nothing may unwind through Qt's event loop.
template <class Action> void ReviewlessonDialog::act(Action&& action) {
    ui::reported(m_messenger, [&] { action(m_logic); });
    showView();
}

void ReviewlessonDialog::showView() {
    const LessonGridView& view = m_logic.view();
    setWindowTitle(toQString(view.title));
    m_panel->show(view);
    m_status->setText(toQString(view.status));
    m_undo->setEnabled(m_logic.canUndo());
    m_redo->setEnabled(m_logic.canRedo());
}

// The optimiser runs under a progress dialog; a cancelled run changes nothing.
void ReviewlessonDialog::optimiseGrade() {
    optimiseWithProgress(
        this, m_messenger, m_logic,
        [](Reviewlesson::OptimiseJob& job) {
            return optimise::optimiseReview(job.data, job.request, timetable::defaultRandom());
        },
        [this](const auto& outcome) {
            act([&outcome](Reviewlesson& l) { l.applyOptimised(outcome); });
        });
}

void ReviewlessonDialog::exportReport() {
    ui::reported(m_messenger, [&] {
        reports::ReportActions(this, m_messenger)
            .exportReport(reports::ReportKind::ReviewTimetable, m_logic.reportTable());
    });
}

} // namespace arrange
