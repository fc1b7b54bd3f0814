// Keyframe folders of several instances: two running at once never touch each other's keyframes or
// snapshots, and one killed with SIGKILL, even in the middle of a save, leaves nothing that the next
// start does not clean away.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "flight/KeyframeBytes.h"
#include "flight/KeyframeFolder.h"
#include "flight/KeyframeStore.h"
#include "flight/SceneBlock.h"
#include "import/SafeFileWriter.h"

namespace {

// A keyframe of count 2 (three heads) whose one model head names the snapshot at `snapshot`.
std::vector<uint8_t> KeyframeWithSnapshot(const std::string& snapshot) {
    FileBytes file;
    AppendKeyframeHeader(file, 2);
    AppendKeyframeHead(file, 0, "");
    AppendKeyframeHead(file, 1, snapshot);
    AppendKeyframeHead(file, 2, "");
    return file.bytes;
}

std::vector<std::string> SortedNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A child process that waits until the returned descriptor is closed: a running instance.
pid_t StartWaitingChild(int& release) {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(ends[1]);
        char byte;
        while (read(ends[0], &byte, 1) > 0) {
        }
        _exit(0);
    }
    close(ends[0]);
    release = ends[1];
    return child;
}

}  // namespace

TEST(KeyframeInstances, TwoRunningInstancesNeverTouchEachOthersFiles) {
    ScratchDirectory scratch;
    const std::string base = scratch.File("keyframes");
    int release = -1;
    const pid_t other = StartWaitingChild(release);
    ASSERT_GT(other, 0);

    const std::string theirs = PrepareKeyframeFolder(base, other);
    ASSERT_FALSE(theirs.empty());
    const std::string theirSnapshot = scratch.Write("~CMtheirs", {1, 2, 3});
    scratch.Write("keyframes/" + std::to_string(other) + "/~kf0000.dat", KeyframeWithSnapshot(theirSnapshot));
    const std::vector<std::string> theirNames = SortedNames(theirs);

    // This instance starts while the other runs, stores keyframes and ends, deleting its own.
    const std::string ours = PrepareKeyframeFolder(base, getpid());
    ASSERT_FALSE(ours.empty());
    EXPECT_NE(ours, theirs);
    const std::string ourSnapshot = scratch.Write("~CMours", {4});
    scratch.Write("keyframes/" + std::to_string(getpid()) + "/~kf0000.dat",
                  KeyframeWithSnapshot(ourSnapshot));
    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(ReadKeyframeFile(ours, 0, *block));
    ASSERT_TRUE(WriteKeyframeFile(ours, 1, *block));
    EXPECT_EQ(CountKeyframes(ours), 2);
    EXPECT_EQ(CountKeyframes(theirs), 1);
    DeleteKeyframeFiles(ours);
    EXPECT_EQ(CountKeyframes(ours), 0);
    EXPECT_FALSE(std::filesystem::exists(ourSnapshot));

    EXPECT_EQ(SortedNames(theirs), theirNames);
    EXPECT_EQ(ReadWholeFile(theirSnapshot), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(PrepareKeyframeFolder(base, getpid()), ours) << "a running instance's folder stays";
    EXPECT_TRUE(std::filesystem::exists(theirSnapshot));

    close(release);
    waitpid(other, nullptr, 0);
}

TEST(KeyframeInstances, InstanceKilledInTheMiddleOfASaveIsCleanedAwayAtTheNextStart) {
    ScratchDirectory scratch;
    const std::string base = scratch.File("keyframes");
    const std::string snapshot = scratch.Write("~CMkilled", {7});
    const pid_t killed = fork();
    if (killed == 0) {
        const std::string folder = PrepareKeyframeFolder(base, getpid());
        auto block = std::make_unique<SceneBlock>();
        const std::vector<uint8_t> keyframe = KeyframeWithSnapshot(snapshot);
        if (folder.empty() || !SaveWholeFile(KeyframePath(folder, 0), keyframe.data(), keyframe.size()) ||
            !ReadKeyframeFile(folder, 0, *block) || !WriteKeyframeFile(folder, 1, *block))
            _exit(1);
        SafeFileWriter unfinished;
        if (!unfinished.Open(KeyframePath(folder, 2)) || !unfinished.Write(keyframe.data(), 100)) _exit(1);
        raise(SIGKILL);
        _exit(1);
    }
    ASSERT_GT(killed, 0);
    int status = 0;
    ASSERT_EQ(waitpid(killed, &status, 0), killed);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed before it was killed";
    const std::string dead = base + "/" + std::to_string(killed);
    const std::vector<std::string> left = SortedNames(dead);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0], "~kf0000.dat");
    EXPECT_EQ(left[1], "~kf0001.dat");
    EXPECT_TRUE(left[2].starts_with("~kf0002.dat.tmp-")) << left[2];

    const std::string own = PrepareKeyframeFolder(base, getpid());
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(SortedNames(base), std::vector<std::string>{std::to_string(getpid())})
        << "the killed instance's folder is gone with its unfinished save";
    EXPECT_FALSE(std::filesystem::exists(snapshot)) << "and so is the snapshot its keyframes named";
    auto block = std::make_unique<SceneBlock>();
    FileBytes file;
    AppendKeyframeHeader(file, 1);
    AppendKeyframeHead(file, 0, "");
    AppendKeyframeHead(file, 1, "");
    ASSERT_TRUE(SaveWholeFile(KeyframePath(own, 0), file.bytes.data(), file.bytes.size()));
    ASSERT_TRUE(ReadKeyframeFile(own, 0, *block));
    EXPECT_TRUE(WriteKeyframeFile(own, 1, *block));
    EXPECT_EQ(CountKeyframes(own), 2);
}
