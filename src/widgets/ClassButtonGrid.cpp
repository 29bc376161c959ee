#include "widgets/ClassButtonGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace widgets {
namespace {

constexpr int kColumns = 5;
constexpr int kButtonWidth = 80;

} // namespace

ClassButtonGrid::ClassButtonGrid(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout;
    for (int k = 1; k <= kClasses; ++k) {
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumWidth(kButtonWidth);
        grid->addWidget(button, (k - 1) / kColumns, (k - 1) % kColumns);
        // The dialog decides the state: the click only asks for the toggle.
        connect(button, &QPushButton::clicked, this, [this, k, button] {
            button->setChecked(!button->isChecked());
            emit toggled(k);
        });
        m_buttons[static_cast<std::size_t>(k - 1)] = button;
    }

    m_selection = new QLabel(this);
    m_selection->setMinimumHeight(2 * m_selection->fontMetrics().height());
    m_selection->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* caption = new QLabel(QStringLiteral("选定班级："), this);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* selected = new QHBoxLayout;
    selected->addWidget(caption);
    selected->addWidget(m_selection, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(selected);
}

QPushButton* ClassButtonGrid::button(int k) const {
    return m_buttons.at(static_cast<std::size_t>(k - 1));
}

void ClassButtonGrid::setClass(int k, const QString& caption, bool selected, bool enabled,
                               const QString& toolTip) {
    QPushButton* b = button(k);
    b->setText(caption);
    b->setChecked(selected);
    b->setEnabled(enabled);
    b->setToolTip(toolTip);
}

void ClassButtonGrid::setSelectionText(const QString& text) {
    m_selection->setText(text);
}

} // namespace widgets
