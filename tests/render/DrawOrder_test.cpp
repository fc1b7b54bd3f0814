#include "render/DrawOrder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

// A scene with one model per given opacity (records 1..n) and the plate (opacity 128) after them.
void AddModels(Scene& scene, std::initializer_list<int> opacities) {
    for (int opacity : opacities) {
        const int index = scene.AddModelSlot();
        scene.objects[index].visible = 1;
        scene.objects[index].colour[3] = static_cast<uint8_t>(opacity);
    }
    scene.objects[scene.PlateIndex()].colour[3] = 128;
}

std::vector<int> Order(const Scene& scene) {
    uint8_t drawOrder[kRecordCount];
    SortByOpacity(scene, drawOrder);
    for (int i = scene.PlateIndex() + 1; i < kRecordCount; ++i)
        EXPECT_EQ(drawOrder[i], i);
    EXPECT_EQ(drawOrder[0], 0);
    return std::vector<int>(drawOrder + 1, drawOrder + scene.PlateIndex() + 1);
}

TEST(DrawOrder, OpaqueFirstThenByDecreasingOpacityWithThePlateIncluded) {
    Scene noModels;
    EXPECT_EQ(Order(noModels), (std::vector<int>{1}));

    Scene opaque;
    AddModels(opaque, {255, 255, 255});
    EXPECT_EQ(Order(opaque), (std::vector<int>{1, 2, 3, 4}));  // the plate stays last

    Scene mixed;
    AddModels(mixed, {100, 255, 200});
    EXPECT_EQ(Order(mixed), (std::vector<int>{2, 3, 4, 1}));  // 255, 200, plate 128, 100

    Scene aboveThePlate;
    AddModels(aboveThePlate, {50, 255, 220, 255, 180});
    EXPECT_EQ(Order(aboveThePlate), (std::vector<int>{2, 4, 3, 5, 6, 1}));
}

TEST(DrawOrder, EqualOpacitiesFollowTheSwapProcedure) {
    // Nothing to pass: equal opacities keep their order.
    Scene kept;
    AddModels(kept, {200, 200});
    EXPECT_EQ(Order(kept), (std::vector<int>{1, 2, 3}));

    // A more opaque record moving forward swaps past them and leaves them in reverse order.
    Scene passedByOpaque;
    AddModels(passedByOpaque, {200, 200, 255});
    EXPECT_EQ(Order(passedByOpaque), (std::vector<int>{3, 2, 1, 4}));

    Scene passedByPlate;
    AddModels(passedByPlate, {100, 100});
    EXPECT_EQ(Order(passedByPlate), (std::vector<int>{3, 2, 1}));
}

TEST(DrawOrder, DamagedCountStaysInsideTheTable) {
    Scene scene;
    scene.state.count = 500;
    EXPECT_EQ(PlateIndexInRange(scene), kRecordCount - 1);
    uint8_t drawOrder[kRecordCount];
    SortByOpacity(scene, drawOrder);  // reads records 1..127 only
    scene.state.count = -3;
    EXPECT_EQ(PlateIndexInRange(scene), 1);
    EXPECT_EQ(TransparencyMode(scene, 0), -1);
}

TEST(TransparencyMode, VisibleTransparentRecordsPickTheBlendedPaths) {
    Scene scene;
    AddModels(scene, {255, 255});
    SceneObject& plate = scene.objects[scene.PlateIndex()];

    plate.visible = 0;
    EXPECT_EQ(TransparencyMode(scene, 0), -1);
    EXPECT_EQ(TransparencyMode(scene, 1), -1);  // dragging an opaque scene draws it fully

    plate.visible = 1;  // the plate alone takes the two-pass path
    EXPECT_EQ(TransparencyMode(scene, 0), 0);
    EXPECT_EQ(TransparencyMode(scene, 1), 1);

    plate.visible = 0;
    scene.objects[2].colour[3] = 254;
    EXPECT_EQ(TransparencyMode(scene, 0), 0);
    scene.objects[2].visible = 0;
    EXPECT_EQ(TransparencyMode(scene, 0), -1);

    // Records above the plate are not in use and do not count.
    scene.objects[scene.PlateIndex() + 1].visible = 1;
    scene.objects[scene.PlateIndex() + 1].colour[3] = 10;
    EXPECT_EQ(TransparencyMode(scene, 0), -1);
}

}  // namespace
