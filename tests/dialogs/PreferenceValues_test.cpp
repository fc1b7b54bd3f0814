#include "dialogs/PreferenceValues.h"

#include <gtest/gtest.h>

#include "platform/ProgramSettings.h"

TEST(PreferenceValues, TheApplyButtonLimitIsClampedToOneToNineWhileTyped) {
    EXPECT_EQ(ClampedApplyButtonLimit("0"), 1);
    EXPECT_EQ(ClampedApplyButtonLimit("-4"), 1);
    EXPECT_EQ(ClampedApplyButtonLimit("1"), 1);
    EXPECT_EQ(ClampedApplyButtonLimit("9"), 9);
    EXPECT_EQ(ClampedApplyButtonLimit("15"), 9);
    EXPECT_EQ(ClampedApplyButtonLimit("99999999999"), 9);
    EXPECT_EQ(ClampedApplyButtonLimit(" 5 "), 5);
    for (const char* text : {"", "-", "x", "3.5", "4M"})
        EXPECT_FALSE(ClampedApplyButtonLimit(text).has_value()) << text;
}

TEST(PreferenceValues, GathersAndStoresTheFramesValues) {
    ProgramSettings settings;
    settings.sound = 0;
    settings.logOpacity = 1;
    settings.lookAt = 0;
    settings.applyButtonLimit = 7;
    settings.arrowLength = 12.5f;
    settings.jpegQuality = 85;
    settings.aviFramerate = 24;
    settings.mouseWheel = 1;
    const PreferenceValues values = CurrentPreferences(settings, 1, 1, 1);
    EXPECT_EQ(values.glAccelerator, 1);
    EXPECT_EQ(values.plateVisible, 1);
    EXPECT_EQ(values.drawBoxesWhenMoving, 1);
    EXPECT_EQ(values.sound, 0);
    EXPECT_EQ(values.logOpacity, 1);
    EXPECT_EQ(values.lookAt, 0);
    EXPECT_EQ(values.applyButtonLimit, 7);
    EXPECT_EQ(values.arrowLength, 12.5f);
    EXPECT_EQ(values.jpegQuality, 85);
    EXPECT_EQ(values.aviFramerate, 24);
    EXPECT_EQ(values.mouseWheel, 1);

    ProgramSettings stored;
    StorePreferences(values, stored);
    EXPECT_EQ(stored.sound, 0);
    EXPECT_EQ(stored.logOpacity, 1);
    EXPECT_EQ(stored.lookAt, 0);
    EXPECT_EQ(stored.applyButtonLimit, 7);
    EXPECT_EQ(stored.arrowLength, 12.5f);
    EXPECT_EQ(stored.jpegQuality, 85);
    EXPECT_EQ(stored.aviFramerate, 24);
    EXPECT_EQ(stored.mouseWheel, 1);
    EXPECT_EQ(stored.stageSize, ProgramSettings{}.stageSize);  // nothing else touched
}

TEST(PreferenceValues, OnlyTheAcceleratorAsksAndOnlyTheViewpointRepaints) {
    const PreferenceValues before;
    PreferenceValues chosen = before;
    chosen.arrowLength = 80.0f;
    chosen.sound = 0;
    chosen.applyButtonLimit = 9;
    EXPECT_FALSE(FollowUpOf(before, chosen).askRestart);
    EXPECT_FALSE(FollowUpOf(before, chosen).repaint);

    chosen.lookAt = 0;
    EXPECT_TRUE(FollowUpOf(before, chosen).repaint);
    EXPECT_FALSE(FollowUpOf(before, chosen).askRestart);

    chosen = before;
    chosen.glAccelerator = 1;
    EXPECT_TRUE(FollowUpOf(before, chosen).askRestart);
    EXPECT_FALSE(FollowUpOf(before, chosen).repaint);

    PreferenceValues stored = before;
    stored.glAccelerator = 5;  // any non-zero setting shows as a checked box
    chosen.glAccelerator = 1;
    EXPECT_FALSE(FollowUpOf(stored, chosen).askRestart);
}
