#include "planning/PrearrangeLessonDialog.h"

#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstddef>
#include <string>

namespace planning {
namespace {

using widgets::toQString;

std::size_t at(int oneBased) {
    return static_cast<std::size_t>(oneBased - 1);
}

} // namespace

PrearrangeLessonDialog::PrearrangeLessonDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(PrearrangeLesson::kTitle));
    m_logic.load();

    m_teacher = new QComboBox(this);
    for (const std::string& name : m_logic.roster()) {
        m_teacher->addItem(toQString(name));
    }
    m_teacher->setCurrentIndex(-1);
    m_teacher->setMinimumContentsLength(8);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("教师"), this));
    top->addWidget(m_teacher);
    top->addStretch(1);

    auto* grid = new QGridLayout;
    for (int day = 1; day <= PrearrangeLesson::kDays; ++day) {
        auto* heading = new QLabel(toQString(std::string(school::kDayNames[at(day)])), this);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, day);
    }
    for (int period = 1; period <= PrearrangeLesson::kPeriods; ++period) {
        auto* label = new QLabel(QString::number(period), this);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, period, 0);
        for (int day = 1; day <= PrearrangeLesson::kDays; ++day) {
            auto* cell = new QPushButton(this);
            cell->setAutoDefault(false);
            cell->setFixedSize(60, 28);
            grid->addWidget(cell, period, day);
            m_cells[at(day)][at(period)] = cell;
            connect(cell, &QPushButton::clicked, this,
                    [this, day, period] { toggle(day, period); });
        }
    }

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return m_logic.save(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(m_buttons);

    connect(m_teacher, &QComboBox::currentIndexChanged, this,
            &PrearrangeLessonDialog::chooseTeacher);
    showMarks();
}

void PrearrangeLessonDialog::run(QWidget* parent) {
    PrearrangeLessonDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

QPushButton* PrearrangeLessonDialog::cellButton(int day, int period) const {
    if (day < 1 || day > PrearrangeLesson::kDays || period < 1 ||
        period > PrearrangeLesson::kPeriods) {
        return nullptr;
    }
    return m_cells[at(day)][at(period)];
}

void PrearrangeLessonDialog::chooseTeacher(int index) {
    bool taken = true;
    ui::reported(m_messenger, [&] { taken = m_logic.chooseTeacher(index); });
    if (!taken) { // the unsaved marks stay: so does their teacher
        const QSignalBlocker blocker(m_teacher);
        m_teacher->setCurrentIndex(m_logic.teacherIndex());
    }
    showMarks();
}

void PrearrangeLessonDialog::toggle(int day, int period) {
    m_logic.toggle(day, period);
    showMarks();
}

void PrearrangeLessonDialog::showMarks() {
    for (int day = 1; day <= PrearrangeLesson::kDays; ++day) {
        for (int period = 1; period <= PrearrangeLesson::kPeriods; ++period) {
            m_cells[at(day)][at(period)]->setText(toQString(m_logic.cellText(day, period)));
        }
    }
}

} // namespace planning
