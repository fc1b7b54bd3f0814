// The settings file on a file system that turns read-only: the store says its write failed, the
// earlier file stays whole and no temporary file is left beside it.
#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

#include "platform/qt/QtSettingsStore.h"
#include "support/SmallTmpfs.h"

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const std::string& folder) {
    return QDir(QString::fromStdString(folder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(QtSettingsStoreFailingSave, ReadOnlyFileSystemKeepsTheEarlierSettings) {
    SmallTmpfs tmpfs(1 << 20);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString file = QString::fromStdString(tmpfs.File("Pexora.ini"));
    {
        QtSettingsStore store(file);
        store.WriteString("Settings", "ArrowLength", "50.0000");
        ASSERT_TRUE(store.Sync());
    }
    const QByteArray earlier = ReadBytes(file);
    ASSERT_TRUE(earlier.contains("ArrowLength=50.0000"));

    ASSERT_TRUE(tmpfs.MakeReadOnly());
    {
        QtSettingsStore store(file);
        EXPECT_EQ(store.ReadString("Settings", "ArrowLength"), "50.0000");
        store.WriteString("Settings", "ArrowLength", "7.0000");
        EXPECT_FALSE(store.Sync());
    }
    EXPECT_EQ(ReadBytes(file), earlier);
    EXPECT_EQ(Entries(tmpfs.File("")), QStringList{"Pexora.ini"});
}
