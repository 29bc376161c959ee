#include "publish/PageButtons.h"

#include "core/Messenger.h"
#include "publish/PageActions.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace publish {

PageButtons::PageButtons(QWidget* parent, ui::Messenger& messenger, PageSource source)
    : QWidget(parent), m_messenger(messenger), m_source(std::move(source)) {
    m_print = new QPushButton(QStringLiteral("打印"), this);
    m_export = new QPushButton(QStringLiteral("导出"), this);
    for (QPushButton* button : {m_print, m_export})
        button->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_print);
    layout->addWidget(m_export);
    connect(m_print, &QPushButton::clicked, this, [this] {
        if (const std::optional<Page> shown = page())
            printPage(*shown, window());
    });
    connect(m_export, &QPushButton::clicked, this, [this] {
        if (const std::optional<Page> shown = page())
            exportPage(*shown, m_messenger, exportDialog(window()));
    });
}

std::optional<Page> PageButtons::page() {
    std::string whyNot;
    std::optional<Page> shown;
    try {
        shown = m_source(whyNot);
    } catch (const std::exception& e) {
        whyNot = e.what();
    }
    if (!shown)
        m_messenger.info(whyNot);
    return shown;
}

} // namespace publish
