// StartScreen: what the program offers when it is started in a folder that holds no school,
// and what 打开其他学校… / 最近的学校 of the main window use. Each way returns true once a
// school folder is chosen (chosen() names it, absolute, UTF-8); a refusal is shown through
// the messenger and leaves nothing chosen; a cancelled folder chooser says nothing.
//   createSchool(demo): a folder, then the same initialisation as `tavlen-cli init`, with the
//     demo school when asked; init's own message when it refuses (say, a school is there).
//   openSchool(): a folder that holds tavlen/tavlen.mdb; any other folder is refused.
//   openRecent(i): entry i of the recent list, only while its folder still holds a school.
#pragma once

#include "app/RecentSchools.h"
#include "core/Messenger.h"

#include <functional>
#include <string>
#include <vector>

namespace app {

// Asks for a folder under the given caption; empty when the user cancels.
using FolderChooser = std::function<std::string(const std::string& caption)>;
// Makes a school in folder; empty on success, else the reason.
using SchoolMaker = std::function<std::string(const std::string& folder, bool demo)>;

// cli::initSchool.
SchoolMaker initSchoolMaker();

class StartScreen {
public:
    StartScreen(ui::Messenger& messenger, FolderChooser chooseFolder,
                SchoolMaker makeSchool = initSchoolMaker());

    // The recent list as it stands on disk now.
    std::vector<RecentSchools::Entry> recent() const { return m_recent.entries(); }

    bool createSchool(bool demo);
    bool openSchool();
    bool openRecent(std::size_t index);

    const std::string& chosen() const { return m_chosen; }

private:
    ui::Messenger& m_messenger;
    FolderChooser m_chooseFolder;
    SchoolMaker m_makeSchool;
    RecentSchools m_recent;
    std::string m_chosen;
};

} // namespace app
