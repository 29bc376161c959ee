#include "app/SchoolFolder.h"

#include "widgets/TextConvert.h"

#include <QDir>
#include <QFileInfo>

namespace app {

bool holdsSchool(const std::string& folder) {
    return !folder.empty() &&
           QFileInfo(widgets::toQString(folder) + QStringLiteral("/tavlen/tavlen.mdb")).isFile();
}

std::string cleanFolder(const std::string& folder) {
    return widgets::toStdString(QDir::cleanPath(QDir(widgets::toQString(folder)).absolutePath()));
}

} // namespace app
