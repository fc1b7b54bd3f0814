// Keyframe files and mesh snapshots on failing file systems: a disk that fills up at every byte count,
// a read-only file system and a missing folder. A keyframe save keeps the earlier file of its number
// and leaves no temporary file; a snapshot save leaves no partial "~CM" file and keeps the record's
// earlier snapshot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "flight/KeyframeBytes.h"
#include "flight/KeyframeFile.h"
#include "flight/KeyframeStore.h"
#include "flight/MeshSnapshot.h"
#include "flight/SceneBlock.h"
#include "scene/Poly3gon.h"
#include "support/FullDisk.h"
#include "support/SmallTmpfs.h"

namespace {

// Points TMPDIR at `path` for the life of the object.
class TemporaryDirectoryAt {
public:
    explicit TemporaryDirectoryAt(const std::string& path) {
        const char* earlier = std::getenv("TMPDIR");
        had_ = earlier != nullptr;
        if (had_) earlier_ = earlier;
        setenv("TMPDIR", path.c_str(), 1);
    }
    ~TemporaryDirectoryAt() {
        if (had_)
            setenv("TMPDIR", earlier_.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    bool had_ = false;
    std::string earlier_;
};

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

TEST(KeyframeFailingSave, FullDiskAtEveryByteKeepsTheEarlierKeyframe) {
    ScratchDirectory folder;
    const std::string path = folder.File("");
    const std::vector<uint8_t> earlier = KeyframeFileBytes(3);
    folder.Write("~kf0001.dat", earlier);
    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(path, 1, *block));
    block->state.count = 5;  // a longer file than the one it replaces
    const uint64_t size = kSceneHeaderSize + 6 * kRecordHeadSize;
    for (uint64_t capacity = 0; capacity < size; capacity += capacity < 600 ? 1 : 97) {
        FullDiskAfter full(capacity);
        ASSERT_FALSE(WriteKeyframeFile(path, 1, *block)) << capacity;
        ASSERT_FALSE(WriteKeyframeFile(path, 2, *block)) << capacity;
        ASSERT_EQ(ReadWholeFile(folder.File("~kf0001.dat")), earlier) << capacity;
        ASSERT_EQ(Names(path), std::vector<std::string>{"~kf0001.dat"}) << capacity;
    }
    FullDiskAfter exactlyEnough(size);
    EXPECT_TRUE(WriteKeyframeFile(path, 1, *block));
    EXPECT_EQ(ReadWholeFile(folder.File("~kf0001.dat")).size(), size);
    EXPECT_FALSE(WriteKeyframeFile(folder.File("gone"), 0, *block)) << "a folder that went away";
}

TEST(KeyframeFailingSave, ReadOnlyFileSystemKeepsKeyframesAndTakesNoSnapshot) {
    SmallTmpfs tmpfs(1 << 20);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string folder = tmpfs.File("");
    const std::vector<uint8_t> earlier = KeyframeFileBytes(2);
    ASSERT_TRUE(SaveWholeFile(tmpfs.File("~kf0000.dat"), earlier.data(), earlier.size()));
    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(folder, 0, *block));
    ASSERT_TRUE(tmpfs.MakeReadOnly());

    EXPECT_FALSE(WriteKeyframeFile(folder, 0, *block));
    EXPECT_FALSE(WriteKeyframeFile(folder, 1, *block));
    EXPECT_EQ(ReadWholeFile(tmpfs.File("~kf0000.dat")), earlier);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"~kf0000.dat"});

    SceneObject record;
    record.mesh = new Poly3gon(3, 1);
    SetRecordText(record.backupPath, "/earlier/~CMkept");
    {
        const TemporaryDirectoryAt temporary(folder);
        EXPECT_FALSE(SaveMeshSnapshot(record));
    }
    EXPECT_STREQ(record.backupPath, "/earlier/~CMkept");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"~kf0000.dat"});
    delete record.mesh;
}

TEST(KeyframeFailingSave, SnapshotOnAFullDiskLeavesNoPartialFile) {
    SmallTmpfs tmpfs(64 << 10);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string folder = tmpfs.File("");
    const TemporaryDirectoryAt temporary(folder);
    SceneObject record;
    SetRecordText(record.backupPath, "/earlier/~CMkept");

    // About 12 bytes per vertex and 24 per facet: 5 KB fits, 480 KB does not.
    for (const uint64_t facets : {200u, 20000u}) {
        record.mesh = new Poly3gon(facets / 2 + 2, facets);
        for (uint64_t i = 0; i < record.mesh->vertexCount * 3; ++i)
            record.mesh->vertices[i] = float(i);
        for (uint64_t i = 0; i < facets * 3; ++i)
            record.mesh->facets[i] = int64_t(i % record.mesh->vertexCount);
        const bool saved = SaveMeshSnapshot(record);
        EXPECT_EQ(saved, facets == 200u);
        if (saved) {
            EXPECT_EQ(Names(folder).size(), 1u);
            std::remove(record.backupPath);
            SetRecordText(record.backupPath, "/earlier/~CMkept");
        }
        EXPECT_STREQ(record.backupPath, "/earlier/~CMkept");
        EXPECT_TRUE(Names(folder).empty()) << "no partial snapshot is left";
        delete record.mesh;
    }
    record.mesh = nullptr;
}
