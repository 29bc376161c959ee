#include "app/ShellServices.h"

#include <QDesktopServices>

namespace app {

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

} // namespace app
