// Bounding boxes with their ticks and labels, and the axes, rendered for real (Mesa under Xvfb).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "tests/render/ViewHarness.h"

namespace {

const std::array<int, 3> kStageColour{0, 0, 64};

// With the view from level ground the camera sits 600 units in front of the stage centre, so at
// eye distance 182.8 one unit is a quarter pixel (64 pixels over 2 x tan 35 degrees x 182.8).
constexpr float kQuarterPixelZ = 600.0f - 182.8f;

// A record that shows only its box (no surface list): x -100..100, y -40..40, flat in z, shifted
// by half a pixel so that its lines fall on pixel centres. Box edges: columns 7 and 57, rows 22
// and 42; with tick factor 10 the ticks are 80 units (20 pixels) apart and 20 units (5 pixels) long.
int AddBox(ViewHarness& h, float pixelSize) {
    const int index = h.scene.AddModelSlot();
    SceneObject& record = h.scene.objects[index];
    record.visible = 1;
    record.vertexCount = 4;
    record.showBox = 1;
    record.fileType = 0;
    record.pixelSize = pixelSize;
    record.tickFactor = 10;
    record.boxMin[0] = -100.0f;
    record.boxMax[0] = 100.0f;
    record.boxMin[1] = -40.0f;
    record.boxMax[1] = 40.0f;
    record.position[0] = 2.0f;
    record.position[1] = -2.0f;
    record.position[2] = kQuarterPixelZ;
    h.settings.lookAt = 0;
    h.settings.bbMode = 1;  // white boxes
    return index;
}

// Nothing the frames so far did was refused by GL.
void ExpectNoGLError(ViewHarness& h) {
    h.view->makeCurrent();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    h.view->doneCurrent();
}

bool Lit(const BgrImage& image, int x, int y) {
    return ViewHarness::Rgb(image, x, y) != kStageColour;
}

// Columns of `row` between `from` and `to` that are not background.
std::vector<int> LitColumns(const BgrImage& image, int row, int from, int to) {
    std::vector<int> columns;
    for (int x = from; x <= to; ++x)
        if (Lit(image, x, row)) columns.push_back(x);
    return columns;
}

// Pixels below the box's bottom edge, where the label's glyphs stand.
int LabelPixels(const BgrImage& image) {
    int count = 0;
    for (int y = 44; y < kViewSize; ++y)
        for (int x = 0; x < kViewSize; ++x)
            count += Lit(image, x, y) ? 1 : 0;
    return count;
}

}  // namespace

TEST(BoundingBox, TicksStandAtTheirSpacingAndTheLabelBelowTheBox) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int box = AddBox(h, 12.5f);
    const BgrImage image = h.view->ReadPixels();

    // The outline.
    EXPECT_TRUE(Lit(image, kViewSize / 2, 22));
    EXPECT_TRUE(Lit(image, kViewSize / 2, 42));
    EXPECT_TRUE(Lit(image, 7, 32));
    EXPECT_TRUE(Lit(image, 57, 32));
    // Three rows inside the top edge only the ticks at x = -20 and 60 show: columns 27 and 47.
    EXPECT_EQ(LitColumns(image, 25, 9, 55), (std::vector<int>{27, 47}));
    EXPECT_TRUE(LitColumns(image, 29, 9, 55).empty());  // ticks end 5 pixels inside
    // The label ">1000 um<" starts at the box's left edge, below its bottom.
    EXPECT_GT(LabelPixels(image), 10);

    // Without a voxel size there are neither ticks nor label.
    h.scene.objects[box].pixelSize = 0.0f;
    const BgrImage plain = h.view->ReadPixels();
    EXPECT_TRUE(Lit(plain, kViewSize / 2, 22));
    EXPECT_TRUE(LitColumns(plain, 25, 9, 55).empty());
    EXPECT_EQ(LabelPixels(plain), 0);
    ExpectNoGLError(h);
}

TEST(BoundingBox, BoxesShownWhileDraggingHaveNoTicks) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int box = AddBox(h, 12.5f);
    h.scene.objects[box].colour[3] = 200;  // transparent: dragging draws only boxes
    h.view->SetDrawBoundingBoxes(1);
    h.view->SetMoving(1);
    const BgrImage image = h.view->ReadPixels();
    EXPECT_TRUE(Lit(image, kViewSize / 2, 22));
    EXPECT_TRUE(LitColumns(image, 25, 9, 55).empty());
    EXPECT_EQ(LabelPixels(image), 0);
}

TEST(BoundingBox, TinyVoxelsAndHugeBoxesStillEnd) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int box = AddBox(h, 0.001f);  // the tick distance truncates to 0
    BgrImage image = h.view->ReadPixels();
    EXPECT_TRUE(Lit(image, kViewSize / 2, 22));
    EXPECT_TRUE(LitColumns(image, 25, 9, 55).empty());
    EXPECT_EQ(LabelPixels(image), 0);

    // Coordinates beyond the precision of the spacing: the stepping stops instead of spinning.
    SceneObject& record = h.scene.objects[box];
    record.pixelSize = 12.5f;
    record.tickFactor = 1;
    record.boxMin[0] = -3e9f;
    record.boxMax[0] = 3e9f;
    record.boxMin[2] = -3e9f;
    image = h.view->ReadPixels();
    EXPECT_EQ(image.width, kViewSize);
}

TEST(AxesList, ShaftsAreRedAlongXBlueAlongYAndGreenAlongZ) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.settings.lookAt = 0;
    const int index = h.scene.AddModelSlot();
    SceneObject& record = h.scene.objects[index];
    record.visible = 1;
    record.vertexCount = 4;
    record.showAxes = 1;
    // Scaled up so that the shafts (1/75 of their length thick) are some pixels wide; the origin at
    // (-150, -100, -300), 900 units in front of the eye, lands at column 24, row 37.
    record.scale = 118.0f;
    record.position[0] = -150.0f / 118.0f;
    record.position[1] = -100.0f / 118.0f;
    record.position[2] = -300.0f / 118.0f;

    const BgrImage image = h.view->ReadPixels();
    const auto dominant = [&](int x, int y) {
        const std::array<int, 3> rgb = ViewHarness::Rgb(image, x, y);
        const int strongest = static_cast<int>(std::max_element(rgb.begin(), rgb.end()) - rgb.begin());
        int others = 0;
        for (int c = 0; c < 3; ++c)
            if (c != strongest) others = std::max(others, rgb[c]);
        return rgb[strongest] - others > 60 ? strongest : -1;
    };
    EXPECT_EQ(dominant(50, 37), 0);  // x shaft, to the right
    EXPECT_EQ(dominant(24, 15), 2);  // y shaft, upward
    EXPECT_EQ(dominant(17, 42), 1);  // z shaft, toward the viewer and outward
    EXPECT_EQ(ViewHarness::Rgb(image, 50, 15), kStageColour);

    // Axes are off unless asked for.
    record.showAxes = 0;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), 50, 37), kStageColour);
    ExpectNoGLError(h);
}
