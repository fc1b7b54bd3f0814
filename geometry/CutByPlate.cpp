#include "geometry/CutByPlate.h"

#include <algorithm>
#include <cmath>

#include "geometry/CapImageFill.h"
#include "geometry/PlateFrame.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"

namespace {

constexpr float kTiny = 2.220446049250313e-16f;  // 2^-52

Vector3 Minus(Vector3 a, Vector3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

float SquaredLength(Vector3 e) {
    return (e.x * e.x + e.y * e.y) + e.z * e.z;
}

// A unit vector perpendicular to `e`, from its two largest components.
Vector3 PerpendicularTo(Vector3 e) {
    float ax = std::fabs(e.x), ay = std::fabs(e.y), az = std::fabs(e.z);
    if (ax >= ay && ax >= az) {
        if (ax < kTiny) return {1, 0, 0};
        float length = std::sqrt(e.x * e.x + e.y * e.y);
        return {-e.y / length, e.x / length, 0};
    }
    if (ay > ax && ay >= az) {
        if (ay < kTiny) return {0, 1, 0};
        float length = std::sqrt(e.y * e.y + e.z * e.z);
        return {0, -e.z / length, e.y / length};
    }
    if (az < kTiny) return {0, 0, 1};
    float length = std::sqrt(e.x * e.x + e.z * e.z);
    return {e.z / length, 0, -e.x / length};
}

void CopyMaterial(const SceneObject& from, CutCap& cap) {
    std::copy_n(from.colour, 3, cap.fillColour);
    cap.fillDiffuse = from.diffuse;
    cap.fillReflection = from.reflection;
    cap.fillEmission = from.emission;
}

}  // namespace

CutPlane PlateCutPlane(const Scene& scene, int index) {
    const SceneObject& object = scene.objects[index];
    const SceneObject& plate = scene.objects[scene.PlateIndex()];
    float y = object.topCut ? -0.001f : 0.001f;
    Vector3 onPlate[3] = {{0, y, 1000}, {1000, y, 0}, {1000, y, 1000}};
    if (object.topCut) std::swap(onPlate[1], onPlate[2]);
    Vector3 p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = WorldToRecord(object, RecordToWorld(plate, onPlate[i]));

    Vector3 u = Minus(p[1], p[0]), v = Minus(p[2], p[0]);
    Vector3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    if (n.x == 0 && n.y == 0 && n.z == 0) {
        Vector3 edges[3] = {Minus(p[0], p[1]), Minus(p[1], p[2]), Minus(p[2], p[0])};
        int longest = 0;
        for (int i = 1; i < 3; ++i)
            if (SquaredLength(edges[i]) > SquaredLength(edges[longest])) longest = i;
        n = PerpendicularTo(edges[longest]);
    } else {
        float length = std::sqrt(SquaredLength(n));
        n = {n.x / length, n.y / length, n.z / length};
    }
    Vector3 mean{((p[0].x + p[1].x) + p[2].x) / 3, ((p[0].y + p[1].y) + p[2].y) / 3,
                 ((p[0].z + p[1].z) + p[2].z) / 3};
    return {n.x, n.y, n.z, -((n.x * mean.x + n.y * mean.y) + n.z * mean.z)};
}

void QuantisePlane(const CutPlane& plane, int64_t (&key)[4]) {
    key[0] = RoundToInt64(plane.a * 1000.0f);
    key[1] = RoundToInt64(plane.b * 1000.0f);
    key[2] = RoundToInt64(plane.c * 1000.0f);
    key[3] = RoundToInt64(plane.d * 100.0f);
}

int CutByPlate(Scene& scene, int index, SceneGraphics& graphics, CutStatistics* statistics) {
    if (index < 1 || index >= scene.PlateIndex() || scene.PlateIndex() >= kRecordCount) return 0;
    SceneObject& object = scene.objects[index];
    CutPlane plane = PlateCutPlane(scene, index);
    int64_t key[4];
    QuantisePlane(plane, key);

    CutCap* cap = nullptr;
    if (object.caps != nullptr && std::equal(key, key + 4, object.lastCutKey)) {
        cap = object.caps;
        while (cap->next != nullptr)
            cap = cap->next;
    } else {
        int64_t previousKey[4];
        std::copy_n(object.lastCutKey, 4, previousKey);
        std::copy_n(key, 4, object.lastCutKey);
        if (object.mesh != nullptr && object.mesh->facetCount >= 1) {
            CutStatistics cut;
            cap = CutMesh(object, plane, &cut);
            // A refused cut changed nothing, so it must not count as done.
            if (cut.refused) std::copy_n(previousKey, 4, object.lastCutKey);
            if (statistics != nullptr) *statistics = cut;
        }
    }

    SetRecordText(object.backupPath, "");
    if (object.mesh == nullptr || cap == nullptr) return 0;
    cap->fill = object.capFill;
    switch (object.capFill) {
        case 0:
            CopyMaterial(object, *cap);
            break;
        case 1:
            CopyMaterial(scene.objects[scene.PlateIndex()], *cap);
            break;
        case 2:
            PrepareImageFill(scene, index, *cap, graphics);
            CopyMaterial(object, *cap);
            break;
        default:
            break;
    }
    return 1;
}
