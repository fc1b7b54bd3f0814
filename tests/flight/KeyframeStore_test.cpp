#include "flight/KeyframeStore.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "flight/KeyframeBytes.h"
#include "flight/KeyframeFile.h"
#include "flight/KeyframeFolder.h"
#include "flight/SceneBlock.h"

namespace {

// A keyframe of `count` + 1 heads whose model heads name the given snapshot paths.
std::vector<uint8_t> KeyframeNaming(const std::vector<std::string>& snapshots) {
    FileBytes file;
    const int count = static_cast<int>(snapshots.size()) + 1;
    AppendKeyframeHeader(file, count);
    AppendKeyframeHead(file, 0, "");
    for (const std::string& path : snapshots)
        AppendKeyframeHead(file, 1, path);
    AppendKeyframeHead(file, count, "");
    return file.bytes;
}

TEST(KeyframeStore, NamesCountsAndReadsNumberedFiles) {
    ScratchDirectory folder;
    EXPECT_EQ(KeyframePath("/k", 3), "/k/~kf0003.dat");
    EXPECT_EQ(KeyframePath("/k", 12345), "/k/~kf12345.dat");
    EXPECT_EQ(CountKeyframes(folder.File("")), 0);
    folder.Write("~kf0000.dat", KeyframeFileBytes(2));
    folder.Write("~kf0001.dat", KeyframeFileBytes(5));
    folder.Write("~kf0003.dat", KeyframeFileBytes(2));
    const std::string path = folder.File("");
    EXPECT_EQ(CountKeyframes(path), 2) << "counting stops at the first gap";

    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(path, 1, *block));
    EXPECT_EQ(block->state.count, 5);
    EXPECT_FALSE(ReadKeyframeFile(path, 2, *block));
    EXPECT_EQ(block->state.count, 5) << "a missing file leaves the block";
    folder.Write("~kf0002.dat", {1, 2, 3});
    EXPECT_FALSE(ReadKeyframeFile(path, 2, *block));
}

TEST(KeyframeStore, WritesWhatItReadsAndKeepsTheFileOnFailure) {
    ScratchDirectory folder;
    const std::string path = folder.File("");
    folder.Write("~kf0000.dat", KeyframeFileBytes(3));
    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(path, 0, *block));
    ASSERT_TRUE(WriteKeyframeFile(path, 1, *block));
    auto again = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(path, 1, *again));
    EXPECT_EQ(ReadWholeFile(folder.File("~kf0001.dat")).size(), kSceneHeaderSize + 4 * kRecordHeadSize);
    EXPECT_STREQ(again->heads[2].backupPath, "/snap/~CM2");
    EXPECT_FALSE(WriteKeyframeFile(folder.File("missing"), 0, *block));
}

TEST(KeyframeStore, DeletesNumberedFilesAndTheirSnapshotsOnly) {
    ScratchDirectory folder;
    const std::string path = folder.File("");
    const std::vector<uint8_t> snapshot = {1};
    const std::string first = folder.Write("~CMa1", snapshot);
    const std::string second = folder.Write("~CMb2", snapshot);
    const std::string other = folder.Write("model.p3g", snapshot);
    folder.Write("~kf0000.dat", KeyframeNaming({first, other}));
    folder.Write("~kf0007.dat", KeyframeNaming({second, folder.File("~CMgone")}));
    folder.Write("~kf0001.dat", {9, 9});  // unreadable: deleted, nothing else
    folder.Write("~kf12a4.dat", KeyframeNaming({}));
    folder.Write("~kf00001.dat", KeyframeNaming({}));
    folder.Write("~kf0002.dat.bak", KeyframeNaming({}));
    DeleteKeyframeFiles(path);
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"model.p3g", "~kf00001.dat", "~kf0002.dat.bak", "~kf12a4.dat"}));
}

TEST(KeyframeFolder, OwnFolderPerProcessAndDeadFoldersRemoved) {
    ScratchDirectory base;
    const std::string path = base.File("");
    const pid_t self = getpid();
    // A process id that does not run: a child that has ended and been reaped.
    const pid_t dead = [] {
        const pid_t child = fork();
        if (child == 0) _exit(0);
        int status = 0;
        waitpid(child, &status, 0);
        return child;
    }();
    ASSERT_FALSE(ProcessIsAlive(dead));
    std::filesystem::create_directory(base.File(std::to_string(dead)));
    const std::string snapshot = base.Write("~CMdead", {1});
    std::ofstream(base.File(std::to_string(dead) + "/~kf0000.dat"), std::ios::binary)
        .write(reinterpret_cast<const char*>(KeyframeNaming({snapshot}).data()),
               KeyframeNaming({snapshot}).size());
    std::filesystem::create_directory(base.File("1"));  // init runs: its folder stays
    std::filesystem::create_directory(base.File("notes"));

    const std::string own = PrepareKeyframeFolder(path, self);
    EXPECT_EQ(own, path + "/" + std::to_string(self));
    EXPECT_TRUE(std::filesystem::is_directory(own));
    EXPECT_EQ(std::filesystem::status(own).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    std::vector<std::string> names = base.Names();
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = {"1", "notes", std::to_string(self)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << "the dead instance's folder and snapshot are gone";
    EXPECT_EQ(PrepareKeyframeFolder(path, self), own) << "preparing again keeps the folder";
    EXPECT_EQ(PrepareKeyframeFolder("", self), "");
}

// Sets an environment variable for the life of the object and puts the earlier value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        const char* earlier = std::getenv(name);
        if (earlier != nullptr) earlier_ = earlier;
        had_ = earlier != nullptr;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (had_)
            setenv(name_, earlier_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string earlier_;
    bool had_ = false;
};

TEST(KeyframeFolder, BaseFollowsTheUsersDirectories) {
    {
        const ScopedEnvironment runtime("XDG_RUNTIME_DIR", "/run/user/7");
        EXPECT_EQ(KeyframeFolderBase(), "/run/user/7/pexora-keyframes");
    }
    const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", nullptr);
    {
        const ScopedEnvironment cache("XDG_CACHE_HOME", "/c");
        EXPECT_EQ(KeyframeFolderBase(), "/c/pexora/keyframes");
    }
    const ScopedEnvironment relativeCache("XDG_CACHE_HOME", "relative");
    const ScopedEnvironment home("HOME", "/home/u");
    EXPECT_EQ(KeyframeFolderBase(), "/home/u/.cache/pexora/keyframes") << "relative paths are ignored";
}

}  // namespace
