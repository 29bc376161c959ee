// HyperlinkLabel: a static text that works as a hyperlink, for the About box. It looks like
// a link, shows a pointing hand while the pointer is over it, and a left click opens its
// target through the desktop's "open" action when the target is a web or mail address
// (LinkTarget.h). A target of any other form is refused with "Error: wrong superlink
// format"; a valid target that the desktop cannot open is reported too.
#pragma once

#include "app/ShellServices.h"
#include "core/Messenger.h"

#include <QLabel>

namespace app {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    // messenger must outlive the label.
    HyperlinkLabel(const QString& target, ui::Messenger& messenger, UrlOpener openUrl,
                   QWidget* parent = nullptr);

    QString target() const { return m_target; }

    // What a click does; true when the target was handed to the desktop and it started.
    bool activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_target;
    ui::Messenger& m_messenger;
    UrlOpener m_openUrl;
};

} // namespace app
