// The surface lists draw exactly the pixels of sending every facet on its own between glBegin and
// glEnd, as the lighting rules describe them (vertex normals where they light a facet, else its face
// normal), in every surface mode, opaque and blended.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "geometry/VertexNormals.h"
#include "import/ModelLoader.h"
#include "render/GLSceneGraphics.h"
#include "render/SurfaceLists.h"
#include "scene/Poly3gon.h"
#include "support/RecordingSceneGraphics.h"
#include "support/ScriptedServices.h"
#include "tests/render/ViewHarness.h"

namespace {

// A bumpy closed sphere of radius about 90 around the origin, `rings` x `segments` quads cut into
// triangles, each facet's corners turned by its number so that a third of them lists the smaller
// index first (lit flat in the smooth modes) and the rest do not. Two facets name vertices outside
// the mesh and must be left out.
Poly3gon BumpySphere(int rings, int segments) {
    const uint64_t vertexCount = 2 + static_cast<uint64_t>(rings - 1) * segments;
    const uint64_t facetCount = 2 * static_cast<uint64_t>(segments) * (rings - 1) + 2;
    Poly3gon mesh(vertexCount, facetCount);
    auto put = [&mesh](uint64_t v, float theta, float phi) {
        const float radius = 90.0f + 6.0f * std::sin(5.0f * theta) * std::cos(3.0f * phi);
        mesh.vertices[v * 3] = radius * std::sin(theta) * std::cos(phi);
        mesh.vertices[v * 3 + 1] = radius * std::cos(theta);
        mesh.vertices[v * 3 + 2] = radius * std::sin(theta) * std::sin(phi);
    };
    const float pi = 3.14159265f;
    put(0, 0.0f, 0.0f);
    put(vertexCount - 1, pi, 0.0f);
    auto ring = [segments](int r, int s) {
        return static_cast<int64_t>(1 + (r - 1) * segments + s % segments);
    };
    for (int r = 1; r < rings; ++r) {
        for (int s = 0; s < segments; ++s)
            put(static_cast<uint64_t>(ring(r, s)), pi * r / rings, 2.0f * pi * s / segments);
    }
    uint64_t f = 0;
    auto facet = [&mesh, &f](int64_t a, int64_t b, int64_t c) {
        const int64_t corners[3] = {a, b, c};
        for (int k = 0; k < 3; ++k)
            mesh.facets[f * 3 + k] = corners[(k + f) % 3];
        ++f;
    };
    const auto last = static_cast<int64_t>(vertexCount - 1);
    for (int s = 0; s < segments; ++s) {
        facet(0, ring(1, s + 1), ring(1, s));
        facet(last, ring(rings - 1, s), ring(rings - 1, s + 1));
        for (int r = 1; r + 1 < rings; ++r) {
            facet(ring(r, s), ring(r, s + 1), ring(r + 1, s));
            facet(ring(r, s + 1), ring(r + 1, s + 1), ring(r + 1, s));
        }
    }
    facet(0, 1, static_cast<int64_t>(vertexCount));
    facet(-1, 1, 2);
    return mesh;
}

// The reference: one begin/end pair per facet, normals by the lighting rules.
GLuint CompileReference(const SceneObject& record) {
    const std::unique_ptr<float[]> normals = ComputeVertexNormals(record, record.surfaceMode);
    const Poly3gon& mesh = *record.mesh;
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPolygonMode(GL_FRONT_AND_BACK, record.surfaceMode == 0 ? GL_LINE : GL_FILL);
    for (uint64_t i = 0; i < mesh.facetCount; ++i) {
        const int64_t* facet = mesh.facets + i * 3;
        bool inMesh = true;
        for (int k = 0; k < 3; ++k)
            inMesh = inMesh && facet[k] >= 0 && static_cast<uint64_t>(facet[k]) < mesh.vertexCount;
        if (!inMesh) continue;
        const float* a = mesh.vertices + facet[0] * 3;
        const float* b = mesh.vertices + facet[1] * 3;
        const float* c = mesh.vertices + facet[2] * 3;
        glBegin(GL_TRIANGLES);
        if (normals && (record.normals != nullptr || facet[0] >= facet[1])) {
            for (int k = 0; k < 3; ++k) {
                glNormal3fv(normals.get() + facet[k] * 3);
                glVertex3fv(mesh.vertices + facet[k] * 3);
            }
        } else {
            const float u[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
            const float v[3] = {b[0] - c[0], b[1] - c[1], b[2] - c[2]};
            glNormal3f(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]);
            glVertex3fv(a);
            glVertex3fv(b);
            glVertex3fv(c);
        }
        glEnd();
    }
    glEndList();
    return list;
}

struct SurfaceListPixelsTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.ready);
        index = h.scene.AddModelSlot();
        SceneObject& record = h.scene.objects[index];
        record.mesh = new Poly3gon(BumpySphere(24, 40));
        record.vertexCount = static_cast<int64_t>(record.mesh->vertexCount);
        record.visible = 1;
        record.colour[0] = 200, record.colour[1] = 150, record.colour[2] = 90;
        record.diffuse = 1.0f;
        record.emission = 0.1f;
        record.reflection = 0.6f;
        TurnController(h.scene.controllers[0], 35.0f, true);
    }

    // The current record drawn by the reference list, which is gone afterwards; the record keeps its lists.
    BgrImage ReferenceImage() {
        SceneObject& record = h.scene.objects[index];
        const uint32_t built = record.listBase;
        h.view->makeCurrent();
        record.listBase = CompileReference(record);
        h.view->doneCurrent();
        const BgrImage image = h.view->ReadPixels();
        h.view->makeCurrent();
        glDeleteLists(record.listBase, 1);
        h.view->doneCurrent();
        record.listBase = built;
        return image;
    }

    static int Differing(const BgrImage& drawn, const BgrImage& expected) {
        EXPECT_EQ(drawn.width, expected.width);
        int differing = 0;
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x)
                differing += ViewHarness::Rgb(drawn, x, y) != ViewHarness::Rgb(expected, x, y) ? 1 : 0;
        }
        // The sphere must actually be lit differently across the view for the comparison to mean much.
        EXPECT_NE(ViewHarness::Rgb(drawn, kViewSize / 2, kViewSize / 2), ViewHarness::Rgb(drawn, 20, 20));
        return differing;
    }

    // Differing pixels between the reference drawing and the built lists of the current record.
    int DifferingPixels() {
        SceneObject& record = h.scene.objects[index];
        record.listBase = 0;
        record.listCount = 1;
        const BgrImage expected = ReferenceImage();
        h.view->makeCurrent();
        EXPECT_EQ(BuildSurfaceLists(record, graphics, messages), 1);
        h.view->doneCurrent();
        EXPECT_TRUE(messages.shown.empty());
        return Differing(h.view->ReadPixels(), expected);
    }

    ViewHarness h;
    RecordingSceneGraphics graphics;
    ScriptedMessageBoxes messages;
    int index = 0;
};

