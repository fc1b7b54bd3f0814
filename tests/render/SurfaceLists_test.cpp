#include "render/SurfaceLists.h"

#include <gtest/gtest.h>

#include "render/GLSceneGraphics.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "support/RecordingSceneGraphics.h"
#include "support/ScriptedServices.h"
#include "tests/render/ViewHarness.h"

namespace {

// A strip of `facets` triangles in the z = 0 plane over vertices (i, 0, 0) and (i, 1, 0).
Poly3gon Strip(uint64_t facets) {
    const uint64_t columns = facets / 2 + 2;
    Poly3gon strip(columns * 2, facets);
    for (uint64_t i = 0; i < columns * 2; ++i) {
        strip.vertices[i * 3] = static_cast<float>(i / 2);
        strip.vertices[i * 3 + 1] = static_cast<float>(i % 2);
    }
    for (uint64_t f = 0; f < facets; ++f) {
        strip.facets[f * 3] = static_cast<int64_t>(f + 2);
        strip.facets[f * 3 + 1] = static_cast<int64_t>(f + 1);
        strip.facets[f * 3 + 2] = static_cast<int64_t>(f);
    }
    return strip;
}

struct SurfaceListsTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(h.ready); }
    int Build(SceneObject& record) {
        h.view->makeCurrent();
        const int built = BuildSurfaceLists(record, graphics, messages);
        h.view->doneCurrent();
        return built;
    }
    // A model record holding a strip of `facets` facets, drawn in `surfaceMode`.
    SceneObject& StripModel(uint64_t facets, int surfaceMode) {
        SceneObject& record = h.scene.objects[h.scene.AddModelSlot()];
        record.mesh = new Poly3gon(Strip(facets));
        record.surfaceMode = surfaceMode;
        return record;
    }
    // Every percent shown once, in order, then the pane cleared.
    void ExpectProgressOnceAPercent() {
        ASSERT_EQ(graphics.progress.size(), 100u);
        for (int percent = 1; percent <= 99; ++percent)
            EXPECT_EQ(graphics.progress[percent - 1], (std::pair<int, std::string>{percent, "Loading"}));
        EXPECT_EQ(graphics.progress.back(), (std::pair<int, std::string>{0, ""}));
    }
    bool IsList(GLuint name) {
        h.view->makeCurrent();
        const bool is = glIsList(name) == GL_TRUE;
        h.view->doneCurrent();
        return is;
    }

    ViewHarness h;
    RecordingSceneGraphics graphics;
    ScriptedMessageBoxes messages;
};

TEST_F(SurfaceListsTest, SmallMeshesShowNoProgressLargerOnesAtMostOnceAPercent) {
    SceneObject& record = StripModel(100, 2);
    ASSERT_EQ(Build(record), 1);
    EXPECT_EQ(record.listCount, 1);
    EXPECT_TRUE(IsList(record.listBase));
    EXPECT_EQ(record.facetCount, 100);
    EXPECT_EQ(record.vertexCount, 104);
    EXPECT_EQ(graphics.progress, (std::vector<std::pair<int, std::string>>{{0, ""}}));

    // Rebuilding deletes the old lists first.
    const uint32_t oldBase = record.listBase;
    delete record.mesh;
    record.mesh = new Poly3gon(Strip(1001));
    graphics.progress.clear();
    ASSERT_EQ(Build(record), 1);
    EXPECT_EQ(graphics.deletedLists, (std::vector<RecordingSceneGraphics::ListRange>{{oldBase, 1}}));
    ExpectProgressOnceAPercent();
    EXPECT_TRUE(messages.shown.empty());

    SceneObject empty;
    EXPECT_EQ(Build(empty), 0);
    EXPECT_EQ(empty.listBase, 0u);
}

