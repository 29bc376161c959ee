#include "masterdata/CoursenameDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/GbkLineEdit.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace masterdata {

CoursenameDialog::CoursenameDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(widgets::toQString(Coursename::kTitle));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    const Coursename::Names& names = m_logic.names();
    for (int k = 0; k < Coursename::kEntries; ++k) {
        auto* edit = new widgets::GbkLineEdit(Coursename::kBoxBytes, this);
        edit->setText(widgets::toQString(names[static_cast<std::size_t>(k)]));
        // Room for four Chinese characters and a little margin.
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("信息技术")) +
                              24);
        grid->addWidget(edit, k / Coursename::kColumns, k % Coursename::kColumns);
        m_boxes[static_cast<std::size_t>(k)] = edit;
    }
    layout->addLayout(grid);
    layout->addSpacing(8);
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return save(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    layout->addWidget(m_buttons);
}

widgets::GbkLineEdit* CoursenameDialog::box(int index) const {
    return m_boxes.at(static_cast<std::size_t>(index));
}

void CoursenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // Once the dialog is on screen, so the message stands in front of it.
        QTimer::singleShot(0, this, [this] { m_logic.reportOverflow(); });
    }
}

bool CoursenameDialog::save() {
    Coursename::Names names;
    for (std::size_t k = 0; k < names.size(); ++k) {
        names[k] = widgets::toStdString(m_boxes[k]->text());
    }
    m_logic.setNames(names);
    return m_logic.save();
}

} // namespace masterdata
