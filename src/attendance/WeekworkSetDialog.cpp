#include "attendance/WeekworkSetDialog.h"

#include "core/Reported.h"
#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace attendance {

using widgets::toQString;
using widgets::toStdString;

WeekworkSetDialog::WeekworkSetDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(toQString(WeekworkSet::kTitle));

    m_grade = new QComboBox(this);
    for (const std::string& grade : WeekworkSet::grades()) {
        m_grade->addItem(toQString(grade));
    }
    m_grade->setCurrentIndex(-1);
    m_grade->setMinimumContentsLength(6);
    auto* top = new QHBoxLayout;
    auto* gradeLabel = new QLabel(QStringLiteral("年段"), this);
    gradeLabel->setBuddy(m_grade);
    top->addWidget(gradeLabel);
    top->addWidget(m_grade);
    top->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int p = 0; p < WeekworkSet::kPairs; ++p) {
        auto* subject = new QComboBox(this);
        subject->setEditable(true);
        subject->setLineEdit(new widgets::GbkLineEdit(WeekworkSet::kSubjectBytes, subject));
        subject->setInsertPolicy(QComboBox::NoInsert);
        subject->setMinimumContentsLength(5);
        auto* weekly = new QLineEdit(this);
        weekly->setValidator(digits);
        weekly->setMaxLength(2);
        weekly->setAlignment(Qt::AlignRight);
        weekly->setFixedWidth(weekly->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        const int line = p / WeekworkSet::kPairsPerLine;
        const int column = 4 * (p % WeekworkSet::kPairsPerLine);
        grid->addWidget(new QLabel(QStringLiteral("学科"), this), line, column);
        grid->addWidget(subject, line, column + 1);
        grid->addWidget(new QLabel(QStringLiteral("周课时"), this), line, column + 2);
        grid->addWidget(weekly, line, column + 3);
        m_subjects[static_cast<std::size_t>(p)] = subject;
        m_weekly[static_cast<std::size_t>(p)] = weekly;
    }

    m_buttons = new widgets::DialogButtons(*this, m_messenger, [this] { return save(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(m_buttons);

    connect(m_grade, &QComboBox::activated, this, &WeekworkSetDialog::chooseGrade);
}

void WeekworkSetDialog::chooseGrade(int index) {
    if (!ui::reported(m_messenger, [&] { m_logic.chooseGrade(index); })) {
        m_logic.chooseGrade(-1);
        m_grade->setCurrentIndex(-1);
    }
    showPairs();
}

void WeekworkSetDialog::showPairs() {
    for (std::size_t p = 0; p < m_subjects.size(); ++p) {
        const WeekworkSet::Pair& pair = m_logic.pairs()[p];
        m_subjects[p]->setEditText(toQString(pair.subject));
        m_weekly[p]->setText(toQString(pair.weekly));
    }
}

bool WeekworkSetDialog::save() {
    WeekworkSet::Pairs typed;
    for (std::size_t p = 0; p < typed.size(); ++p) {
        typed[p] = {toStdString(m_subjects[p]->currentText()), toStdString(m_weekly[p]->text())};
    }
    if (!m_logic.save(typed)) {
        if (const int refused = m_logic.refusedPair(); refused >= 0) {
            weeklyBox(refused)->setFocus();
            weeklyBox(refused)->selectAll();
        }
        return false;
    }
    return true;
}

} // namespace attendance
