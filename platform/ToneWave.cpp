#include "platform/ToneWave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

bool IsPlayableTone(int frequencyHz, int durationMs) {
    return frequencyHz >= kToneMinFrequency && frequencyHz <= kToneMaxFrequency && durationMs > 0;
}

std::vector<int16_t> MakeSineTone(int frequencyHz, int durationMs, int sampleRate) {
    if (!IsPlayableTone(frequencyHz, durationMs) || sampleRate <= 0) return {};
    const int64_t count = int64_t{std::min(durationMs, kToneMaxDurationMs)} * sampleRate / 1000;
    const int64_t fade = std::min<int64_t>(sampleRate / 200, count / 2);
    const double step = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
    std::vector<int16_t> samples(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const int64_t edge = std::min(i, count - 1 - i);
        const double gain = edge < fade ? static_cast<double>(edge) / fade : 1.0;
        samples[static_cast<size_t>(i)] =
            static_cast<int16_t>(std::lround(8191.0 * gain * std::sin(step * i)));
    }
    return samples;
}
