#include "masterdata/GradeclassDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace masterdata {

GradeclassDialog::GradeclassDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(widgets::toQString(Gradeclass::kTitle));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    grid->setColumnMinimumWidth(2, 24); // between the junior and the senior column
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    const Gradeclass::Texts texts = m_logic.texts();
    constexpr int kPerColumn = school::kGrades / 2;
    for (int g = 0; g < school::kGrades; ++g) {
        auto* label = new QLabel(widgets::toQString(Gradeclass::label(g)), this);
        auto* edit = new QLineEdit(widgets::toQString(texts[static_cast<std::size_t>(g)]), this);
        edit->setValidator(digits);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        label->setBuddy(edit);
        const int row = g % kPerColumn;
        const int column = g < kPerColumn ? 0 : 3;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        m_boxes[static_cast<std::size_t>(g)] = edit;
    }
    layout->addLayout(grid);
    layout->addSpacing(8);
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return save(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    layout->addWidget(m_buttons);
}

QLineEdit* GradeclassDialog::box(int gradeIndex) const {
    return m_boxes.at(static_cast<std::size_t>(gradeIndex));
}

bool GradeclassDialog::save() {
    Gradeclass::Texts texts;
    for (std::size_t g = 0; g < texts.size(); ++g) {
        texts[g] = widgets::toStdString(m_boxes[g]->text());
    }
    if (const std::optional<int> refused = m_logic.take(texts)) {
        QLineEdit* edit = box(*refused);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return m_logic.save();
}

} // namespace masterdata
