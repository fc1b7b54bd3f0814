#include "geometry/CapImageFill.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/PlateFrame.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"

namespace {

int32_t ToInt32(double value) {
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

}  // namespace

CapPlateBounds ComputeCapPlateBounds(const Scene& scene, int index, const CutCap& cap) {
    const SceneObject& object = scene.objects[index];
    const SceneObject& plate = scene.objects[scene.PlateIndex()];
    if (cap.triangleCount <= 0 || cap.triangles == nullptr) return {0, 0, 0, 0, 0};
    const float* vertices = object.mesh->vertices;
    float lowX = std::numeric_limits<float>::infinity(), highX = -lowX, lowZ = lowX, highZ = -lowX;
    int32_t planeHeight = 0;
    for (int64_t corner = 0; corner < cap.triangleCount * 3; ++corner) {
        const float* v = vertices + cap.triangles[corner] * 3;
        Vector3 mesh{v[0] + object.centre[0], v[1] + object.centre[1], v[2] + object.centre[2]};
        Vector3 u = WorldToRecord(plate, RecordToWorld(object, mesh));
        if (corner == 0) planeHeight = ToInt32(static_cast<double>(RoundToInt64(u.y)));
        lowX = std::min(lowX, u.x);
        highX = std::max(highX, u.x);
        lowZ = std::min(lowZ, u.z);
        highZ = std::max(highZ, u.z);
    }
    return {ToInt32(std::floor(lowX)), ToInt32(std::floor(lowZ)), ToInt32(std::ceil(highX)),
            ToInt32(std::ceil(highZ)), planeHeight};
}

void PrepareImageFill(Scene& scene, int index, CutCap& cap, SceneGraphics& graphics) {
    const SceneObject& object = scene.objects[index];
    const SceneObject& plate = scene.objects[scene.PlateIndex()];
    CapPlateBounds bounds = ComputeCapPlateBounds(scene, index, cap);
    if (cap.textureName != 0) graphics.DeleteTexture(cap.textureName);
    cap.textureName = 0;
    const CapTextureFactors factors = graphics.TextureCap(index, cap, bounds);
    cap.planeHeight = bounds.planeHeight;
    cap.texSpanS = static_cast<float>(static_cast<double>(bounds.maxX) - bounds.minX) * factors.s;
    cap.texSpanT = static_cast<float>(static_cast<double>(bounds.maxZ) - bounds.minZ) * factors.t;
    cap.texMinX = bounds.minX;
    cap.texMinZ = bounds.minZ;
    cap.objectScale = object.scale;
    cap.plateScale = plate.scale;
    std::copy_n(object.position, 3, cap.objectPosition);
    std::copy_n(object.rotation, 9, cap.objectRotation);
    std::copy_n(plate.position, 3, cap.platePosition);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            cap.plateRotationT[r * 3 + c] = plate.rotation[c * 3 + r];
}
