#include "dataset/BuildCapTexture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "LiteralCapTexture.h"
#include "import/ModelFileBytes.h"
#include "support/BmpSliceBytes.h"
#include "support/ScriptedServices.h"

namespace {

// A model record with a dataset of generated slices in a scratch directory; the plate is the next record.
struct DatasetScene {
    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    ScratchDirectory directory;
    ScriptedMessageBoxes messages;
    int index = scene->AddModelSlot();

    SceneObject& Model() { return scene->objects[index]; }
    SceneObject& Plate() { return scene->objects[scene->PlateIndex()]; }

    // Writes slice `number` (named s_NNNN.bmp) whose pixel values tell the slice, the column and the
    // row apart, with a palette of its own so that a texel also tells which palette coloured it.
    std::string AddSlice(int number, int width, int height) {
        BmpSlice slice;
        slice.width = width, slice.height = height;
        slice.index = [number](int column, int row) { return uint8_t(number * 7 + column * 3 + row * 5); };
        slice.colour = [number](int i) {
            return std::array<uint8_t, 3>{uint8_t(i), uint8_t(number), uint8_t(255 - i)};
        };
        char name[32];
        std::snprintf(name, sizeof name, "s_%04d.bmp", number);
        return directory.Write(name, BmpSliceBytes(slice));
    }
    void UseDataset(const std::string& path) { SetRecordText(Model().datasetPath, path.c_str()); }

    // Builds the cap image with `budget` bytes for decoded slices and compares it with the oracle.
    void ExpectSameAsLiteral(const CapPlateBounds& bounds, size_t budget = SliceMemoryBudget()) {
        CutCap cap;
        cap.fillColour[0] = 9, cap.fillColour[1] = 8, cap.fillColour[2] = 7;
        const uint8_t fill[3] = {9, 8, 7};
        int width = 0, height = 0;
        const std::vector<uint8_t> expected = LiteralCapImage(*scene, index, bounds, fill, &width, &height);
        ASSERT_TRUE(BuildCapTexture(*scene, index, cap, bounds, 4096, messages, budget));
        ASSERT_EQ(cap.textureWidth, width);
        ASSERT_EQ(cap.textureHeight, height);
        const std::vector<uint8_t> image(cap.pixels, cap.pixels + expected.size());
        int covered = 0;
        for (size_t i = 0; i < image.size(); i += 3)
            covered += image[i] != 9 || image[i + 1] != 8 || image[i + 2] != 7;
        EXPECT_GT(covered, 0) << "the plane should cross the stack";
        EXPECT_EQ(image, expected);
        delete[] cap.pixels;
    }
};

void Rotation(float ax, float ay, float (&m)[9]) {
    const float cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
    const float r[9] = {cy, sx * sy, cx * sy, 0, cx, -sx, -sy, sx * cy, cx * cy};
    std::copy_n(r, 9, m);
}

}  // namespace

TEST(BuildCapTexture, ReadsEachNearSliceOnceAndPaintsWhatTheLiteralProcedurePaints) {
    // A plate standing across a stack of 24 slices, 40 x 30 pixels, turned so that the section is
    // oblique to the slices, rows and columns; the object moved, turned and scaled.
    DatasetScene s;
    for (int number = 0; number < 24; ++number)
        s.AddSlice(number, 40, 30);
    s.UseDataset(s.directory.File("s_0000.bmp"));
    Rotation(1.2f, 0.3f, s.Plate().rotation);
    s.Plate().position[0] = 0.5f, s.Plate().position[1] = -3.25f, s.Plate().position[2] = 1.0f;
    s.Plate().scale = 0.8f;
    Rotation(-0.2f, 0.4f, s.Model().rotation);
    s.Model().position[0] = 2.0f, s.Model().position[1] = -1.5f, s.Model().position[2] = -12.0f;
    s.Model().scale = 1.25f;
    const CapPlateBounds bounds{-30, -28, 31, 27, 2};
    s.ExpectSameAsLiteral(bounds);
    // Decoded slices held a few at a time give the same image.
    s.ExpectSameAsLiteral(bounds, 3 * 40 * 30);
    EXPECT_TRUE(s.messages.shown.empty());
}

