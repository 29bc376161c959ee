#include "app/OverviewPanel.h"

#include "overview/DatabaseInUse.h"
#include "overview/NextStep.h"
#include "overview/OverviewText.h"
#include "overview/SchoolStanding.h"
#include "widgets/TextConvert.h"

#include <QLabel>
#include <QScrollArea>

#include <exception>
#include <utility>

namespace app {

OverviewPanel::OverviewPanel(QWidget* parent, StandingReader read)
    : QDockWidget(QStringLiteral("学校概况"), parent),
      m_read(read ? std::move(read) : StandingReader(&overview::readStanding)) {
    setObjectName(QStringLiteral("overviewPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("overviewText"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->setMargin(8);
    m_text->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_text, &QLabel::linkActivated, this, [this](const QString& link) {
        const QString prefix = widgets::toQString(std::string(overview::kEntryLink));
        if (link.startsWith(prefix)) {
            emit entryChosen(link.mid(prefix.size()));
        }
    });
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_text);
    setWidget(scroll);
}

void OverviewPanel::refresh() {
    std::string html;
    try {
        const overview::Standing standing = m_read();
        html = overview::overviewHtml(standing, overview::nextStep(standing));
    } catch (const std::exception& error) {
        html = overview::unreadableHtml(overview::databaseInUse(), error.what());
    }
    m_text->setText(widgets::toQString(html));
}

} // namespace app
