#pragma once
// Tones through ALSA's default playback device, played one after another on a worker thread so that the
// interface never waits for them. Without a sound device every tone is silently dropped.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/Tones.h"

class AlsaTones : public Tones {
public:
    static constexpr size_t kMaxWaiting = 8;  // tones asked for beyond this while others wait are dropped

    // Plays one tone to its end, or until `stopping` turns true (asked between short chunks).
    using Player =
        std::function<void(int frequencyHz, int durationMs, const std::function<bool()>& stopping)>;

    // Tones through ALSA's default device.
    AlsaTones();
    // Tones through `player` on the worker thread (tests give a recording one).
    explicit AlsaTones(Player player);
    // Stops the tone playing (if any), drops the waiting ones and joins the worker.
    ~AlsaTones() override;
    AlsaTones(const AlsaTones&) = delete;
    AlsaTones& operator=(const AlsaTones&) = delete;

    void Beep(int frequencyHz, int durationMs) override;

private:
    void Run();
    bool Stopping();

    Player player_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<int, int>> waiting_;
    bool stopping_ = false;
    std::thread worker_;
};
