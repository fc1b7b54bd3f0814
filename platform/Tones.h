#pragma once
// Short notification tones.

class Tones {
public:
    virtual ~Tones() = default;
    // Starts a sine tone and returns at once; tones asked for while one plays follow it.
    // Frequencies outside 37..32767 Hz and durations <= 0 play nothing; silent without a sound device.
    virtual void Beep(int frequencyHz, int durationMs) = 0;
};
