#include "widgets/DialogButtons.h"

#include "core/Reported.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include <exception>
#include <utility>

namespace widgets {

DialogButtons::DialogButtons(QDialog& dialog, ui::Messenger& messenger, SaveFunction save,
                             Buttons buttons)
    : QWidget(&dialog), m_dialog(dialog), m_messenger(messenger), m_saveFunction(std::move(save)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    auto addButton = [&](const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        row->addWidget(button);
        return button;
    };
    if (buttons.testFlag(Save)) {
        m_save = addButton(QStringLiteral("存盘"));
        connect(m_save, &QPushButton::clicked, this, [this] { this->save(); });
    }
    if (buttons.testFlag(Ok)) {
        m_ok = addButton(QStringLiteral("确定"));
        m_ok->setDefault(true);
        connect(m_ok, &QPushButton::clicked, this, &DialogButtons::saveAndClose);
    }
    if (buttons.testFlag(Cancel)) {
        m_cancel = addButton(QStringLiteral("取消"));
        connect(m_cancel, &QPushButton::clicked, &m_dialog, &QDialog::reject);
    }
}

bool DialogButtons::save() {
    if (!m_saveFunction) {
        return true;
    }
    bool saved = false;
    ui::reported(m_messenger, [&] { saved = m_saveFunction(); });
    return saved;
}

void DialogButtons::saveAndClose() {
    if (save()) {
        m_dialog.accept();
    }
}

} // namespace widgets
