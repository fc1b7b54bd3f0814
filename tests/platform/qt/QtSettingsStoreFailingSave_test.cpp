// The settings file on a file system that fills up or turns read-only: the store says its write
// failed, the earlier file stays whole and no temporary file is left beside it.
#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(QtSettingsStoreFailingSave, FullAndReadOnlyFileSystemsKeepTheEarlierSettings) {
    SmallTmpfs tmpfs(64 << 10);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString file = QString::fromStdString(tmpfs.File("Pexora.ini"));
    {
        QtSettingsStore store(file);
        store.WriteString("Settings", "ArrowLength", "50.0000");
        ASSERT_TRUE(store.Sync());
    }
    const QByteArray earlier = ReadBytes(file);
    ASSERT_TRUE(earlier.contains("ArrowLength=50.0000"));

    // A value larger than the whole file system: Qt would write the file cut off where the disk was
    // full and rename it over the good one. It is held back, also when the store ends.
    {
        QtSettingsStore store(file);
        store.WriteBytes("Settings", "Placement", std::vector<uint8_t>(200 << 10, 0x5A));
        store.WriteString("Settings", "ArrowLength", "12.5000");
        EXPECT_FALSE(store.Sync());
        EXPECT_EQ(store.ReadString("Settings", "ArrowLength"), "12.5000") << "kept for this session";
    }
    EXPECT_EQ(ReadBytes(file), earlier);
    EXPECT_EQ(Entries(tmpfs.File("")), QStringList{"Pexora.ini"});
    {
        QtSettingsStore store(file);
        store.WriteBytes("Settings", "Placement", std::vector<uint8_t>(1000, 0x5A));
        EXPECT_TRUE(store.Sync()) << "what fits is written";
    }
    EXPECT_TRUE(ReadBytes(file).contains("Placement=@ByteArray(ZZZ"));
    EXPECT_TRUE(ReadBytes(file).contains("ArrowLength=50.0000"));

    ASSERT_TRUE(tmpfs.MakeReadOnly());
    const QByteArray beforeReadOnly = ReadBytes(file);
    {
        QtSettingsStore store(file);
        EXPECT_EQ(store.ReadString("Settings", "ArrowLength"), "50.0000");
        store.WriteString("Settings", "ArrowLength", "7.0000");
        EXPECT_FALSE(store.Sync());
    }
    EXPECT_EQ(ReadBytes(file), beforeReadOnly);
    EXPECT_EQ(Entries(tmpfs.File("")), QStringList{"Pexora.ini"});
}
