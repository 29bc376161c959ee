#include "app/RecentSchools.h"

#include "app/SchoolFolder.h"
#include "widgets/TextConvert.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <utility>

namespace app {
namespace {

const QString kKey = QStringLiteral("recentSchools");

std::unique_ptr<QSettings> openSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("tavlen"), QStringLiteral("tavlen"));
}

} // namespace

std::vector<std::string> RecentSchools::folders() const {
    std::vector<std::string> result;
    for (const QString& folder : openSettings()->value(kKey).toStringList()) {
        if (!folder.isEmpty() && result.size() < kLimit) {
            result.push_back(widgets::toStdString(folder));
        }
    }
    return result;
}

std::vector<RecentSchools::Entry> RecentSchools::entries() const {
    std::vector<Entry> result;
    for (std::string& folder : folders()) {
        const bool present = holdsSchool(folder);
        result.push_back({std::move(folder), present});
    }
    return result;
}

void RecentSchools::add(const std::string& folder) {
    const std::string clean = cleanFolder(folder);
    std::vector<std::string> list = folders();
    std::erase(list, clean);
    list.insert(list.begin(), clean);
    if (list.size() > kLimit) {
        list.resize(kLimit);
    }
    QStringList stored;
    for (const std::string& entry : list) {
        stored << widgets::toQString(entry);
    }
    const auto settings = openSettings();
    settings->setValue(kKey, stored);
    settings->sync();
}

} // namespace app
