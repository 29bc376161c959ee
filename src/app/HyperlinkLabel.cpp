#include "app/HyperlinkLabel.h"

#include "app/LinkTarget.h"
#include "widgets/TextConvert.h"

#include <QMouseEvent>

#include <utility>

namespace app {

HyperlinkLabel::HyperlinkLabel(const QString& target, ui::Messenger& messenger, UrlOpener openUrl,
                               QWidget* parent)
    : QLabel(target, parent), m_target(target), m_messenger(messenger),
      m_openUrl(std::move(openUrl)) {
    // Plain text: the label opens the target itself, after checking it.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

bool HyperlinkLabel::activate() {
    const std::string target = widgets::toStdString(m_target);
    const auto url = linkUrl(target);
    if (!url) {
        m_messenger.error(kWrongLinkMessage);
        return false;
    }
    const UrlOpener open = m_openUrl ? m_openUrl : desktopUrlOpener();
    if (!open(QUrl(widgets::toQString(*url)))) {
        m_messenger.error("无法打开 " + target);
        return false;
    }
    return true;
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        activate();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace app