TEST_F(SurfaceListPixelsTest, EverySurfaceModeDrawsTheSamePixelsOpaqueAndBlended) {
    for (const uint8_t opacity : {uint8_t{255}, uint8_t{128}}) {
        h.scene.objects[index].colour[3] = opacity;
        for (int mode = 0; mode <= 3; ++mode) {
            h.scene.objects[index].surfaceMode = mode;
            EXPECT_EQ(DifferingPixels(), 0) << "surface mode " << mode << ", opacity " << int{opacity};
        }
    }
}

TEST_F(SurfaceListPixelsTest, FogDimsTheSamePixels) {
    h.scene.state.fogIntensity = 150;
    SceneObject& record = h.scene.objects[index];
    record.colour[3] = 255;
    record.surfaceMode = 1;
    h.view->makeCurrent();
    ASSERT_EQ(BuildSurfaceLists(record, graphics, messages), 1);
    h.view->doneCurrent();
    const BgrImage clear = h.view->ReadPixels();
    h.display.fogOn = 1;
    const BgrImage foggy = h.view->ReadPixels();
    ASSERT_NE(ViewHarness::Rgb(clear, kViewSize / 2, kViewSize / 2),
              ViewHarness::Rgb(foggy, kViewSize / 2, kViewSize / 2));

    for (int mode = 0; mode <= 3; ++mode) {
        h.scene.objects[index].surfaceMode = mode;
        EXPECT_EQ(DifferingPixels(), 0) << "surface mode " << mode;
    }
}