TEST_F(SurfaceListsTest, ALargeSurfaceCallsChunksThatAreDeletedWithIt) {
    SceneObject& record = StripModel(100000, 1);
    ASSERT_EQ(Build(record), 1);
    // Cut at 33,000 and 66,000 facets; progress is still shown once a percent, in order.
    ASSERT_EQ(graphics.nestedLists.size(), 1u);
    EXPECT_EQ(graphics.nestedLists[0].first, record.listBase);
    const RecordingSceneGraphics::ListRange chunks = graphics.nestedLists[0].second;
    EXPECT_EQ(chunks.count, 3);
    for (int32_t k = 0; k < chunks.count; ++k)
        EXPECT_TRUE(IsList(chunks.base + static_cast<uint32_t>(k)));
    ExpectProgressOnceAPercent();

    // The view's graphics delete nested lists with the list that calls them, and only those.
    ScriptedMessageBoxes boxes;
    GLSceneGraphics viewGraphics(*h.view, {}, &h.scene, &boxes);
    viewGraphics.NestLists(record.listBase, chunks.base, chunks.count - 1);
    viewGraphics.DeleteLists(record.listBase, record.listCount);
    EXPECT_FALSE(IsList(record.listBase));
    for (int32_t k = 0; k + 1 < chunks.count; ++k)
        EXPECT_FALSE(IsList(chunks.base + static_cast<uint32_t>(k)));
    EXPECT_TRUE(IsList(chunks.base + static_cast<uint32_t>(chunks.count - 1)));
    record.listBase = 0;
}

TEST_F(SurfaceListsTest, CapsGetTheirOwnListsAndCountTowardsTheFacets) {
    SceneObject& record = StripModel(4, 3);

    auto* first = new CutCap;
    first->triangleCount = 2;
    first->triangles = new int64_t[6]{1, 0, 2, 3, 2, 1};
    first->displayList = 4242;  // a stale name from an earlier build is given back
    auto* second = new CutCap;
    second->triangleCount = 1;
    second->triangles = new int64_t[3]{0, 1, 99};  // names no vertex: left out
    first->next = second;
    second->prev = first;
    record.caps = first;

    ASSERT_EQ(Build(record), 1);
    EXPECT_EQ(record.facetCount, 4 + 2 + 1);
    EXPECT_TRUE(IsList(first->displayList));
    EXPECT_TRUE(IsList(second->displayList));
    EXPECT_NE(first->displayList, second->displayList);
    EXPECT_EQ(graphics.deletedLists, (std::vector<RecordingSceneGraphics::ListRange>{{4242, 1}}));
}

TEST_F(SurfaceListsTest, TheViewBuildsListsThatDrawTheModelInItsColour) {
    ScriptedMessageBoxes boxes;
    GLSceneGraphics viewGraphics(*h.view, {}, &h.scene, &boxes);
    const int index = h.scene.AddModelSlot();
    SceneObject& record = h.scene.objects[index];
    // A square of half-size 100 facing the camera, lit flat, fully emissive red.
    record.mesh = new Poly3gon(4, 2);
    const float corners[] = {-100, -100, 0, 100, -100, 0, 100, 100, 0, -100, 100, 0};
    std::copy(std::begin(corners), std::end(corners), record.mesh->vertices);
    const int64_t facets[] = {1, 2, 0, 3, 0, 2};
    std::copy(std::begin(facets), std::end(facets), record.mesh->facets);
    record.surfaceMode = 1;
    record.visible = 1;
    record.colour[0] = 255, record.colour[1] = 0, record.colour[2] = 0;
    record.emission = 1.0f;
    record.reflection = 0.0f;

    EXPECT_EQ(viewGraphics.BuildSurfaceLists(index), 1);
    EXPECT_EQ(viewGraphics.BuildSurfaceLists(index + 1), 0) << "the plate has no mesh";
    EXPECT_EQ(viewGraphics.BuildSurfaceLists(0), 0);
    EXPECT_EQ(record.vertexCount, 4);
    const BgrImage image = h.view->ReadPixels();
    EXPECT_EQ(ViewHarness::Rgb(image, kViewSize / 2, kViewSize / 2), (std::array<int, 3>{255, 0, 0}));
    EXPECT_TRUE(boxes.shown.empty());

    // A view without context builds nothing and leaves the record as it was.
    CPexoraView unshown(h.scene, h.settings, h.display, 5, 0, 0);
    GLSceneGraphics noContext(unshown, {}, &h.scene, &boxes);
    const uint32_t listBase = record.listBase;
    EXPECT_EQ(noContext.BuildSurfaceLists(index), 0);
    EXPECT_EQ(record.listBase, listBase);
}

}  // namespace
