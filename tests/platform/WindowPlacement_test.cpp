#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

TEST(WindowPlacement, StoredSidesReplaceCurrentOnesOnlyWhenPresent) {
    MemorySettingsStore store;
    const PlacementRect current{10, 20, 110, 220};
    EXPECT_EQ(ReadPlacement(store, "ObjectsDialog", current), current);

    store.WriteInt("ObjectsDialog", "LeftWindowPosition", 30);
    store.WriteInt("ObjectsDialog", "BottomWindowPosition", 400);
    EXPECT_EQ(ReadPlacement(store, "ObjectsDialog", current), (PlacementRect{30, 20, 110, 400}));

    // Negative coordinates (a monitor left of the primary one) come back signed.
    ASSERT_TRUE(WritePlacement(store, "Settings", {-1200, -5, -100, 700}));
    EXPECT_EQ(ReadPlacement(store, "Settings", current), (PlacementRect{-1200, -5, -100, 700}));
    EXPECT_EQ(store.WrittenNames("Settings"),
              (std::vector<std::string>{"LeftWindowPosition", "TopWindowPosition", "RightWindowPosition",
                                        "BottomWindowPosition"}));

    store.failWrites = true;
    EXPECT_FALSE(WritePlacement(store, "Movements", {0, 0, 10, 10}));
}

TEST(WindowPlacement, OnlyBoundsInsideTheVirtualScreenFit) {
    const ScreenArea screen{0, 0, 1920, 1080};
    EXPECT_TRUE(PlacementFitsScreen({100, 100, 900, 700}, screen, 0, 0));
    EXPECT_TRUE(PlacementFitsScreen({0, 0, 1920, 1080}, screen, 0, 0));
    // Right and bottom may reach past the screen by one border width (a maximised frame's overhang).
    EXPECT_TRUE(PlacementFitsScreen({0, 0, 1924, 1084}, screen, 4, 4));
    EXPECT_FALSE(PlacementFitsScreen({0, 0, 1925, 1080}, screen, 4, 4));
    EXPECT_FALSE(PlacementFitsScreen({0, 0, 1920, 1085}, screen, 4, 4));
    // Partly left of or above the leftmost monitor: ignored, borders or not.
    EXPECT_FALSE(PlacementFitsScreen({-1, 100, 500, 500}, screen, 4, 4));
    EXPECT_FALSE(PlacementFitsScreen({100, -3, 500, 500}, screen, 4, 4));
    // A second monitor to the left moves the origin.
    const ScreenArea twoMonitors{-1280, 0, 3200, 1080};
    EXPECT_TRUE(PlacementFitsScreen({-1200, 50, -200, 800}, twoMonitors, 0, 0));
    EXPECT_FALSE(PlacementFitsScreen({-1300, 50, -200, 800}, twoMonitors, 0, 0));
    // Garbage from the file: empty or inverted bounds, sums that overflow 32 bits.
    EXPECT_FALSE(PlacementFitsScreen({500, 500, 500, 900}, screen, 0, 0));
    EXPECT_FALSE(PlacementFitsScreen({500, 500, 900, 100}, screen, 0, 0));
    EXPECT_TRUE(
        PlacementFitsScreen({INT32_MAX - 5, 0, INT32_MAX, 100}, {INT32_MAX - 10, 0, 100, 100}, 100, 0));
}

TEST(WindowPlacement, MaximisedBoundsShrinkByTheBorderOnEachSide) {
    EXPECT_EQ(ShrinkMaximised({-8, -8, 1928, 1088}, 8, 8), (PlacementRect{0, 0, 1920, 1080}));
    EXPECT_EQ(ShrinkMaximised({0, 0, 1920, 1080}, 0, 0), (PlacementRect{0, 0, 1920, 1080}));
}
