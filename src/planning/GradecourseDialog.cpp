#include "planning/GradecourseDialog.h"

#include "core/Reported.h"
#include "core/SchoolNames.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace planning {
namespace {

using widgets::toQString;
using widgets::toStdString;

// A course field holds a name of up to 10 GBK bytes.
constexpr std::size_t kCourseBytes = 10;
// Counts and days are at most two digits; anything above the limits is refused on saving.
constexpr int kNumberDigits = 2;

QLineEdit* numberBox(QWidget* parent, QValidator* digits) {
    auto* box = new QLineEdit(parent);
    box->setValidator(digits);
    box->setMaxLength(kNumberDigits);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return box;
}

} // namespace

GradecourseDialog::GradecourseDialog(int mode, QWidget* parent)
    : QDialog(parent), m_messenger(this),
      m_logic(m_messenger, mode == 0 ? Gradecourse::Mode::Grade : Gradecourse::Mode::Review) {
    setWindowTitle(toQString(Gradecourse::kTitle));
    m_logic.open();

    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    QStringList courses;
    for (const std::string& name : m_logic.courses()) {
        courses.append(toQString(name));
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    for (int column = 0; column < Gradecourse::kSlotColumns; ++column) {
        grid->addWidget(new QLabel(QStringLiteral("学科"), this), 0, column * 3);
        grid->addWidget(new QLabel(QStringLiteral("课时"), this), 0, column * 3 + 1);
        if (column > 0) {
            grid->setColumnMinimumWidth(column * 3 - 1, 16); // a gap between slot columns
        }
    }
    for (int k = 0; k < Gradecourse::kSlots; ++k) {
        auto* course = new QComboBox(this);
        course->setEditable(true);
        course->setLineEdit(new widgets::GbkLineEdit(kCourseBytes, course));
        course->setInsertPolicy(QComboBox::NoInsert);
        course->addItems(courses);
        course->setMinimumContentsLength(static_cast<int>(kCourseBytes)); // five Han characters
        auto* count = numberBox(this, digits);
        const int row = 1 + k / Gradecourse::kSlotColumns;
        const int column = (k % Gradecourse::kSlotColumns) * 3;
        grid->addWidget(course, row, column);
        grid->addWidget(count, row, column + 1);
        m_courses[static_cast<std::size_t>(k)] = course;
        m_counts[static_cast<std::size_t>(k)] = count;
    }

    m_grade = new QComboBox(this);
    for (const std::string_view grade : school::kGradeNames) {
        m_grade->addItem(toQString(std::string(grade)));
    }
    m_grade->setCurrentIndex(m_logic.gradeIndex());
    m_days = numberBox(this, digits);
    m_days->setEnabled(m_logic.review());

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });

    auto* days = new QHBoxLayout;
    days->addWidget(new QLabel(QStringLiteral("天数"), this));
    days->addWidget(m_days);
    days->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("年段"), this));
    right->addWidget(m_grade);
    right->addSpacing(12);
    right->addLayout(days);
    right->addStretch(1);
    right->addWidget(m_buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(16);
    layout->addLayout(right);

    showPlan();
    connect(m_grade, &QComboBox::currentIndexChanged, this, &GradecourseDialog::chooseGrade);
}

int GradecourseDialog::exec() {
    if (!m_logic.usable()) {
        widgets::QtMessenger(parentWidget()).info(m_logic.unusableMessage());
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void GradecourseDialog::chooseGrade(int index) {
    if (index != m_logic.gradeIndex() &&
        m_logic.edited(enteredSlots(), toStdString(m_days->text())) &&
        !m_messenger.confirm(Gradecourse::kDiscardQuestion)) {
        // 否: the grade shown stays, and so does what was typed
        const QSignalBlocker blocker(m_grade);
        m_grade->setCurrentIndex(m_logic.gradeIndex());
        return;
    }
    ui::reported(m_messenger, [&] { m_logic.chooseGrade(index); });
    if (!m_logic.hasGrade()) {
        // The grade's rows could not be read: show no grade rather than another grade's plan.
        const QSignalBlocker blocker(m_grade);
        m_grade->setCurrentIndex(-1);
    }
    showPlan();
}

void GradecourseDialog::showPlan() {
    const Gradecourse::Slots shown = m_logic.gridSlots();
    for (std::size_t k = 0; k < shown.size(); ++k) {
        m_courses[k]->setCurrentIndex(m_courses[k]->findText(toQString(shown[k].course)));
        m_courses[k]->setEditText(toQString(shown[k].course));
        m_counts[k]->setText(toQString(shown[k].weekly));
    }
    m_days->setText(toQString(m_logic.daysText()));
}

Gradecourse::Slots GradecourseDialog::enteredSlots() const {
    Gradecourse::Slots entered;
    for (std::size_t k = 0; k < entered.size(); ++k) {
        entered[k] = {toStdString(m_courses[k]->currentText()), toStdString(m_counts[k]->text())};
    }
    return entered;
}

bool GradecourseDialog::save() {
    if (m_logic.save(enteredSlots(), toStdString(m_days->text()))) {
        return true;
    }
    const int field = m_logic.refusedField();
    QLineEdit* box = field == Gradecourse::kDaysField ? m_days
                     : field >= 0                     ? countBox(field)
                                                      : nullptr;
    if (box != nullptr) {
        box->setFocus();
        box->selectAll();
    }
    return false;
}

} // namespace planning
