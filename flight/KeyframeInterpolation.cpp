#include "flight/KeyframeInterpolation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "flight/BlockHeads.h"
#include "flight/KeyframeHost.h"
#include "flight/SceneBlock.h"
#include "geometry/CutByPlate.h"
#include "navigation/Matrix4.h"
#include "navigation/Quaternion.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"

namespace {

struct Weights {
    float a;
    float b;
};

float Mix(float a, float b, Weights w) {
    return b * w.b + a * w.a;
}

int32_t RoundedMix(int32_t a, int32_t b, Weights w) {
    return static_cast<int32_t>(static_cast<float>(b) * w.b + static_cast<float>(a) * w.a + 0.5f);
}

uint8_t ColourMix(uint8_t a, uint8_t b, Weights w) {
    const float v = Mix(static_cast<float>(a), static_cast<float>(b), w);
    return static_cast<uint8_t>(std::clamp(std::round(v), 0.0f, 255.0f));
}

void MixHeader(SceneState& live, const SceneState& a, const SceneState& b, Weights w) {
    live.fogIntensity = RoundedMix(a.fogIntensity, b.fogIntensity, w);
    live.cameraDistance = a.cameraDistance * w.a + b.cameraDistance * w.b;
    for (int c = 0; c < 4; ++c) {
        live.lightPosition[c] = Mix(a.lightPosition[c], b.lightPosition[c], w);
        live.lightColour[c] = Mix(a.lightColour[c], b.lightColour[c], w);
    }
    live.fieldOfView = RoundedMix(a.fieldOfView, b.fieldOfView, w);
}

// Orientation without sign alignment, as the keyframes hold it; a sum without length keeps A's.
void MixOrientation(SceneObject& record, const SceneObject& a, const SceneObject& b, Weights w) {
    float q[4];
    float length = 0.0f;
    for (int c = 0; c < 4; ++c) {
        q[c] = Mix(a.quaternion[c], b.quaternion[c], w);
        length += q[c] * q[c];
    }
    length = std::sqrt(length);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        std::copy_n(a.quaternion, 4, q);
        length = 1.0f;
    }
    for (int c = 0; c < 4; ++c)
        record.quaternion[c] = q[c] / length;
    const Matrix4 m =
        ToMatrix({record.quaternion[0], record.quaternion[1], record.quaternion[2], record.quaternion[3]});
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            record.rotation[3 * r + c] = m.at(c, r);
}

void MixRecord(SceneObject& record, const SceneObject& a, const SceneObject& b, Weights w) {
    MixOrientation(record, a, b, w);
    record.visible = a.visible;
    for (int c = 0; c < 4; ++c)
        record.colour[c] = ColourMix(a.colour[c], b.colour[c], w);
    record.diffuse = Mix(a.diffuse, b.diffuse, w);
    record.reflection = Mix(a.reflection, b.reflection, w);
    record.emission = Mix(a.emission, b.emission, w);
    for (int c = 0; c < 3; ++c)
        record.position[c] = Mix(a.position[c], b.position[c], w);
    record.scale = Mix(a.scale, b.scale, w);
}

}  // namespace

bool InterpolateKeyframes(Scene& scene, const SceneBlock& a, const SceneBlock& b, int n, int k,
                          SceneGraphics& graphics, KeyframeHost& host) {
    if (k <= 0 || k >= n) return false;
    const Weights w{static_cast<float>(n - k - 1) / static_cast<float>(n - 1),
                    static_cast<float>(k) / static_cast<float>(n - 1)};
    MixHeader(scene.state, a.state, b.state, w);
    const int count = scene.state.count;
    for (int i = count; i >= 1; --i) {
        const SceneObject* headA = BlockHead(a, i, count);
        const SceneObject* headB = BlockHead(b, i, count);
        if (headA == nullptr || headB == nullptr) continue;
        MixRecord(scene.objects[i], *headA, *headB, w);
        host.LoadController(i);
        if (i < count && headA->recutOnKeyframe != 0 && headB->recutOnKeyframe != 0) {
            CutByPlate(scene, i, graphics);
            graphics.BuildSurfaceLists(i);
        }
    }
    host.ShowInterpolatedFrame();
    return true;
}
