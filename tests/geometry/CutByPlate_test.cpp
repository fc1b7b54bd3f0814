#include "geometry/CutByPlate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "TestMeshes.h"
#include "scene/Scene.h"

namespace {

// A scene holding one model (the lattice box [-1, 1]^3) at index 1; the plate is record 2.
struct BoxScene {
    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    int index;

    BoxScene() {
        index = scene->AddModelSlot();
        TestMesh box = LatticeBox(2, -1, -1, -1);
        SceneObject& object = Model();
        object.mesh = new Poly3gon(box.vertices.size() / 3, box.facets.size() / 3);
        std::copy(box.vertices.begin(), box.vertices.end(), object.mesh->vertices);
        std::copy(box.facets.begin(), box.facets.end(), object.mesh->facets);
        object.topCut = 0;
        object.colour[0] = 10, object.colour[1] = 20, object.colour[2] = 30;
        object.diffuse = 0.5f, object.reflection = 0.25f, object.emission = 0.125f;
        SceneObject& plate = Plate();
        plate.colour[0] = 144, plate.colour[1] = 160, plate.colour[2] = 176;
        plate.diffuse = 0.7f, plate.reflection = 0.2f, plate.emission = 0.3f;
    }
    SceneObject& Model() { return scene->objects[index]; }
    SceneObject& Plate() { return scene->objects[scene->PlateIndex()]; }
    std::vector<int64_t> Facets() {
        return {Model().mesh->facets, Model().mesh->facets + Model().mesh->facetCount * 3};
    }
    int CapCount() {
        int n = 0;
        for (CutCap* cap = Model().caps; cap != nullptr; cap = cap->next)
            ++n;
        return n;
    }
};

}  // namespace

TEST(CutByPlate, ThePlatePlaneKeepsTheUpperSideUnlessTopCut) {
    BoxScene s;
    CutPlane plane = PlateCutPlane(*s.scene, s.index);
    EXPECT_EQ(plane.a, 0.0f);
    EXPECT_EQ(plane.b, -1.0f);
    EXPECT_EQ(plane.c, 0.0f);
    EXPECT_FLOAT_EQ(plane.d, 0.001f);
    int64_t key[4];
    QuantisePlane(plane, key);
    EXPECT_EQ(std::vector<int64_t>(key, key + 4), (std::vector<int64_t>{0, -1000, 0, 0}));

    s.Model().topCut = 1;
    plane = PlateCutPlane(*s.scene, s.index);
    EXPECT_EQ(plane.b, 1.0f);
    EXPECT_FLOAT_EQ(plane.d, 0.001f);

    // The object's transform: mesh v lies in the world at 2 (v + (0, 0.5, 0)), so the plate's
    // middle plane y = 0 is mesh y = -0.5.
    s.Model().topCut = 0;
    s.Model().scale = 2;
    s.Model().position[1] = 0.5f;
    plane = PlateCutPlane(*s.scene, s.index);
    EXPECT_EQ(plane.b, -1.0f);
    EXPECT_NEAR(plane.d, -0.4995f, 1e-6);

    // A plate of scale 0 maps its three points onto one: the normal falls back to (1, 0, 0).
    s.Plate().scale = 0;
    s.Model().position[0] = 3;
    plane = PlateCutPlane(*s.scene, s.index);
    EXPECT_EQ(plane.a, 1.0f);
    EXPECT_EQ(plane.b, 0.0f);
    EXPECT_EQ(plane.c, 0.0f);
    EXPECT_FLOAT_EQ(plane.d, 3.0f);
}

