// The sample specimen cut through its middle with "Image texture": the cap shows its own CT stack.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dataset/SliceBuffer.h"
#include "geometry/CutByPlate.h"
#include "import/ModelFileBytes.h"
#include "import/ModelLoader.h"
#include "import/P3gWriter.h"
#include "render/GLSceneGraphics.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"
#include "tests/render/ViewHarness.h"
#include "tools/sample/SpecimenMesh.h"
#include "tools/sample/SpecimenStack.h"

namespace {

constexpr int kStackSize = 64;
constexpr int kViewPixels = 160;       // about three view pixels per slice pixel
constexpr float kObjectScale = 27.0f;  // the specimen about fills the view

// Where the ray through the centre of view pixel (x, y from the top) meets the world's z = 0 plane,
// under the matrices of the last frame drawn.
bool PixelOnPlane(CPexoraView& view, int x, int y, int viewHeight, double world[3]) {
    double modelView[16], projection[16], near[3], far[3];
    GLint viewport[4];
    view.makeCurrent();
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.doneCurrent();
    const double wx = x + 0.5, wy = viewHeight - 1 - y + 0.5;
    if (gluUnProject(wx, wy, 0.0, modelView, projection, viewport, &near[0], &near[1], &near[2]) != GL_TRUE ||
        gluUnProject(wx, wy, 1.0, modelView, projection, viewport, &far[0], &far[1], &far[2]) != GL_TRUE ||
        far[2] == near[2])
        return false;
    const double t = -near[2] / (far[2] - near[2]);
    for (int axis = 0; axis < 3; ++axis)
        world[axis] = near[axis] + t * (far[axis] - near[axis]);
    return true;
}

}  // namespace

TEST(SampleSpecimenCap, ImageTextureShowsTheSliceValuesUnderTheCap) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.window.resize(kViewPixels, kViewPixels);
    h.view->setGeometry(0, 0, kViewPixels, kViewPixels);
    // The sample as pexora-sample makes it, in a small stack: mesh and slices in one frame.
    ScratchDirectory directory;
    Poly3gon mesh;
    ASSERT_TRUE(MeshSpecimen(SpecimenSpacingForFacets(30000), mesh));
    FitMeshToStack(mesh, kStackSize);
    RotateFacetsAsWelded(mesh);
    ASSERT_TRUE(WriteP3g(mesh, directory.File("specimen.p3g")));
    ASSERT_TRUE(WriteSpecimenStack(directory.File("specimen"), kStackSize));

    // Loaded centred, so that the dataset frame is the mesh's plus its centre.
    ScriptedMessageBoxes messages;
    GLSceneGraphics graphics(*h.view, {}, &h.scene, &messages);
    const int index = h.scene.AddModelSlot();
    SceneObject& specimen = h.scene.objects[index];
    specimen.centered = 1;
    RecordingTones tones;
    ASSERT_EQ(LoadModelFile(h.scene, index, directory.File("specimen.p3g"), tones), 1);
    ASSERT_NE(specimen.centre[2], 0.0f);
    specimen.scale = kObjectScale;
    specimen.capFill = 2;
    specimen.topCut = 1;  // keep the far half: its cap faces the camera
    SetRecordText(specimen.datasetPath, directory.File("specimen_rec0000.bmp").c_str());
    // The plate stands upright in the world's z = 0 plane; the object is moved along z so that the plane
    // meets the stack in the middle of slice `middle`.
    const int middle = static_cast<int>(std::lround(specimen.centre[2]));
    specimen.position[2] = specimen.centre[2] - static_cast<float>(middle);
    SceneObject& plate = h.scene.objects[h.scene.PlateIndex()];
    const float upright[9] = {1, 0, 0, 0, 0, -1, 0, 1, 0};
    std::copy_n(upright, 9, plate.rotation);

    ASSERT_EQ(CutByPlate(h.scene, index, graphics), 1);
    ASSERT_EQ(graphics.BuildSurfaceLists(index), 1);
    ASSERT_NE(specimen.caps, nullptr);
    ASSERT_NE(specimen.caps->textureName, 0u);
    EXPECT_TRUE(messages.shown.empty());

    SliceBuffer slice;
    ASSERT_EQ(ReadSlice(StackSlicePath(directory.File("specimen"), middle), slice), SliceBmp);
    auto grey = [&](int column, int row) {
        return int(slice.pixels[static_cast<size_t>(row) * slice.stride + static_cast<size_t>(column)]);
    };
    // Inside the specimen, clear of its outline: the pixel and its neighbours show no background.
    auto wellInside = [&](int column, int row) {
        for (int r = row - 1; r <= row + 1; ++r)
            for (int c = column - 1; c <= column + 1; ++c)
                if (c < 0 || r < 0 || c >= kStackSize || r >= kStackSize || grey(c, r) < 40) return false;
        return true;
    };

    // Every view pixel whose point lies well inside a slice pixel of the section shows that pixel's
    // grey exactly (the texture is unlit); pixels near a slice pixel's border may show either side.
    const BgrImage image = h.view->ReadPixels();
    int checked = 0, shell = 0, pores = 0, wrong = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            double world[3];
            ASSERT_TRUE(PixelOnPlane(*h.view, x, y, image.height, world));
            const double column = world[0] / kObjectScale + specimen.centre[0] + kStackSize / 2;
            const double row = world[1] / kObjectScale + specimen.centre[1] + kStackSize / 2;
            const double nearestColumn = std::round(column), nearestRow = std::round(row);
            if (std::fabs(column - nearestColumn) > 0.3 || std::fabs(row - nearestRow) > 0.3) continue;
            if (!wellInside(int(nearestColumn), int(nearestRow))) continue;
            const int expected = grey(int(nearestColumn), int(nearestRow));
            ++checked;
            shell += expected > 200;
            pores += expected < 80;
            if (ViewHarness::Rgb(image, x, y) != (std::array<int, 3>{expected, expected, expected})) {
                ++wrong;
                ADD_FAILURE() << "pixel " << x << ", " << y << " shows " << ViewHarness::Rgb(image, x, y)[0]
                              << ", slice " << middle << " column " << nearestColumn << " row " << nearestRow
                              << " holds " << expected;
            }
            if (wrong > 10) return;
        }
    }
    EXPECT_GT(checked, 1000);

    EXPECT_GT(shell, 50);
    EXPECT_GT(pores, 50);
}
