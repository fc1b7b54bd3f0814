#include "platform/qt/AlsaTones.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <vector>

#include "platform/ToneWave.h"

namespace {

// ALSA reports a missing device on stderr; a missing device is normal here (servers, CI), so stay quiet.
void QuietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

void PlayThroughAlsa(int frequencyHz, int durationMs, const std::function<bool()>& stopping) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return;
    // 100 ms of device latency; ALSA resamples when the device does not take the rate.
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kToneSampleRate, 1,
                           100000) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const std::vector<int16_t> samples = MakeSineTone(frequencyHz, durationMs, kToneSampleRate);
    const size_t chunk = kToneSampleRate / 100;  // 10 ms, so that stopping is noticed quickly
    bool interrupted = false;
    for (size_t done = 0; done < samples.size();) {
        interrupted = stopping();
        if (interrupted) break;
        const size_t count = std::min(chunk, samples.size() - done);
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples.data() + done, count);
        if (written < 0) written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
        if (written < 0) break;
        done += static_cast<size_t>(written);
    }
    if (interrupted)
        snd_pcm_drop(pcm);
    else
        snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}

}  // namespace

AlsaTones::AlsaTones() : AlsaTones(PlayThroughAlsa) {
    snd_lib_error_set_handler(QuietAlsaErrors);
}

AlsaTones::AlsaTones(Player player) : player_(std::move(player)) {
    worker_ = std::thread([this] { Run(); });
}

AlsaTones::~AlsaTones() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void AlsaTones::Beep(int frequencyHz, int durationMs) {
    if (!IsPlayableTone(frequencyHz, durationMs)) return;
    {
        std::lock_guard lock(mutex_);
        if (waiting_.size() >= kMaxWaiting) return;
        waiting_.emplace_back(frequencyHz, durationMs);
    }
    wake_.notify_one();
}

void AlsaTones::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        const auto [frequency, duration] = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        player_(frequency, duration, [this] { return Stopping(); });
        lock.lock();
    }
}

bool AlsaTones::Stopping() {
    std::lock_guard lock(mutex_);
    return stopping_;
}
