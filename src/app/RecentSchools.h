// RecentSchools: the school folders opened last, most recent first, at most kLimit of them,
// kept in QSettings under "recentSchools" in the user's ~/.config/tavlen/tavlen.conf. Folders are
// absolute UTF-8 paths; adding one that is already listed moves it to the top. Entries whose folder
// no longer holds a school are kept (a detached disk may come back) but reported as missing.
#pragma once

#include <string>
#include <vector>

namespace app {

class RecentSchools {
public:
    static constexpr std::size_t kLimit = 8;

    struct Entry {
        std::string folder;
        bool present = false; // the folder still holds tavlen/tavlen.mdb
    };

    std::vector<Entry> entries() const;
    void add(const std::string& folder);

private:
    std::vector<std::string> folders() const;
};

} // namespace app
