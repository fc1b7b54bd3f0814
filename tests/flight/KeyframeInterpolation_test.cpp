#include "flight/KeyframeInterpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "flight/RecordingKeyframeHost.h"
#include "flight/SceneBlock.h"
#include "navigation/CBallController.h"
#include "navigation/Matrix4.h"
#include "navigation/Quaternion.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"

namespace {

// Live scene of one model (plate 2) and two keyframes A and B of it.
class Interpolation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(scene->AddModelSlot(), 1);
        a->state.count = b->state.count = 2;
    }
    bool Frame(int n, int k) { return InterpolateKeyframes(*scene, *a, *b, n, k, graphics, host); }

    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    std::unique_ptr<SceneBlock> a = std::make_unique<SceneBlock>();
    std::unique_ptr<SceneBlock> b = std::make_unique<SceneBlock>();
    RecordingSceneGraphics graphics;
    RecordingKeyframeHost host;
};

TEST_F(Interpolation, FramesOutsideTheSpanChangeNothing) {
    b->state.fieldOfView = 170;
    for (auto [n, k] : {std::pair{12, 0}, {12, 12}, {12, 13}, {1, 1}, {5, -1}})
        EXPECT_FALSE(Frame(n, k)) << n << " " << k;
    EXPECT_EQ(scene->state.fieldOfView, 70);
    EXPECT_TRUE(host.calls.empty());
}

// n = 12, k = 1: wA = 10/11, wB = 1/11.
TEST_F(Interpolation, WeightsTheHeaderAndTheRecords) {
    a->state.fogIntensity = 0;
    b->state.fogIntensity = 100;   // 9.09 + 0.5 truncated: 9
    b->state.fieldOfView = 103;    // 70 + 3 = 73
    b->state.cameraDistance = 11;  // 1 in double
    b->state.lightColour[0] = 1.9f;
    a->heads[1].colour[0] = 0;
    b->heads[1].colour[0] = 255;  // 23.18 rounded: 23
    b->heads[1].colour[1] = 128;  // 128 + 0 stays 128
    a->heads[1].colour[1] = 128;
    b->heads[1].position[1] = 22;
    b->heads[1].scale = 12;  // 10/11 + 12/11 = 2
    b->heads[1].visible = 1;
    scene->state.aspect = 1.5f;
    ASSERT_TRUE(Frame(12, 1));
    EXPECT_EQ(scene->state.fogIntensity, 9);
    EXPECT_EQ(scene->state.fieldOfView, 73);
    EXPECT_NEAR(scene->state.cameraDistance, 1.0, 1e-6);
    EXPECT_NEAR(scene->state.lightColour[0], 0.8f * 10 / 11 + 1.9f / 11, 1e-6);
    EXPECT_EQ(scene->state.count, 2);
    EXPECT_EQ(scene->state.aspect, 1.5f) << "count and aspect stay";
    const SceneObject& record = scene->objects[1];
    EXPECT_EQ(record.colour[0], 23);
    EXPECT_EQ(record.colour[1], 128);
    EXPECT_NEAR(record.position[1], 2.0f, 1e-6);
    EXPECT_NEAR(record.scale, 2.0f, 1e-6);
    EXPECT_EQ(record.visible, 0) << "visibility is A's";
    EXPECT_EQ(host.controllers, (std::vector<int>{2, 1})) << "from the plate down, the camera keeps A";
    EXPECT_EQ(host.calls, std::vector<std::string>{"interpolated"});
}

TEST_F(Interpolation, QuaternionsAreMixedNormalisedAndGiveTheRotation) {
    // A: identity; B: 180 degrees about z. Halfway: 90 degrees about z.
    const float bq[4] = {0, 0, 0, 1};
    std::copy_n(bq, 4, b->heads[1].quaternion);
    ASSERT_TRUE(Frame(3, 1));
    const SceneObject& record = scene->objects[1];
    const float half = std::sqrt(0.5f);
    EXPECT_NEAR(record.quaternion[0], half, 1e-6);
    EXPECT_NEAR(record.quaternion[3], half, 1e-6);
    // The rotation as a ball controller holding that orientation gives it to its record.
    CBallController controller;
    controller.orientation = {half, 0, 0, half};
    controller.matrix = ToMatrix(controller.orientation);
    SceneObject expected;
    CopyControllerToRecord(controller, expected);
    for (int e = 0; e < 9; ++e)
        EXPECT_NEAR(record.rotation[e], expected.rotation[e], 1e-6) << e;
    EXPECT_NEAR(record.rotation[1], expected.rotation[1] > 0 ? 1 : -1, 1e-6) << "a quarter turn";
}

TEST_F(Interpolation, OppositeQuaternionsHalfwayKeepA) {
    const float q[4] = {0.5f, 0.5f, -0.5f, 0.5f};
    std::copy_n(q, 4, a->heads[1].quaternion);
    for (int c = 0; c < 4; ++c)
        b->heads[1].quaternion[c] = -q[c];
    ASSERT_TRUE(Frame(3, 1));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(scene->objects[1].quaternion[c], q[c]);
    for (float e : scene->objects[1].rotation)
        EXPECT_TRUE(std::isfinite(e));
}

TEST_F(Interpolation, RecutsOnlyWhenBothKeyframesAskAndOnlyLiveRecords) {
    a->heads[1].recutOnKeyframe = 1;
    ASSERT_TRUE(Frame(4, 1));
    EXPECT_TRUE(graphics.builtLists.empty());
    b->heads[1].recutOnKeyframe = 1;
    ASSERT_TRUE(Frame(4, 2));
    EXPECT_EQ(graphics.builtLists, std::vector<int>{1});

    // Blocks of three models for a live scene of one: records past the plate stay untouched.
    a->state.count = b->state.count = 4;
    b->heads[3].scale = 50;
    b->heads[4].scale = 9;
    host.controllers.clear();
    ASSERT_TRUE(Frame(4, 3));
    EXPECT_EQ(scene->objects[3].scale, 1.0f);
    EXPECT_NEAR(scene->objects[2].scale, 9.0f, 1e-6) << "the stored plate drives the live plate";
    EXPECT_EQ(host.controllers, (std::vector<int>{2, 1}));
}

}  // namespace
