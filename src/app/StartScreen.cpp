#include "app/StartScreen.h"

#include "app/SchoolFolder.h"
#include "cli/InitCommand.h"

#include <sstream>
#include <utility>

namespace app {

SchoolMaker initSchoolMaker() {
    return [](const std::string& folder, bool demo) -> std::string {
        std::ostringstream out;
        std::ostringstream err;
        if (cli::initSchool(folder, demo, out, err) == 0) {
            return {};
        }
        const std::string reason = err.str();
        return reason.empty() ? "无法新建学校 " + folder : reason;
    };
}

StartScreen::StartScreen(ui::Messenger& messenger, FolderChooser chooseFolder,
                         SchoolMaker makeSchool)
    : m_messenger(messenger), m_chooseFolder(std::move(chooseFolder)),
      m_makeSchool(std::move(makeSchool)) {}

bool StartScreen::createSchool(bool demo) {
    const std::string folder = m_chooseFolder("新建学校");
    if (folder.empty()) {
        return false;
    }
    const std::string clean = cleanFolder(folder);
    if (const std::string failure = m_makeSchool(clean, demo); !failure.empty()) {
        m_messenger.error(failure);
        return false;
    }
    m_chosen = clean;
    return true;
}

bool StartScreen::openSchool() {
    const std::string folder = m_chooseFolder("打开学校");
    if (folder.empty()) {
        return false;
    }
    const std::string clean = cleanFolder(folder);
    if (!holdsSchool(clean)) {
        m_messenger.error("该文件夹中没有学校（tavlen/tavlen.mdb）：" + clean);
        return false;
    }
    m_chosen = clean;
    return true;
}

bool StartScreen::openRecent(std::size_t index) {
    const std::vector<RecentSchools::Entry> entries = recent();
    if (index >= entries.size()) {
        return false;
    }
    if (!entries[index].present) {
        m_messenger.error("该学校已不在：" + entries[index].folder);
        return false;
    }
    m_chosen = entries[index].folder;
    return true;
}

} // namespace app
