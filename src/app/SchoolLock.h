// SchoolLock: one running program per school folder. The lock is the file
// tavlen/tavlen.lock in the school folder, held for the object's lifetime (QLockFile). A lock
// whose process is gone (the program was killed or crashed) is taken over; a lock of a running
// program is never taken over however old it is (no stale time).
#pragma once

#include <QLockFile>
#include <QString>

namespace app {

class SchoolLock {
public:
    // What a second start in the same folder is told.
    static constexpr const char* kHeldElsewhere = "该学校已在另一个 tavlen 窗口中打开。";

    // The lock of schoolFolder (not yet taken).
    explicit SchoolLock(const QString& schoolFolder);

    enum class Result {
        Held,          // this program now holds the school
        HeldElsewhere, // another running program does
        Unavailable    // no lock file can be written there (a read-only folder)
    };
    Result acquire();

    static QString lockPath(const QString& schoolFolder);

private:
    QLockFile m_lock;
};

} // namespace app
