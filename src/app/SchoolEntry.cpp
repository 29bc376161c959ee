#include "app/SchoolEntry.h"

#include "app/RecentSchools.h"
#include "app/SchoolFolder.h"
#include "widgets/TextConvert.h"

#include <QDir>

namespace app {
namespace {

SchoolEntry exitWith(int code) {
    SchoolEntry entry;
    entry.exitCode = code;
    return entry;
}

} // namespace

SchoolEntry enterSchool(const QStringList& arguments, ui::Messenger& messenger,
                        const StartScreenRunner& startScreen) {
    if (arguments.size() > 1) {
        messenger.error("用法: tavlen [选项] [文件夹]");
        return exitWith(2);
    }
    if (!arguments.isEmpty() && !QDir::setCurrent(arguments.front())) {
        messenger.error("无法进入文件夹 " + widgets::toStdString(arguments.front()));
        return exitWith(1);
    }
    if (!holdsSchool(widgets::toStdString(QDir::currentPath()))) {
        const std::optional<std::string> chosen = startScreen();
        if (!chosen) {
            return exitWith(0);
        }
        if (!QDir::setCurrent(widgets::toQString(*chosen))) {
            messenger.error("无法进入文件夹 " + *chosen);
            return exitWith(1);
        }
    }
    const QString folder = QDir::currentPath();
    SchoolEntry entry;
    entry.lock = std::make_unique<SchoolLock>(folder);
    switch (entry.lock->acquire()) {
    case SchoolLock::Result::Held:
        break;
    case SchoolLock::Result::HeldElsewhere:
        messenger.error(SchoolLock::kHeldElsewhere);
        return exitWith(1);
    case SchoolLock::Result::Unavailable:
        entry.lock.reset();
        break;
    }
    RecentSchools().add(widgets::toStdString(folder));
    entry.run = true;
    return entry;
}

} // namespace app
