#include "app/SchoolLock.h"

#include <QSysInfo>

#include <cerrno>

#include <signal.h>

namespace app {

SchoolLock::SchoolLock(const QString& schoolFolder) : m_lock(lockPath(schoolFolder)) {
    // A stale time would let a second program take the lock of a long-running first one.
    // Without it QLockFile still takes over a lock whose process no longer runs (it reads the
    // pid, host and program name the lock file names).
    m_lock.setStaleLockTime(0);
}

SchoolLock::Result SchoolLock::acquire() {
    if (m_lock.tryLock(0)) {
        return Result::Held;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        return Result::Unavailable;
    }
    // tryLock already takes over the lock of a dead process on this host, unless another
    // program was removing it at the same moment; then it is removed here once more, only
    // when the process it names is surely gone.
    qint64 pid = 0;
    QString host;
    QString program;
    if (!m_lock.getLockInfo(&pid, &host, &program) || host != QSysInfo::machineHostName() ||
        pid <= 0 || kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
        return Result::HeldElsewhere;
    }
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0) ? Result::Held : Result::HeldElsewhere;
}

QString SchoolLock::lockPath(const QString& schoolFolder) {
    return schoolFolder + QStringLiteral("/tavlen/tavlen.lock");
}

} // namespace app