TEST(CutByPlate, CutsOnceAndFillsTheCapWithTheChosenMaterial) {
    BoxScene s;
    SetRecordText(s.Model().backupPath, "/tmp/~CMx");
    CutStatistics statistics;
    ASSERT_EQ(CutByPlate(*s.scene, s.index, s.graphics, &statistics), 1);
    EXPECT_EQ(s.Model().backupPath[0], '\0');
    EXPECT_EQ(std::vector<int64_t>(s.Model().lastCutKey, s.Model().lastCutKey + 4),
              (std::vector<int64_t>{0, -1000, 0, 0}));
    ASSERT_EQ(s.CapCount(), 1);
    CutCap* cap = s.Model().caps;
    EXPECT_EQ(cap->fill, 0);
    EXPECT_EQ(std::vector<int>(cap->fillColour, cap->fillColour + 3), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(cap->fillDiffuse, 0.5f);
    EXPECT_EQ(cap->fillReflection, 0.25f);
    EXPECT_EQ(cap->fillEmission, 0.125f);
    EXPECT_EQ(statistics.cap.contours, 1);
    for (uint64_t i = 0; i < s.Model().mesh->vertexCount; ++i)
        EXPECT_GE(s.Model().mesh->vertices[i * 3 + 1], 0.0f);  // the lower half is gone

    // The same plate again: no cut, the last cap takes the new fill (here the plate's colour).
    std::vector<int64_t> facets = s.Facets();
    s.Model().capFill = 1;
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 1);
    EXPECT_EQ(s.Facets(), facets);
    ASSERT_EQ(s.CapCount(), 1);
    EXPECT_EQ(cap->fill, 1);
    EXPECT_EQ(std::vector<int>(cap->fillColour, cap->fillColour + 3), (std::vector<int>{144, 160, 176}));
    EXPECT_EQ(cap->fillDiffuse, 0.7f);

    // "Image texture": the texture goes, the cap's plate bounds and transforms are stored, and the
    // object's material fills it (no dataset: the cap stays untextured).
    cap->textureName = 7;
    s.Model().capFill = 2;
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 1);
    EXPECT_EQ(s.graphics.deletedTextures, std::vector<uint32_t>{7});
    EXPECT_EQ(cap->textureName, 0u);
    EXPECT_EQ(cap->fill, 2);
    EXPECT_EQ(cap->texMinX, -1);
    EXPECT_EQ(cap->texMinZ, -1);
    EXPECT_EQ(cap->texSpanS, 2.0f);
    EXPECT_EQ(cap->texSpanT, 2.0f);
    EXPECT_EQ(cap->planeHeight, 0);
    EXPECT_EQ(cap->objectScale, 1.0f);
    EXPECT_EQ(cap->plateRotationT[4], 1.0f);
    EXPECT_EQ(std::vector<int>(cap->fillColour, cap->fillColour + 3), (std::vector<int>{10, 20, 30}));

    // An unknown fill is recorded and nothing is copied.
    s.Model().capFill = 7;
    cap->fillColour[0] = 99;
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 1);
    EXPECT_EQ(cap->fill, 7);
    EXPECT_EQ(cap->fillColour[0], 99);
}

TEST(CutByPlate, APlateThatMissesMakesNoCapButStoresItsKey) {
    BoxScene s;
    s.Plate().position[1] = -10;  // the plate lies below the box: nothing is removed
    std::vector<int64_t> facets = s.Facets();
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 0);
    EXPECT_EQ(s.Model().caps, nullptr);
    EXPECT_EQ(s.Model().lastCutKey[3], -1000);  // d = -9.999 quantised
    std::vector<int64_t> reversed;
    for (size_t f = facets.size(); f >= 3; f -= 3)
        reversed.insert(reversed.end(), facets.begin() + static_cast<long>(f) - 3,
                        facets.begin() + static_cast<long>(f));
    EXPECT_EQ(s.Facets(), reversed);

    // Without caps the same key cuts again (and still misses).
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 0);
    EXPECT_EQ(s.Facets(), facets);

    // A second plate position also clips the first cap and adds a cap of its own.
    s.Plate().position[1] = 0;
    ASSERT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 1);
    s.Model().topCut = 1;
    s.Plate().position[1] = 0.5f;
    ASSERT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 1);
    EXPECT_EQ(s.CapCount(), 2);

    EXPECT_EQ(CutByPlate(*s.scene, s.scene->PlateIndex(), s.graphics), 0);  // the plate is no model
    EXPECT_EQ(CutByPlate(*s.scene, 0, s.graphics), 0);
}

TEST(CutByPlate, ObjectsWithoutMeshOrFacetsGetNoCap) {
    BoxScene s;
    delete s.Model().mesh;
    s.Model().mesh = new Poly3gon;
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 0);
    EXPECT_EQ(s.Model().lastCutKey[1], -1000);
    delete s.Model().mesh;
    s.Model().mesh = nullptr;
    EXPECT_EQ(CutByPlate(*s.scene, s.index, s.graphics), 0);
}
