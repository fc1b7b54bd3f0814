#include "scene/LightSliders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/SceneObject.h"

TEST(LightSliders, DefaultLightStandsAt80_80_80_25_75_100WithItsPercentages) {
    const SceneState state;
    EXPECT_EQ(LightSliders(state), (LightSliderPositions{80, 80, 80, 25, 75, 100}));
    const char* texts[] = {"80%", "80%", "80%", "-50%", "50%", "100%"};
    const LightSliderPositions positions = LightSliders(state);
    for (int slot = 0; slot < kLightSliderCount; ++slot)
        EXPECT_EQ(LightSliderText(slot, positions[slot]), texts[slot]) << slot;
}

TEST(LightSliders, RedAtTheEndChangesOnlyTheRedComponent) {
    SceneState state;
    LightSliderPositions positions = LightSliders(state);
    positions[0] = 100;
    StoreLightSliders(positions, state);
    EXPECT_FLOAT_EQ(state.lightColour[0], 1.0f);
    EXPECT_FLOAT_EQ(state.lightColour[1], 0.8f);
    EXPECT_FLOAT_EQ(state.lightColour[2], 0.8f);
    EXPECT_FLOAT_EQ(state.lightPosition[0], -0.5f);
    EXPECT_FLOAT_EQ(state.lightPosition[1], 0.5f);
    EXPECT_FLOAT_EQ(state.lightPosition[2], 1.0f);
}

TEST(LightSliders, ValuesBetweenStepsTruncateAndSnapAtTheNextStore) {
    SceneState state;
    state.lightColour[1] = 0.805f;
    state.lightColour[2] = 0.019f;
    state.lightPosition[0] = -0.99f;  // -49.5 + 50 = 0.5 truncates to 0
    const LightSliderPositions positions = LightSliders(state);
    EXPECT_EQ(positions[1], 80);
    EXPECT_EQ(positions[2], 1);
    EXPECT_EQ(positions[3], 0);
    StoreLightSliders(positions, state);
    EXPECT_FLOAT_EQ(state.lightColour[1], 0.8f);
    EXPECT_FLOAT_EQ(state.lightColour[2], 0.01f);
    EXPECT_FLOAT_EQ(state.lightPosition[0], -1.0f);
}

TEST(LightSliders, ValuesBeyondTheRangeShowAtTheNearerEndAndComeBackInside) {
    SceneState state;
    state.lightPosition[2] = 1.5f;
    state.lightPosition[1] = -3.0f;
    state.lightColour[0] = std::numeric_limits<float>::quiet_NaN();
    state.lightColour[1] = 1e30f;
    const LightSliderPositions positions = LightSliders(state);
    EXPECT_EQ(positions[5], 100);
    EXPECT_EQ(positions[4], 0);
    EXPECT_EQ(positions[0], 0);
    EXPECT_EQ(positions[1], 100);
    StoreLightSliders(positions, state);
    EXPECT_FLOAT_EQ(state.lightPosition[2], 1.0f);
    EXPECT_FLOAT_EQ(state.lightPosition[1], -1.0f);
    EXPECT_FLOAT_EQ(state.lightColour[0], 0.0f);
    EXPECT_FLOAT_EQ(state.lightColour[1], 1.0f);
}

TEST(LightSliders, FourthComponentsAreLeftAlone) {
    SceneState state;
    state.lightColour[3] = 0.25f;
    state.lightPosition[3] = 1.0f;
    StoreLightSliders(LightSliderPositions{0, 0, 0, 0, 50, 100}, state);
    EXPECT_FLOAT_EQ(state.lightColour[3], 0.25f);
    EXPECT_FLOAT_EQ(state.lightPosition[3], 1.0f);
    EXPECT_FLOAT_EQ(state.lightPosition[1], 0.0f);
}

TEST(LightSliders, DirectionTextsRunFromMinusToPlusHundred) {
    EXPECT_EQ(LightSliderText(3, 0), "-100%");
    EXPECT_EQ(LightSliderText(4, 50), "0%");
    EXPECT_EQ(LightSliderText(5, 51), "2%");
    EXPECT_EQ(LightSliderText(2, 0), "0%");
}
