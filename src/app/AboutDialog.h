// AboutDialog: the About box. Shows the program icon, the product's display name and
// version, the maker's details and one hyperlink line (HyperlinkLabel on kMakerLink), with
// a 确定 button. Reads and writes nothing.
#pragma once

#include "app/ShellServices.h"
#include "core/Messenger.h"

#include <QDialog>

namespace app {

class HyperlinkLabel;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // messenger must outlive the dialog.
    AboutDialog(ui::Messenger& messenger, UrlOpener openUrl, QWidget* parent = nullptr);

    HyperlinkLabel* link() const { return m_link; }

private:
    HyperlinkLabel* m_link;
};

} // namespace app
