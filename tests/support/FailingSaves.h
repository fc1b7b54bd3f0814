#pragma once
// One table of failing file systems for every writer: the disk full after each byte count, a
// read-only directory, a target that is a directory and a path through a missing directory. In each
// case the save must report failure, keep the earlier file byte for byte and leave no temporary file.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "support/FullDisk.h"
#include "support/SmallTmpfs.h"

// Writes the file at the given path; true when it was written.
using SaveToPath = std::function<bool(const std::string& path)>;

inline const std::vector<uint8_t>& EarlierFileBytes() {
    static const std::vector<uint8_t> bytes = {'e', 'a', 'r', 'l', 'i', 'e', 'r', '\n'};
    return bytes;
}

// The number of bytes a successful save of `name` writes.
inline uint64_t SavedSize(const SaveToPath& save, const std::string& name) {
    ScratchDirectory directory;
    const std::string path = directory.File(name);
    EXPECT_TRUE(save(path)) << "a save to a good disk must succeed";
    return ReadWholeFile(path).size();
}

// Every byte count below the saved size (sampled beyond `everyCountUpTo`): an earlier file is kept,
// a missing one is not created, and nothing else appears in the directory.
inline void ExpectFullDisksKeepTheEarlierFile(const SaveToPath& save, const std::string& name,
                                              uint64_t everyCountUpTo = 4096) {
    const uint64_t size = SavedSize(save, name);
    ScratchDirectory directory;
    const std::string earlier = directory.Write(name, EarlierFileBytes());
    const std::string fresh = directory.File("fresh-" + name);
    for (uint64_t capacity = 0; capacity < size;
         capacity += capacity < everyCountUpTo ? 1 : std::max<uint64_t>(1, size / 64)) {
        FullDiskAfter full(capacity);
        ASSERT_FALSE(save(earlier)) << capacity;
        ASSERT_EQ(ReadWholeFile(earlier), EarlierFileBytes()) << capacity;
        ASSERT_FALSE(save(fresh)) << capacity;
        ASSERT_EQ(directory.Names(), std::vector<std::string>{name}) << capacity;
    }
    FullDiskAfter exactlyEnough(size);
    EXPECT_TRUE(save(fresh));
    EXPECT_EQ(ReadWholeFile(fresh).size(), size);
}

// A target that is a directory and a path through a missing directory are refused without a trace.
inline void ExpectImpossibleTargetsAreRefused(const SaveToPath& save, const std::string& name) {
    ScratchDirectory directory;
    const std::string folder = directory.File(name);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    EXPECT_FALSE(save(folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_FALSE(save(directory.File("missing/" + name)));
    EXPECT_EQ(directory.Names(), std::vector<std::string>{name});
}

// A read-only directory: a remounted tmpfs where the tests may mount (it stops root too), else a
// directory without write permission. Returns false (after GTEST_SKIP's message) when neither
// stops this user.
inline bool ExpectReadOnlyDirectoryKeepsTheEarlierFile(const SaveToPath& save, const std::string& name) {
    SmallTmpfs tmpfs(1 << 20);
    ScratchDirectory scratch;
    const bool mounted = tmpfs.Mounted();
    const std::string earlier = mounted ? tmpfs.File(name) : scratch.File(name);
    const std::string fresh = mounted ? tmpfs.File("fresh-" + name) : scratch.File("fresh-" + name);
    std::ofstream(earlier, std::ios::binary)
        .write(reinterpret_cast<const char*>(EarlierFileBytes().data()), EarlierFileBytes().size());
    const std::string folder = std::filesystem::path(earlier).parent_path().string();
    const bool readOnly = mounted ? tmpfs.MakeReadOnly() : chmod(folder.c_str(), 0555) == 0;
    if (!readOnly || access(folder.c_str(), W_OK) == 0) {
        chmod(folder.c_str(), 0755);
        return false;
    }
    EXPECT_FALSE(save(earlier));
    EXPECT_FALSE(save(fresh));
    EXPECT_EQ(ReadWholeFile(earlier), EarlierFileBytes());
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{name});
    chmod(folder.c_str(), 0755);
    return true;
}
