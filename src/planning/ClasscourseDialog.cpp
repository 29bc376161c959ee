#include "planning/ClasscourseDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace planning {
namespace {

using widgets::toQString;
using widgets::toStdString;

constexpr int kSlotsPerRow = 3;
constexpr int kColumnsPerSlot = 4; // course, teacher, count, gap

QStringList toQStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list.append(toQString(name));
    }
    return list;
}

QComboBox* nameBox(QWidget* parent, const QStringList& names) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setLineEdit(new widgets::GbkLineEdit(Classcourse::kNameBytes, box));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(names);
    box->setMinimumContentsLength(6);
    box->setCurrentIndex(-1);
    return box;
}

// Offers other names while keeping what the box shows.
void offer(QComboBox& box, const QStringList& names) {
    const QString shown = box.currentText();
    box.clear();
    box.addItems(names);
    box.setCurrentIndex(-1);
    box.setEditText(shown);
}

void showText(QComboBox& box, const std::string& text) {
    box.setCurrentIndex(-1);
    box.setEditText(toQString(text));
}

} // namespace

ClasscourseDialog::ClasscourseDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(Classcourse::kTitle));
    setMouseTracking(true);
    if (!m_logic.load()) {
        return; // run() shows why; the dialog never opens
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    for (int column = 0; column < kSlotsPerRow; ++column) {
        const int first = column * kColumnsPerSlot;
        grid->addWidget(new QLabel(QStringLiteral("学科"), this), 0, first);
        grid->addWidget(new QLabel(QStringLiteral("教师"), this), 0, first + 1);
        grid->addWidget(new QLabel(QStringLiteral("周课时"), this), 0, first + 2);
        if (column > 0) {
            grid->setColumnMinimumWidth(first - 1, 16);
        }
    }
    const QStringList courses = toQStringList(m_logic.courseChoices());
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), this);
    for (int k = 0; k < Classcourse::kSlots; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_courses[i] = nameBox(this, courses);
        m_teachers[i] = nameBox(this, toQStringList(m_logic.teacherChoices(k)));
        m_weekly[i] = new QLineEdit(this);
        m_weekly[i]->setValidator(digits);
        m_weekly[i]->setAlignment(Qt::AlignRight);
        m_weekly[i]->setFixedWidth(
            m_weekly[i]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);

        const int row = 1 + k / kSlotsPerRow;
        const int column = (k % kSlotsPerRow) * kColumnsPerSlot;
        grid->addWidget(m_courses[i], row, column);
        grid->addWidget(m_teachers[i], row, column + 1);
        grid->addWidget(m_weekly[i], row, column + 2);

        connect(m_courses[i], &QComboBox::activated, this, [this, k] { m_logic.courseChosen(k); });
        connect(m_teachers[i], &QComboBox::activated, this,
                [this, k] { m_logic.teacherChosen(k); });
    }

    m_class = new QComboBox(this);
    m_class->addItems(toQStringList(m_logic.classNames()));
    m_class->setCurrentIndex(-1);
    m_class->setMinimumContentsLength(6);

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });
    // At the right the buttons stand one under the other.
    if (auto* row = qobject_cast<QBoxLayout*>(m_buttons->layout())) {
        row->setDirection(QBoxLayout::TopToBottom);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("班级"), this));
    right->addWidget(m_class);
    right->addStretch(1);
    right->addWidget(m_buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(16);
    layout->addLayout(right);

    showPlan();
    connect(m_class, &QComboBox::currentIndexChanged, this, &ClasscourseDialog::chooseClass);
}

void ClasscourseDialog::run(QWidget* parent) {
    ClasscourseDialog dialog(parent);
    if (!dialog.m_logic.usable()) {
        widgets::QtMessenger(parent).info(dialog.m_logic.unusableMessage());
        return;
    }
    dialog.exec();
}

QComboBox* ClasscourseDialog::courseBox(int slot) const {
    return m_courses.at(static_cast<std::size_t>(slot));
}

QComboBox* ClasscourseDialog::teacherBox(int slot) const {
    return m_teachers.at(static_cast<std::size_t>(slot));
}

QLineEdit* ClasscourseDialog::weeklyBox(int slot) const {
    return m_weekly.at(static_cast<std::size_t>(slot));
}

void ClasscourseDialog::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the controls do not count, as on the original; a caption is surface.
    const QWidget* under = childAt(event->position().toPoint());
    if (under == nullptr || qobject_cast<const QLabel*>(under) != nullptr) {
        refreshTeacherBoxes();
    }
    QDialog::mouseMoveEvent(event);
}

void ClasscourseDialog::refreshTeacherBoxes() {
    if (!m_logic.usable()) {
        return;
    }
    for (const int k : m_logic.refreshTeacherChoices(slotTexts())) {
        offer(*teacherBox(k), toQStringList(m_logic.teacherChoices(k)));
    }
}

void ClasscourseDialog::chooseClass(int index) {
    if (index != m_shownClass && m_logic.edited(slotTexts()) &&
        !m_messenger.confirm(Classcourse::kDiscardQuestion)) {
        // 否: the class shown stays, and so does what was typed
        const QSignalBlocker blocker(m_class);
        m_class->setCurrentIndex(m_shownClass);
        return;
    }
    m_shownClass = index;
    Classcourse::ClassChoice choice = Classcourse::ClassChoice::Shown;
    ui::reported(m_messenger, [&] { choice = m_logic.chooseClass(index); });
    showPlan();
    if (choice == Classcourse::ClassChoice::NoPlan) {
        reject();
    }
}

void ClasscourseDialog::showPlan() {
    for (int k = 0; k < Classcourse::kSlots; ++k) {
        const Classcourse::SlotText text = m_logic.slotText(k);
        showText(*courseBox(k), text.course);
        showText(*teacherBox(k), text.teacher);
        weeklyBox(k)->setText(toQString(text.weekly));
    }
}

Classcourse::Slots ClasscourseDialog::slotTexts() const {
    Classcourse::Slots texts;
    for (int k = 0; k < Classcourse::kSlots; ++k) {
        texts[static_cast<std::size_t>(k)] = {toStdString(courseBox(k)->currentText()),
                                              toStdString(teacherBox(k)->currentText()),
                                              toStdString(weeklyBox(k)->text())};
    }
    return texts;
}

bool ClasscourseDialog::save() {
    if (const std::optional<int> refused = m_logic.take(slotTexts())) {
        QLineEdit* field = weeklyBox(*refused);
        field->setFocus();
        field->selectAll();
        return false;
    }
    return m_logic.save();
}

} // namespace planning
