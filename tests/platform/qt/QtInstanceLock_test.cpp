#include "platform/qt/QtInstanceLock.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

TEST(QtInstanceLock, OnlyTheFirstHolderIsFirstUntilItEnds) {
    QTemporaryDir dir;
    auto first = std::make_unique<QtInstanceLock>(dir.path());
    EXPECT_TRUE(first->IsFirstInstance());
    EXPECT_TRUE(QFile::exists(dir.filePath("Pexora.lock")));
    {
        const QtInstanceLock second(dir.path());
        EXPECT_FALSE(second.IsFirstInstance());
    }
    // The second one did not take the lock away.
    EXPECT_FALSE(QtInstanceLock(dir.path()).IsFirstInstance());
    first.reset();
    EXPECT_FALSE(QFile::exists(dir.filePath("Pexora.lock")));
    EXPECT_TRUE(QtInstanceLock(dir.path()).IsFirstInstance());
}

TEST(QtInstanceLock, ASecondInstanceTakesTheLockOverWhenTheHolderEnds) {
    QTemporaryDir dir;
    auto first = std::make_unique<QtInstanceLock>(dir.path());
    QtInstanceLock second(dir.path());
    EXPECT_TRUE(first->TryHold());
    EXPECT_FALSE(second.TryHold());
    first.reset();
    EXPECT_TRUE(second.TryHold());
    EXPECT_TRUE(second.TryHold());
    EXPECT_FALSE(second.IsFirstInstance()) << "how it started does not change";
    // A third one now finds the second holding it.
    QtInstanceLock third(dir.path());
    EXPECT_FALSE(third.IsFirstInstance());
    EXPECT_FALSE(third.TryHold());
}

TEST(QtInstanceLock, LockOfADeadProcessDoesNotCount) {
    QTemporaryDir dir;
    QProcess finished;
    finished.start("true", {});
    ASSERT_TRUE(finished.waitForStarted());
    const qint64 deadPid = finished.processId();
    ASSERT_TRUE(finished.waitForFinished());

    QFile lock(dir.filePath("Pexora.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\npexora\n" + QSysInfo::machineHostName().toUtf8() + "\n" +
               QSysInfo::machineUniqueId() + "\n" + QSysInfo::bootUniqueId() + "\n");
    lock.close();

    EXPECT_TRUE(QtInstanceLock(dir.path()).IsFirstInstance());
}

TEST(QtInstanceLock, UnwritableFolderStillLetsTheProgramStart) {
    QtInstanceLock lock("/proc/no-such-folder");
    EXPECT_TRUE(lock.IsFirstInstance());
    EXPECT_TRUE(lock.TryHold()) << "without any lock, every instance answers";
}

TEST(QtInstanceLock, DefaultLockIsPexoraLockOfThisUser) {
    EXPECT_TRUE(QtInstanceLock::DefaultLockFile().endsWith(".lock"));
    EXPECT_TRUE(QtInstanceLock::DefaultLockFile().contains("Pexora"));
}
