#include "planning/ClassteacherDialog.h"

#include "core/Reported.h"
#include "widgets/ClassButtonGrid.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace planning {
namespace {

using widgets::toQString;
using widgets::toStdString;

QStringList toQStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(toQString(name));
    }
    return list;
}

QComboBox* newSelector(QWidget* parent, const std::vector<std::string>& names) {
    auto* box = new QComboBox(parent);
    box->addItems(toQStringList(names));
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(6);
    return box;
}

} // namespace

ClassteacherDialog::ClassteacherDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Classteacher::kTitle));
    setMouseTracking(true);
    m_logic.load();

    m_grade = newSelector(this, Classteacher::gradeNames());
    m_course = newSelector(this, m_logic.courses());
    m_teacher = newSelector(this, m_logic.offeredTeachers());
    m_teacher->setMinimumContentsLength(8);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("年段"), this));
    top->addWidget(m_grade);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("学科"), this));
    top->addWidget(m_course);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("教师"), this));
    top->addWidget(m_teacher);
    top->addStretch(1);

    m_classes = new widgets::ClassButtonGrid(this);
    connect(m_classes, &widgets::ClassButtonGrid::toggled, this, &ClassteacherDialog::toggleClass);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addSpacing(8);
    left->addWidget(m_classes);

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return m_logic.save(); });
    // At the right the buttons stand one under the other.
    if (auto* row = qobject_cast<QBoxLayout*>(m_buttons->layout())) {
        row->setDirection(QBoxLayout::TopToBottom);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(16);
    layout->addWidget(m_buttons);

    showClasses();
    connect(m_grade, &QComboBox::currentIndexChanged, this, [this] {
        choose([this] { return m_logic.setGrade(toStdString(m_grade->currentText())); });
    });
    connect(m_course, &QComboBox::currentIndexChanged, this, [this] {
        choose([this] { return m_logic.setCourse(toStdString(m_course->currentText())); });
    });
    connect(m_teacher, &QComboBox::currentIndexChanged, this, [this] {
        choose([this] { return m_logic.setTeacher(toStdString(m_teacher->currentText())); });
    });
}

void ClassteacherDialog::run(QWidget* parent) {
    ClassteacherDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

QPushButton* ClassteacherDialog::classButton(int k) const {
    return m_classes->button(k);
}

QLabel* ClassteacherDialog::selectionLabel() const {
    return m_classes->selectionLabel();
}

void ClassteacherDialog::mouseMoveEvent(QMouseEvent* event) {
    // Only the dialog's own surface counts (a caption and the space between the class
    // buttons are surface), not its controls.
    const QWidget* under = childAt(event->position().toPoint());
    const bool surface = under == nullptr || qobject_cast<const QLabel*>(under) != nullptr ||
                         qobject_cast<const widgets::ClassButtonGrid*>(under) != nullptr;
    if (m_logic.usable() && surface && m_logic.refreshTeachers()) {
        showTeachers();
    }
    QDialog::mouseMoveEvent(event);
}

void ClassteacherDialog::choose(const std::function<bool()>& step) {
    // A choice that completes the selection reads the table; a failure leaves the buttons
    // inert and is shown. A choice declined (unsaved toggles kept) puts the selectors back.
    bool taken = true;
    ui::reported(m_messenger, [&] { taken = step(); });
    if (!taken) {
        showChoices();
    }
    showClasses();
}

void ClassteacherDialog::showChoices() {
    for (const auto& [box, text] :
         {std::pair{m_grade, m_logic.grade()}, std::pair{m_course, m_logic.course()},
          std::pair{m_teacher, m_logic.teacher()}}) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(box->findText(toQString(text)));
    }
}

void ClassteacherDialog::toggleClass(int k) {
    m_logic.toggleClass(k);
    showClasses();
}

void ClassteacherDialog::showTeachers() {
    const QSignalBlocker blocker(m_teacher);
    m_teacher->clear();
    m_teacher->addItems(toQStringList(m_logic.offeredTeachers()));
    m_teacher->setCurrentIndex(m_teacher->findText(toQString(m_logic.teacher())));
}

void ClassteacherDialog::showClasses() {
    for (int k = 1; k <= Classteacher::kClasses; ++k) {
        m_classes->setClass(k, toQString(m_logic.buttonCaption(k)), m_logic.isSelected(k),
                            m_logic.buttonEnabled(k), toQString(m_logic.buttonToolTip(k)));
    }
    m_classes->setSelectionText(toQString(m_logic.selectionText()));
}

} // namespace planning
