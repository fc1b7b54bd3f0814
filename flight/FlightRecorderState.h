#pragma once
// What the flight recorder window shows and the playback reads: the choices of the window, kept by the
// main frame for its whole life so that they survive closing and reopening the window, and the frame
// counts derived from them.

#include <string>

#include "flight/FadeSettings.h"

inline constexpr const char* kFadeAdjustedMessage =
    "The number of the fade frames was adjusted to the range of the image frames.";
// Frame counts typed into the window are held to 0 .. kMaxFlightFrames.
inline constexpr int kMaxFlightFrames = 1000;

struct FlightRecorderState {
    int currentKeyframe = 0;     // 1-based number of the keyframe last shown; 0: none yet
    int saveFiles = 0;           // "save files": the playback is written out
    int interpolated = 0;        // "interpolated frames": states between the keyframes are played
    int interpolatedFrames = 0;  // frames between two keyframes, 0 .. kMaxFlightFrames
    int repeat = 0;              // "repeat": the flight runs again until stopped (not while saving)
    int idle = 1;                // 0 while a playback runs; setting it to 1 stops the playback
    std::string keyframeText;    // "%d/%d" of currentKeyframe and the keyframe count, or "0"
    int totalFrames = 0;         // frames a saved playback produces ("Total number of frames")
    FadeSettings fades;
};

// "%d/%d" of `current` and `count`, or "0" while no keyframe exists.
std::string KeyframeText(int current, int count);

// The keyframe text shows `current` of `count`.
void ShowKeyframe(FlightRecorderState& state, int current, int count);

// Sets `totalFrames` for `keyframeCount` keyframes: the keyframes, the frames between them when
// interpolating, and while saving the still fade frames that are switched on.
void UpdateTotalFrames(FlightRecorderState& state, int keyframeCount);

// `frames` held to 0 .. kMaxFlightFrames.
int ClampFlightFrames(int frames);

// While saving, shortens the switched-on fades to the frames of the flight: the fade-in to
// `totalFrames`, the fade-out to what the fade-in leaves. True when the user is to be told
// (kFadeAdjustedMessage): a fade was shortened to some frames.
bool FitFadesToFlight(FlightRecorderState& state);

// Whether a playback starts again after its last keyframe: repeating, and not writing files.
bool FlightRepeats(const FlightRecorderState& state);