TEST(BuildCapTexture, GapsStepsMixedSizesAndUnreadableSlicesFollowTheLiteralProcedure) {
    DatasetScene s;
    // Numbers in steps of 2 with gaps: D = (30 - 0 + 1) / 12 = 2, so each slice covers z within 1.
    const int numbers[] = {0, 2, 4, 6, 8, 14, 16, 18, 20, 22, 26, 30};
    for (int number : numbers)
        s.AddSlice(number, number % 4 == 0 ? 36 : 28, number % 3 == 0 ? 20 : 33);
    s.directory.Write("s_0018.bmp", std::vector<uint8_t>{'B', 'M', 1, 2, 3});  // unreadable: skipped
    s.directory.Write("s_00x1.bmp", std::vector<uint8_t>{'B', 'M'});           // not a slice name
    s.UseDataset(s.directory.File("s_0002.bmp"));
    Rotation(1.5707964f, 0.0f, s.Plate().rotation);  // plate x along slice columns, plate z across slices
    s.Plate().position[2] = 0.0f;
    s.ExpectSameAsLiteral({-20, -2, 20, 33, 0});
    Rotation(1.1f, 0.7f, s.Plate().rotation);
    s.Plate().scale = 1.5f;
    s.ExpectSameAsLiteral({-16, -3, 17, 25, -1});
    // One slice per batch.
    s.ExpectSameAsLiteral({-16, -3, 17, 25, -1}, 1);
}

TEST(BuildCapTexture, NonFiniteTransformsNeverCrashAndMatchTheLiteralProcedure) {
    DatasetScene s;
    for (int number = 3; number < 9; ++number)
        s.AddSlice(number, 16, 16);
    s.UseDataset(s.directory.File("s_0003.bmp"));
    Rotation(1.0f, 0.5f, s.Plate().rotation);
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity()};
    for (float special : specials) {
        for (float* field : {&s.Model().position[2], &s.Model().position[0], &s.Model().rotation[8]}) {
            const float kept = *field;
            *field = special;
            CutCap cap;
            const uint8_t fill[3] = {0, 0, 0};
            int width = 0, height = 0;
            std::vector<uint8_t> expected =
                LiteralCapImage(*s.scene, s.index, {-8, -8, 8, 8, 5}, fill, &width, &height);
            ASSERT_TRUE(BuildCapTexture(*s.scene, s.index, cap, {-8, -8, 8, 8, 5}, 4096, s.messages));
            EXPECT_EQ(std::vector<uint8_t>(cap.pixels, cap.pixels + expected.size()), expected);
            delete[] cap.pixels;
            *field = kept;
        }
    }
}

TEST(BuildCapTexture, CapsThatGetNoImage) {
    DatasetScene s;
    s.AddSlice(0, 8, 8);
    CutCap cap;
    cap.pixels = new uint8_t[3]{1, 2, 3};
    cap.textureWidth = cap.textureHeight = 1;

    // No dataset: the cap keeps what it has.
    EXPECT_FALSE(BuildCapTexture(*s.scene, s.index, cap, {0, 0, 4, 4, 0}, 4096, s.messages));
    EXPECT_EQ(cap.textureWidth, 1);
    EXPECT_TRUE(s.messages.shown.empty());

    // The named slice cannot be read: said once, and the cap keeps no image.
    s.UseDataset(s.directory.Write("s_0001.bmp", std::vector<uint8_t>(2000, 'B')));
    EXPECT_FALSE(BuildCapTexture(*s.scene, s.index, cap, {0, 0, 4, 4, 0}, 4096, s.messages));
    EXPECT_EQ(s.messages.Texts(), std::vector<std::string>{"Incompatible file format in dataset !"});
    s.messages.shown.clear();

    // A cap narrower than a texel (plate scale below 1) gets no image.
    s.UseDataset(s.directory.File("s_0000.bmp"));
    s.Plate().scale = 0.5f;
    EXPECT_FALSE(BuildCapTexture(*s.scene, s.index, cap, {0, 0, 1, 4, 0}, 4096, s.messages));
    EXPECT_EQ(cap.pixels, nullptr);
    EXPECT_EQ(cap.textureWidth, 0);

    // Larger than the graphics side can hold: said, and no image.
    s.Plate().scale = 1.0f;
    EXPECT_FALSE(BuildCapTexture(*s.scene, s.index, cap, {0, 0, 300, 4, 0}, 256, s.messages));
    EXPECT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(cap.pixels, nullptr);

    // Texels outside every slice keep the cap's fill colour; one exactly on a slice takes its pixel.
    cap.fillColour[0] = 200, cap.fillColour[1] = 201, cap.fillColour[2] = 202;
    Rotation(-1.5707964f, 0.0f, s.Plate().rotation);  // plate z runs along the slice rows
    ASSERT_TRUE(BuildCapTexture(*s.scene, s.index, cap, {-10, -10, 10, 10, 0}, 4096, s.messages));
    EXPECT_EQ(cap.textureWidth, 20);
    EXPECT_EQ(std::vector<uint8_t>(cap.pixels, cap.pixels + 3), (std::vector<uint8_t>{200, 201, 202}));
    const uint8_t* centre = cap.pixels + (10 * 20 + 10) * 3;  // column 4, row 4 of slice 0: entry 32
    EXPECT_EQ(std::vector<uint8_t>(centre, centre + 3), (std::vector<uint8_t>{32, 0, 223}));
    delete[] cap.pixels;
}
