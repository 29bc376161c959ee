#include "masterdata/TeachernameEditDialog.h"

#include "masterdata/NameInsertDialog.h"
#include "masterdata/TeachernamemanyDialog.h"
#include "widgets/DialogButtons.h"
#include "widgets/TextConvert.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace masterdata {
namespace {

// The captions keep their inner spaces.
constexpr std::array<const char*, TeachernameEditDialog::kCommands> kCommandCaptions = {
    "向上移", "向下移", "插  入", "添  加", "删   除", "插入一批", "添加一批"};

} // namespace

TeachernameEditDialog::TeachernameEditDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(m_messenger) {
    setWindowTitle(widgets::toQString(TeachernameEdit::kTitle));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    for (int c = 0; c < kCommands; ++c) {
        auto* button = new QPushButton(
            widgets::toQString(kCommandCaptions[static_cast<std::size_t>(c)]), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, c] { run(static_cast<Command>(c)); });
        top->addWidget(button);
        m_commands[static_cast<std::size_t>(c)] = button;
    }
    m_buttons = new widgets::DialogButtons(
        *this, m_messenger, [this] { return m_logic.save(); },
        widgets::DialogButtons::Ok | widgets::DialogButtons::Cancel);
    top->addSpacing(12);
    top->addWidget(m_buttons);
    layout->addLayout(top);
    layout->addSpacing(6);

    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    const int nameWidth = fontMetrics().horizontalAdvance(QStringLiteral("欧阳明")) + 20;
    for (int i = 0; i < TeachernameEdit::kButtons; ++i) {
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        button->setMinimumWidth(nameWidth);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_logic.selectButton(i);
            refresh();
        });
        grid->addWidget(button, i / TeachernameEdit::kGridColumns,
                        i % TeachernameEdit::kGridColumns);
        m_names[static_cast<std::size_t>(i)] = button;
    }
    layout->addLayout(grid);
    refresh();
}

QPushButton* TeachernameEditDialog::commandButton(Command command) const {
    return m_commands.at(static_cast<std::size_t>(command));
}

QPushButton* TeachernameEditDialog::nameButton(int index) const {
    return m_names.at(static_cast<std::size_t>(index));
}

void TeachernameEditDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] { m_logic.reportOverflow(); });
    }
}

void TeachernameEditDialog::run(Command command) {
    switch (command) {
    case MoveUp:
        m_logic.moveUp();
        break;
    case MoveDown:
        m_logic.moveDown();
        break;
    case Insert:
        askName(true);
        break;
    case Add:
        askName(false);
        break;
    case Delete:
        m_logic.remove();
        break;
    case InsertBatch:
        askBatch(true);
        break;
    case AddBatch:
        askBatch(false);
        break;
    case kCommands:
        break;
    }
    refresh();
}

void TeachernameEditDialog::askName(bool insert) {
    if (!m_logic.roomForOne()) {
        return;
    }
    NameInsertDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted || !dialog.result()) {
        return;
    }
    if (insert) {
        m_logic.insert(*dialog.result());
    } else {
        m_logic.add(*dialog.result());
    }
}

void TeachernameEditDialog::askBatch(bool insert) {
    if (!m_logic.roomForBatch()) {
        return;
    }
    TeachernamemanyDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::vector<std::string> batch = dialog.batch();
    if (insert) {
        m_logic.insertBatch(batch);
    } else {
        m_logic.addBatch(batch);
    }
}

void TeachernameEditDialog::refresh() {
    const TeachernameEdit::Captions captions = m_logic.captions();
    const int pressed = m_logic.pressedIndex();
    for (int i = 0; i < TeachernameEdit::kButtons; ++i) {
        QPushButton* button = m_names[static_cast<std::size_t>(i)];
        button->setText(widgets::toQString(captions[static_cast<std::size_t>(i)]));
        button->setChecked(i == pressed);
    }
}

} // namespace masterdata
