// enterSchool(): where the program works, before the main window opens. The arguments after
// the program's name are none (the current folder) or one folder DIR, which the process changes
// into. A folder without tavlen/tavlen.mdb gets the start screen (the injected call answers the
// chosen school, or nothing when it was cancelled) and the process changes into the school
// chosen. The school's lock is then taken: a school another running program holds is refused
// with SchoolLock::kHeldElsewhere; a folder where no lock can be written (read-only) is worked
// in without one, as before there was a lock. The school worked in goes to the top of the
// recent list.
#pragma once

#include "app/SchoolLock.h"
#include "core/Messenger.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace app {

using StartScreenRunner = std::function<std::optional<std::string>()>;

struct SchoolEntry {
    bool run = false;                 // false: exit with exitCode
    int exitCode = 0;                 // 0 after a cancelled start screen
    std::unique_ptr<SchoolLock> lock; // held while the program runs
};

SchoolEntry enterSchool(const QStringList& arguments, ui::Messenger& messenger,
                        const StartScreenRunner& startScreen);

} // namespace app
