#include "geometry/ApplySurface.h"

#include <gtest/gtest.h>

#include <memory>

#include "TestMeshes.h"
#include "import/ModelLoader.h"
#include "scene/Scene.h"

namespace {

// A facet soup of `m` (three own vertices per facet), as the .stl reader leaves a model.
Poly3gon* SoupOf(const TestMesh& m) {
    auto* mesh = new Poly3gon(m.facets.size(), m.facets.size() / 3);
    for (size_t corner = 0; corner < m.facets.size(); ++corner) {
        for (int axis = 0; axis < 3; ++axis)
            mesh->vertices[corner * 3 + axis] = m.vertices[m.facets[corner] * 3 + axis];
        mesh->facets[corner] = static_cast<int64_t>(corner);
    }
    return mesh;
}

struct ApplySurfaceTest : ::testing::Test {
    // Adds a model holding `mesh` with the given source type; returns its index.
    int AddModel(Poly3gon* mesh, int fileType, int optimized) {
        const int index = scene->AddModelSlot();
        SceneObject& object = scene->objects[index];
        object.mesh = mesh;
        object.fileType = fileType;
        object.optimized = optimized;
        object.surfaceMode = 1;
        scene->ComputeBounds(index);
        return index;
    }

    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
};

TEST_F(ApplySurfaceTest, OptimisingAGenusOneSoupLeavesHalfAsManyVerticesAsFacets) {
    const TestMesh torus = Torus(12, 8, 5, 2, 0, 0, 0);  // 192 facets, 96 distinct vertices
    const int index = AddModel(SoupOf(torus), kStlFile, 0);
    SceneObject& object = scene->objects[index];
    ASSERT_EQ(object.vertexCount, 576);
    SetRecordText(object.backupPath, "/tmp/~CM0001.tmp");

    const SurfaceUpdate update = ApplySurface(*scene, index, {3, 1, 1, 0}, graphics);

    EXPECT_EQ(update, SurfaceUpdate::kModelWelded);
    EXPECT_EQ(object.optimized, 1);
    EXPECT_EQ(object.vertexCount, 96);
    EXPECT_EQ(object.facetCount, 192);
    EXPECT_EQ(object.surfaceMode, 3);
    EXPECT_EQ(object.showAxes, 1);
    EXPECT_STREQ(object.backupPath, "") << "the snapshot no longer matches the mesh";
    EXPECT_EQ(graphics.builtLists, std::vector<int>{index});
    ASSERT_FALSE(graphics.progress.empty());
    EXPECT_EQ(graphics.progress.front().second, "Optimizing");
    EXPECT_EQ(graphics.progress.back(), (std::pair<int, std::string>{0, ""}));
}

TEST_F(ApplySurfaceTest, AnIndexedModelIsNotWeldedAgain) {
    const TestMesh torus = Torus(6, 4, 5, 2, 0, 0, 0);
    auto* mesh = new Poly3gon(torus.vertices.size() / 3, torus.facets.size() / 3);
    std::copy(torus.vertices.begin(), torus.vertices.end(), mesh->vertices);
    std::copy(torus.facets.begin(), torus.facets.end(), mesh->facets);
    const int index = AddModel(mesh, kP3gFile, 1);
    const Poly3gon before = *mesh;

    EXPECT_EQ(ApplySurface(*scene, index, {2, 0, 1, 0}, graphics), SurfaceUpdate::kModel);
    EXPECT_TRUE(std::equal(before.facets, before.facets + before.facetCount * 3, mesh->facets))
        << "welding would have renumbered the vertices";
    EXPECT_TRUE(graphics.progress.empty());
    EXPECT_EQ(scene->objects[index].surfaceMode, 2);

    // A .p3g record with the flag clear is indexed all the same: asked to optimise, it takes the
    // flag without a weld.
    scene->objects[index].optimized = 0;
    EXPECT_EQ(ApplySurface(*scene, index, {3, 0, 1, 0}, graphics), SurfaceUpdate::kModelWelded);
    EXPECT_EQ(scene->objects[index].optimized, 1);
    EXPECT_TRUE(std::equal(before.facets, before.facets + before.facetCount * 3, mesh->facets));
    EXPECT_TRUE(graphics.progress.empty());
}

TEST_F(ApplySurfaceTest, WithoutTheRequestASoupStaysASoup) {
    const int index = AddModel(SoupOf(Torus(6, 4, 5, 2, 0, 0, 0)), kStlFile, 0);
    EXPECT_EQ(ApplySurface(*scene, index, {0, 0, 0, 0}, graphics), SurfaceUpdate::kModel);
    EXPECT_EQ(scene->objects[index].optimized, 0);
    EXPECT_EQ(scene->objects[index].vertexCount, 144);
    EXPECT_EQ(scene->objects[index].surfaceMode, 0);
}

TEST_F(ApplySurfaceTest, ARefusedWeldKeepsTheFacetSoupMarkedAsSuch) {
    Poly3gon* mesh = SoupOf(Torus(6, 4, 5, 2, 0, 0, 0));
    const int index = AddModel(mesh, kCtmFile, 0);
    mesh->facets[7] = 100000;  // names no vertex: the weld refuses the mesh

    EXPECT_EQ(ApplySurface(*scene, index, {1, 0, 1, 0}, graphics), SurfaceUpdate::kModel);
    EXPECT_EQ(scene->objects[index].optimized, 0);
    EXPECT_EQ(scene->objects[index].vertexCount, 144);
    EXPECT_EQ(graphics.builtLists, std::vector<int>{index});
}

TEST_F(ApplySurfaceTest, ChangingTheCentringMovesTheMeshAndBack) {
    TestMesh m = LatticeBox(1, 10, 20, 30);
    for (size_t i = 0; i < m.vertices.size(); i += 3) {
        m.vertices[i] = m.vertices[i] == 10 ? 10.0f : 20.0f;
        m.vertices[i + 1] = m.vertices[i + 1] == 20 ? 20.0f : 40.0f;
        m.vertices[i + 2] = m.vertices[i + 2] == 30 ? 30.0f : 50.0f;
    }
    const int index = AddModel(SoupOf(m), kStlFile, 0);
    SceneObject& object = scene->objects[index];

    ApplySurface(*scene, index, {1, 0, 0, 1}, graphics);
    EXPECT_EQ(object.centered, 1);
    EXPECT_EQ((std::array<float, 3>{object.centre[0], object.centre[1], object.centre[2]}),
              (std::array<float, 3>{15, 30, 40}));
    EXPECT_EQ(object.boxMin[1], -10.0f);
    EXPECT_EQ(object.boxMax[2], 10.0f);

    ApplySurface(*scene, index, {1, 0, 0, 0}, graphics);
    EXPECT_EQ(object.centered, 0);
    EXPECT_EQ(object.boxMin[0], 10.0f);
    EXPECT_EQ(object.boxMax[1], 40.0f);
    EXPECT_EQ(graphics.builtLists, (std::vector<int>{index, index}));
}

TEST_F(ApplySurfaceTest, ThePlateTakesModeAndAxesAndLeavesItsListToTheCaller) {
    const int plate = scene->PlateIndex();
    scene->objects[plate].vertexCount = 4;  // as its first list build sets it up
    scene->objects[plate].facetCount = 2;

    EXPECT_EQ(ApplySurface(*scene, plate, {0, 1, 1, 1}, graphics), SurfaceUpdate::kPlate);
    EXPECT_EQ(scene->objects[plate].surfaceMode, 0);
    EXPECT_EQ(scene->objects[plate].showAxes, 1);
    EXPECT_EQ(scene->objects[plate].optimized, 0);
    EXPECT_EQ(scene->objects[plate].centered, 0);
    EXPECT_TRUE(graphics.builtLists.empty());
}

TEST_F(ApplySurfaceTest, RecordsWithoutGeometryOrOutsideTheSceneAreLeftAlone) {
    const int index = scene->AddModelSlot();  // a model whose file could not be read
    EXPECT_EQ(ApplySurface(*scene, index, {3, 1, 1, 1}, graphics), SurfaceUpdate::kNone);
    EXPECT_EQ(scene->objects[index].surfaceMode, 1);
    EXPECT_EQ(scene->objects[index].centered, 0);
    EXPECT_EQ(ApplySurface(*scene, 0, {3, 1, 1, 1}, graphics), SurfaceUpdate::kNone);
    EXPECT_EQ(ApplySurface(*scene, scene->PlateIndex() + 1, {3, 1, 1, 1}, graphics), SurfaceUpdate::kNone);
    EXPECT_TRUE(graphics.builtLists.empty());
}

}  // namespace
