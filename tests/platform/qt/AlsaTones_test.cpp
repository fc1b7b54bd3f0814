#include "platform/qt/AlsaTones.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Tone = std::pair<int, int>;  // (frequency Hz, duration ms)

// A player that records each tone it is given and holds the first one until the test lets it end,
// so that the test decides what waits in the queue. Every wait is on a condition, never on time.
class HeldPlayer {
public:
    AlsaTones::Player Player() {
        return [this](int frequency, int duration, const std::function<bool()>& stopping) {
            std::unique_lock lock(mutex_);
            played_.emplace_back(frequency, duration);
            changed_.notify_all();
            if (played_.size() > 1) return;
            // The first tone plays until it is released or the player is stopped.
            while (!released_) {
                lock.unlock();
                if (stopping()) {
                    lock.lock();
                    interrupted_ = true;
                    return;
                }
                std::this_thread::yield();
                lock.lock();
            }
        };
    }
    void WaitForPlayed(size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return played_.size() >= count; });
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
    }
    std::vector<Tone> Played() {
        std::lock_guard lock(mutex_);
        return played_;
    }
    bool Interrupted() {
        std::lock_guard lock(mutex_);
        return interrupted_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Tone> played_;
    bool released_ = false;
    bool interrupted_ = false;
};

}  // namespace

TEST(AlsaTones, PlaysTonesInOrderDropsUnplayableOnesAndWhatExceedsTheQueue) {
    HeldPlayer player;
    AlsaTones tones(player.Player());
    tones.Beep(1500, 30);
    player.WaitForPlayed(1);  // the first tone is playing, the queue is empty
    tones.Beep(2400, 30);
    tones.Beep(36, 30);     // below the audible range: nothing
    tones.Beep(1000, 0);    // no duration: nothing
    tones.Beep(32768, 30);  // above the range: nothing
    for (int i = 0; i < 50; ++i)
        tones.Beep(500, 100 + i);  // beyond eight waiting the rest is dropped
    player.Release();
    player.WaitForPlayed(1 + AlsaTones::kMaxWaiting);

    std::vector<Tone> expected{{1500, 30}, {2400, 30}};
    for (int i = 0; i + 1 < static_cast<int>(AlsaTones::kMaxWaiting); ++i)
        expected.emplace_back(500, 100 + i);
    EXPECT_EQ(player.Played(), expected);
    EXPECT_FALSE(player.Interrupted());
}

TEST(AlsaTones, EndingStopsThePlayingToneAndDropsWaitingOnes) {
    HeldPlayer player;
    {
        AlsaTones tones(player.Player());
        tones.Beep(1000, 10000);
        player.WaitForPlayed(1);
        tones.Beep(2000, 100);
        tones.Beep(3000, 100);
    }
    EXPECT_EQ(player.Played(), (std::vector<Tone>{{1000, 10000}}));
    EXPECT_TRUE(player.Interrupted());
}
