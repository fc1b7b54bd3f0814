#include "platform/qt/QtInstanceLock.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace {

// Only a lock held by another live process says "not held"; a lock that cannot be made at all (folder
// not writable) must not stop the program from opening its window.
bool TakeLock(QLockFile& lock) {
    // A live instance holds the lock for as long as it runs: never treat it as stale because of its age.
    lock.setStaleLockTime(0);
    return lock.tryLock(0) || lock.error() != QLockFile::LockFailedError;
}

}  // namespace

QString QtInstanceLock::DefaultLockFile() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return QDir(runtime).filePath("Pexora.lock");
    // The temporary folder is shared by all users: the lock name must be this user's own.
    const QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return QDir(temp).filePath(QString("Pexora-%1.lock").arg(getuid()));
}

QtInstanceLock::QtInstanceLock() : lock_(DefaultLockFile()) {
    first_ = held_ = TakeLock(lock_);
}

QtInstanceLock::QtInstanceLock(const QString& directory) : lock_(QDir(directory).filePath("Pexora.lock")) {
    first_ = held_ = TakeLock(lock_);
}

bool QtInstanceLock::TryHold() {
    // A lock whose holder ended is gone or stale: taking it over is an ordinary try.
    if (!held_) held_ = TakeLock(lock_);
    return held_;
}
