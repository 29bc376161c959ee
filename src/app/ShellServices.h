// What the shell needs from its surroundings, injectable for tests: the messenger that shows
// message boxes (QtMessenger on the main window when null) and the desktop's "open" action
// for help files and links (QDesktopServices::openUrl when empty; true when it started).
#pragma once

#include "core/Messenger.h"

#include <QUrl>

#include <functional>

namespace app {

using UrlOpener = std::function<bool(const QUrl&)>;

struct ShellServices {
    ui::Messenger* messenger = nullptr;
    UrlOpener openUrl;
};

UrlOpener desktopUrlOpener();

} // namespace app
