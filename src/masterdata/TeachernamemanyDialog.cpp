#include "masterdata/TeachernamemanyDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace masterdata {

TeachernamemanyDialog::TeachernamemanyDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    setWindowTitle(widgets::toQString(Teachernamemany::kTitle));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    for (int k = 0; k < Teachernamemany::kBoxes; ++k) {
        auto* edit = new widgets::GbkLineEdit(Teachernamemany::kBoxBytes, this);
        // Three Chinese characters and a little margin; the default width would be far wider.
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("欧阳明")) + 24);
        grid->addWidget(edit, k / Teachernamemany::kColumns, k % Teachernamemany::kColumns);
        m_boxes[static_cast<std::size_t>(k)] = edit;
    }
    layout->addLayout(grid);
    layout->addSpacing(8);

    m_buttons = new widgets::DialogButtons(
        *this, m_messenger,
        [this] {
            Teachernamemany::Texts texts;
            for (std::size_t k = 0; k < texts.size(); ++k) {
                texts[k] = widgets::toStdString(m_boxes[k]->text());
            }
            m_logic.setTexts(texts);
            return true;
        },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    layout->addWidget(m_buttons);
}

widgets::GbkLineEdit* TeachernamemanyDialog::box(int index) const {
    return m_boxes.at(static_cast<std::size_t>(index));
}

} // namespace masterdata
