#include "flight/FlightRecorderState.h"

#include <gtest/gtest.h>

namespace {

FlightRecorderState Interpolating(int frames) {
    FlightRecorderState state;
    state.interpolated = 1;
    state.interpolatedFrames = frames;
    return state;
}

TEST(FlightRecorderState, TotalFramesCountKeyframesFramesBetweenAndStillFadesWhileSaving) {
    FlightRecorderState state = Interpolating(10);
    UpdateTotalFrames(state, 4);
    EXPECT_EQ(state.totalFrames, 34);

    // Still fade frames count only while saving, and only when both boxes of a fade are ticked.
    state.fades.fadeIn = 1;
    state.fades.fadeInFrames = 5;
    state.fades.fadeInStatic = 1;
    state.fades.fadeOut = 1;
    state.fades.fadeOutFrames = 7;
    UpdateTotalFrames(state, 4);
    EXPECT_EQ(state.totalFrames, 34);
    state.saveFiles = 1;
    UpdateTotalFrames(state, 4);
    EXPECT_EQ(state.totalFrames, 39) << "the fade-out is not static";
    state.fades.fadeOutStatic = 1;
    UpdateTotalFrames(state, 4);
    EXPECT_EQ(state.totalFrames, 46);

    // Without interpolation the frames between keyframes do not count; without keyframes nothing does.
    state.interpolated = 0;
    UpdateTotalFrames(state, 4);
    EXPECT_EQ(state.totalFrames, 16);
    UpdateTotalFrames(state, 0);
    EXPECT_EQ(state.totalFrames, 0);
    state.interpolated = 1;
    UpdateTotalFrames(state, 1);
    EXPECT_EQ(state.totalFrames, 13) << "a single keyframe has no frames after it";
}

TEST(FlightRecorderState, FadesLongerThanTheFlightAreShortenedWithAMessage) {
    FlightRecorderState state = Interpolating(10);
    state.saveFiles = 1;
    UpdateTotalFrames(state, 4);
    state.fades.fadeIn = 1;
    state.fades.fadeInFrames = 40;
    state.fades.fadeOut = 1;
    state.fades.fadeOutFrames = 10;
    EXPECT_TRUE(FitFadesToFlight(state));
    EXPECT_EQ(state.fades.fadeInFrames, 34);
    EXPECT_EQ(state.fades.fadeOutFrames, 0);

    // A fade-out alone is cut to the flight; a fade-in that fits leaves the fade-out all the room.
    state.fades.fadeInFrames = 20;
    state.fades.fadeOutFrames = 50;
    EXPECT_TRUE(FitFadesToFlight(state));
    EXPECT_EQ(state.fades.fadeInFrames, 20);
    EXPECT_EQ(state.fades.fadeOutFrames, 34);

    // Fades that fit, fades switched off, or not saving: nothing changes and nothing is told.
    EXPECT_FALSE(FitFadesToFlight(state));
    state.fades.fadeIn = 0;
    state.fades.fadeInFrames = 900;
    EXPECT_FALSE(FitFadesToFlight(state));
    EXPECT_EQ(state.fades.fadeInFrames, 900);
    state.fades.fadeIn = 1;
    state.saveFiles = 0;
    EXPECT_FALSE(FitFadesToFlight(state));
    EXPECT_EQ(state.fades.fadeInFrames, 900);
}

TEST(FlightRecorderState, KeyframeTextClampAndRepeat) {
    EXPECT_EQ(KeyframeText(0, 0), "0");
    EXPECT_EQ(KeyframeText(3, 0), "0");
    EXPECT_EQ(KeyframeText(2, 5), "2/5");
    FlightRecorderState state;
    ShowKeyframe(state, 4, 7);
    EXPECT_EQ(state.currentKeyframe, 4);
    EXPECT_EQ(state.keyframeText, "4/7");

    EXPECT_EQ(ClampFlightFrames(1500), 1000);
    EXPECT_EQ(ClampFlightFrames(-3), 0);
    EXPECT_EQ(ClampFlightFrames(250), 250);

    state.repeat = 1;
    EXPECT_TRUE(FlightRepeats(state));
    state.saveFiles = 1;
    EXPECT_FALSE(FlightRepeats(state)) << "a saved flight runs once";
}

}  // namespace
