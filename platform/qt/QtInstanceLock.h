#pragma once
// The single-instance test: a per-user lock file "Pexora.lock" in the runtime folder, taken when the
// object is built and held for its life. A lock left by a process that no longer runs does not count,
// and an instance that started second takes the lock over (TryHold) once the holder has ended.

#include <QLockFile>
#include <QString>

#include "platform/InstanceLock.h"

class QtInstanceLock : public InstanceLock {
public:
    // The lock in the user's runtime folder (or, without one, a per-user name in the temporary folder).
    QtInstanceLock();
    // The lock "Pexora.lock" in `directory` (tests).
    explicit QtInstanceLock(const QString& directory);

    bool IsFirstInstance() const override { return first_; }
    bool TryHold() override;

    // The lock file the default constructor uses.
    static QString DefaultLockFile();

private:
    QLockFile lock_;
    bool first_ = true;
    bool held_ = true;  // also when no lock can be made at all: then every instance counts as holder
};
