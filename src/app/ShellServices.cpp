#include "app/ShellServices.h"

#include "widgets/TextConvert.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>

namespace app {

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

FolderChooser dialogFolderChooser(QWidget* parent) {
    return [parent](const std::string& caption) {
        return widgets::toStdString(QFileDialog::getExistingDirectory(
            parent, widgets::toQString(caption), QDir::homePath()));
    };
}

} // namespace app
