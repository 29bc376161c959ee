// What the shell needs from its surroundings, injectable for tests: the messenger that shows
// message boxes (QtMessenger on the main window when null) and the desktop's "open" action
// for help files and links (QDesktopServices::openUrl when empty; true when it started), the
// folder chooser of 打开其他学校… (QFileDialog when empty) and the installed manual that
// 帮助主题 opens where the working directory has no tavlen.chm, and the reader of the school's
// standing that the overview shows (the open database's when empty).
#pragma once

#include "app/OverviewPanel.h"
#include "app/StartScreen.h"
#include "core/Messenger.h"

#include <QString>
#include <QUrl>

class QWidget;

#include <functional>

namespace app {

using UrlOpener = std::function<bool(const QUrl&)>;

inline constexpr const char* kInstalledManual = "/usr/share/doc/tavlen/manual/index.html";

struct ShellServices {
    ui::Messenger* messenger = nullptr;
    UrlOpener openUrl;
    FolderChooser chooseFolder = {};
    QString manual = QString::fromUtf8(kInstalledManual);
    OverviewPanel::StandingReader readStanding = {};
};

UrlOpener desktopUrlOpener();
// QFileDialog::getExistingDirectory over parent, starting in the home folder.
FolderChooser dialogFolderChooser(QWidget* parent);

} // namespace app
