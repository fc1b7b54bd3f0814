// The settings file on a file system that fills up or turns read-only: QSettings writes through a
// temporary file of its own, so the seam under SafeFileWriter does not reach it and a real tmpfs does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/SmallTmpfs.h"

namespace {

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

TEST(QtSettingsStoreFailingSave, AFullOrReadOnlyFileSystemKeepsTheEarlierFile) {
    SmallTmpfs tmpfs(64 * 1024);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root here";
    const std::string path = tmpfs.File("Pexora.ini");
    QtSettingsStore store(QString::fromStdString(path));
    ASSERT_TRUE(store.WriteInt("Settings", "Perspective", 45));
    ASSERT_TRUE(store.Sync());
    const std::vector<uint8_t> earlier = ReadWholeFile(path);
    ASSERT_FALSE(earlier.empty());

    // A value larger than the whole file system.
    EXPECT_TRUE(store.WriteBytes("Settings", "Placement", std::vector<uint8_t>(128 * 1024, 0x5a)));
    EXPECT_FALSE(store.Sync());
    EXPECT_EQ(ReadWholeFile(path), earlier);
    EXPECT_EQ(Names(tmpfs.File("")), std::vector<std::string>{"Pexora.ini"});

    // A value that QSettings keeps in its write buffer, so that the disk fills when the buffer is flushed.
    ASSERT_TRUE(store.RemoveValue("Settings", "Placement"));
    std::ofstream(tmpfs.File("filler")) << std::string(14 * 4096, 'f');
    ASSERT_TRUE(store.WriteString("Settings", "Folder", std::string(6000, 'd')));
    EXPECT_FALSE(store.Sync());
    EXPECT_EQ(ReadWholeFile(path), earlier);
    std::filesystem::remove(tmpfs.File("filler"));

    ASSERT_TRUE(tmpfs.MakeReadOnly());
    store.WriteInt("Settings", "Perspective", 60);
    EXPECT_FALSE(store.Sync());
    EXPECT_EQ(ReadWholeFile(path), earlier);
    EXPECT_EQ(Names(tmpfs.File("")), std::vector<std::string>{"Pexora.ini"});
}
