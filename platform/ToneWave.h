#pragma once
// Samples of the short notification tones: a sine with soft edges in 16-bit mono PCM.

#include <cstdint>
#include <vector>

inline constexpr int kToneMinFrequency = 37;
inline constexpr int kToneMaxFrequency = 32767;
inline constexpr int kToneMaxDurationMs = 10000;  // longer requests are cut to this
inline constexpr int kToneSampleRate = 48000;

// Whether a tone request plays anything: a frequency within 37..32767 Hz and a positive duration.
bool IsPlayableTone(int frequencyHz, int durationMs);

// durationMs * sampleRate / 1000 samples of a sine at a quarter of full scale, faded in and out over 5 ms
// so that the speaker does not click. Empty when the tone is not playable or sampleRate <= 0.
std::vector<int16_t> MakeSineTone(int frequencyHz, int durationMs, int sampleRate);
