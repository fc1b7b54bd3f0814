#include "flight/FlightRecorderState.h"

#include <algorithm>

std::string KeyframeText(int current, int count) {
    if (count == 0) return "0";
    return std::to_string(current) + "/" + std::to_string(count);
}

void ShowKeyframe(FlightRecorderState& state, int current, int count) {
    state.currentKeyframe = current;
    state.keyframeText = KeyframeText(current, count);
}

void UpdateTotalFrames(FlightRecorderState& state, int keyframeCount) {
    state.totalFrames = 0;
    if (keyframeCount == 0) return;
    state.totalFrames = keyframeCount;
    if (state.interpolated != 0) state.totalFrames += (keyframeCount - 1) * state.interpolatedFrames;
    if (state.saveFiles == 0) return;
    const FadeSettings& fades = state.fades;
    if (fades.fadeIn != 0 && fades.fadeInStatic != 0) state.totalFrames += fades.fadeInFrames;
    if (fades.fadeOut != 0 && fades.fadeOutStatic != 0) state.totalFrames += fades.fadeOutFrames;
}

int ClampFlightFrames(int frames) {
    return std::clamp(frames, 0, kMaxFlightFrames);
}

bool FitFadesToFlight(FlightRecorderState& state) {
    if (state.saveFiles == 0) return false;
    FadeSettings& fades = state.fades;
    int fadeInTaken = 0;
    int fadeOutLeft = 0;
    if (fades.fadeIn != 0 && fades.fadeInFrames > state.totalFrames) {
        fades.fadeInFrames = state.totalFrames;
        fadeInTaken = state.totalFrames;
    }
    // Only a shortened fade-in counts against the room the fade-out has.
    if (fades.fadeOut != 0 && fades.fadeOutFrames > state.totalFrames - fadeInTaken) {
        fades.fadeOutFrames = state.totalFrames - fadeInTaken;
        fadeOutLeft = fades.fadeOutFrames;
    }
    // A fade cut to nothing is told only together with the other one: without frames there is no flight.
    return fadeInTaken != 0 || fadeOutLeft != 0;
}

bool FlightRepeats(const FlightRecorderState& state) {
    return state.repeat != 0 && state.saveFiles == 0;
}