TEST_F(SurfaceListPixelsTest, ALightAtAPointLightsEachCornerOfAFlatFacet) {
    h.scene.state.lightPosition[3] = 1.0f;
    h.scene.state.lightPosition[2] = 400.0f;
    h.view->ApplyLight();
    for (int mode = 0; mode <= 1; ++mode) {
        h.scene.objects[index].surfaceMode = mode;
        EXPECT_EQ(DifferingPixels(), 0) << "surface mode " << mode;
    }
}

TEST_F(SurfaceListPixelsTest, TheViewsListsFollowTheLightFromADirectionToAPoint) {
    ScriptedMessageBoxes boxes;
    int builds = 0;  // each build clears the progress pane once at its end
    GLSceneGraphics viewGraphics(
        *h.view, [&builds](int percent, const std::string&) { builds += percent == 0 ? 1 : 0; }, &h.scene,
        &boxes);
    SceneObject& record = h.scene.objects[index];
    record.listBase = 0;
    for (int mode = 0; mode <= 1; ++mode) {
        record.surfaceMode = mode;
        h.scene.state.lightPosition[3] = 0.0f;
        h.view->ApplyLight();
        ASSERT_EQ(viewGraphics.BuildSurfaceLists(index), 1);
        builds = 0;
        viewGraphics.MatchLightKind();
        EXPECT_EQ(builds, 0) << "nothing to rebuild";

        h.scene.state.lightPosition[3] = 1.0f;
        h.scene.state.lightPosition[2] = 400.0f;
        h.view->ApplyLight();
        const BgrImage expected = ReferenceImage();
        EXPECT_GT(Differing(h.view->ReadPixels(), expected), 0) << "lists lit for a direction, mode " << mode;
        viewGraphics.MatchLightKind();
        EXPECT_EQ(builds, 1);
        EXPECT_EQ(Differing(h.view->ReadPixels(), expected), 0) << "surface mode " << mode;
        viewGraphics.MatchLightKind();
        EXPECT_EQ(builds, 1) << "nothing to rebuild";
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SurfaceListPixelsTest, ALargeModelCompiledInChunksOnTwoContextsDrawsTheSamePixels) {
    SceneObject& record = h.scene.objects[index];
    delete record.mesh;
    record.mesh = new Poly3gon(BumpySphere(201, 500));  // 200,002 facets: five chunks
    record.vertexCount = static_cast<int64_t>(record.mesh->vertexCount);
    for (const uint8_t opacity : {uint8_t{255}, uint8_t{128}}) {
        record.colour[3] = opacity;
        for (int mode = 0; mode <= 3; ++mode) {
            record.surfaceMode = mode;
            graphics.nestedLists.clear();
            EXPECT_EQ(DifferingPixels(), 0) << "surface mode " << mode << ", opacity " << int{opacity};
            ASSERT_EQ(graphics.nestedLists.size(), 1u);
            EXPECT_EQ(graphics.nestedLists[0].first, record.listBase);
            EXPECT_EQ(graphics.nestedLists[0].second.count, 5);
        }
    }
}

TEST_F(SurfaceListPixelsTest, FileNormalsLightEveryFacetTheSame) {
    SceneObject& record = h.scene.objects[index];
    const uint64_t vertices = record.mesh->vertexCount;
    // Normals pointing away from the centre, the file's own: each facet, whatever its corner order,
    // is lit with them.
    record.normals = new float[vertices * 3];
    for (uint64_t v = 0; v < vertices * 3; ++v)
        record.normals[v] = record.mesh->vertices[v] * 0.01f;
    record.fileType = kCtmFile;
    record.surfaceMode = 2;
    EXPECT_EQ(DifferingPixels(), 0);
}

}  // namespace
