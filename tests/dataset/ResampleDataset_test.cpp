#include "dataset/ResampleDataset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "LiteralResample.h"
#include "dataset/ResampleSection.h"
#include "import/ModelFileBytes.h"
#include "support/BmpSliceBytes.h"

namespace {

void Rotation(float ax, float ay, float (&m)[9]) {
    const float cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
    const float r[9] = {cy, sx * sy, cx * sy, 0, cx, -sx, -sy, sx * cy, cx * cy};
    std::copy_n(r, 9, m);
}

// A source object whose dataset lies in a scratch directory, and a plate over it.
struct ResampleScene {
    ScratchDirectory directory;
    SceneObject object;
    SceneObject plate;

    ResampleScene() {
        plate.boxMin[0] = -20, plate.boxMax[0] = 21;
        plate.boxMin[2] = -15, plate.boxMax[2] = 16;
    }
    void AddSlice(int number, int width, int height, bool trailer = false) {
        BmpSlice slice;
        slice.width = width, slice.height = height;
        slice.index = [number](int column, int row) {
            return uint8_t(1 + (number * 37 + column * 5 + row * 11) % 250);
        };
        slice.trailer = trailer, slice.valueA = number, slice.valueB = 1000 + number;
        char name[32];
        std::snprintf(name, sizeof name, "src_%04d.bmp", number);
        directory.Write(name, BmpSliceBytes(slice));
    }
    void UseDataset(int number) {
        char name[32];
        std::snprintf(name, sizeof name, "src_%04d.bmp", number);
        SetRecordText(object.datasetPath, directory.File(name).c_str());
    }
    // Runs both procedures with their own prefixes and compares what they wrote, name by name.
    ResampleResult ExpectSameAsLiteral(ResampleOptions options, size_t budget = SliceMemoryBudget()) {
        ScratchDirectory fast, literal;
        options.prefix = fast.File("out_");
        const ResampleResult result = ResampleDataset(object, plate, options, {}, budget);
        options.prefix = literal.File("out_");
        LiteralResample(object, plate, options);
        std::vector<std::string> names = literal.Names();
        std::sort(names.begin(), names.end());
        std::vector<std::string> written = fast.Names();
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, names);
        int differing = 0;
        for (const std::string& name : names)
            differing += ReadWholeFile(fast.File(name)) != ReadWholeFile(literal.File(name));
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(result.filesWritten, static_cast<int>(names.size()));
        // The images show the dataset, not only background.
        for (const std::string& name : names) {
            const std::vector<uint8_t> bytes = ReadWholeFile(fast.File(name));
            const uint8_t background = options.background != 0 ? 255 : 0;
            EXPECT_TRUE(
                std::any_of(bytes.end() - 40, bytes.end(), [&](uint8_t b) { return b != background; }) ||
                std::any_of(bytes.begin() + 1134, bytes.end(), [&](uint8_t b) { return b != background; }))
                << name;
        }
        return result;
    }
};

}  // namespace

TEST(ResampleDataset, ReadsEachNearSliceOnceAndWritesWhatTheLiteralProcedureWrites) {
    // 30 contiguous slices (step 1, half 0: up to three slices accept a voxel, the last wins), an
    // oblique plate and a moved, turned, scaled object with a centre.
    ResampleScene s;
    for (int number = 0; number < 30; ++number)
        s.AddSlice(number, 32, 24, number == 29);
    s.UseDataset(0);
    Rotation(1.1f, 0.35f, s.plate.rotation);
    s.plate.position[0] = 1.5f, s.plate.position[1] = 0.25f, s.plate.position[2] = -2.0f;
    s.plate.scale = 0.9f;
    Rotation(-0.3f, 0.2f, s.object.rotation);
    s.object.position[0] = 3, s.object.position[1] = -2, s.object.position[2] = -14;
    s.object.centre[0] = 1, s.object.centre[2] = 0.5f;
    s.object.scale = 1.2f;

    ResampleOptions options;
    options.count = 3, options.spacing = 5;
    const ResampleResult result = s.ExpectSameAsLiteral(options);
    EXPECT_EQ(result.status, ResampleStatus::Done);
    EXPECT_EQ(result.filesFailed, 0);
    // Slices held a few at a time, output images one at a time: the same files.
    s.ExpectSameAsLiteral(options, 32 * 24 * 4);
    options.background = 0;
    s.ExpectSameAsLiteral(options, 1);
    options.jpeg = true, options.jpegQuality = 80;
    s.ExpectSameAsLiteral(options);
    options.jpeg = false;

    // Projections through 7 planes, white background (maxima) and black (minima).
    options.projection = true, options.count = 7, options.background = 1;
    s.ExpectSameAsLiteral(options);
    options.background = 0;
    s.ExpectSameAsLiteral(options, 1);
}

TEST(ResampleDataset, GapsStepsOfTwoMixedSizesAndUnreadableSlicesFollowTheLiteralProcedure) {
    // Even numbers with a gap: step 2, half 1, so the window is -2 <= w <= 2.
    ResampleScene s;
    for (int number = 0; number <= 40; number += 2)
        if (number < 14 || number > 20)
            s.AddSlice(number, number % 4 == 0 ? 30 : 25, number % 3 == 0 ? 17 : 28);
    s.directory.Write("src_0024.bmp", {'B', 'M', 0, 0});
    s.UseDataset(2);
    Rotation(1.5707964f, 0.0f, s.plate.rotation);
    s.plate.position[1] = 3.0f;
    ResampleOptions options;
    options.count = 4;
    s.ExpectSameAsLiteral(options);
    Rotation(0.9f, -0.6f, s.plate.rotation);
    s.plate.scale = 1.3f;
    s.ExpectSameAsLiteral(options);
    options.projection = true;
    s.ExpectSameAsLiteral(options, 1);
}

TEST(ResampleDataset, PlanesSizesNamesAndRefusals) {
    ResampleScene s;
    s.AddSlice(0, 8, 8);
    s.UseDataset(0);
    // Planes 4 apart by 1 lie at -1, 0, 1, 2; 3 by 5 at -5, 0, 5 (scaled by the plate).
    SceneObject plate;
    plate.scale = 2.0f;
    const ResampleFrame frame = MakeResampleFrame(s.object, plate);
    EXPECT_EQ(ResamplePlaneY(frame, 0, 4, 1), -2.0f);
    EXPECT_EQ(ResamplePlaneY(frame, 3, 4, 1), 4.0f);
    EXPECT_EQ(ResamplePlaneY(frame, 0, 3, 5), -10.0f);
    EXPECT_EQ(ResamplePlaneY(frame, 2, 3, 5), 10.0f);

    // A 400 x 300 extent at scale 0.5 gives 200 x 150 images; names carry the plane offsets.
    s.plate.boxMin[0] = -200, s.plate.boxMax[0] = 200, s.plate.boxMin[2] = -150, s.plate.boxMax[2] = 150;
    s.plate.scale = 0.5f;
    ScratchDirectory out;
    ResampleOptions options;
    options.prefix = out.File("cut_");
    options.count = 3, options.spacing = 5;
    std::vector<std::pair<int, std::string>> progress;
    ResampleResult result =
        ResampleDataset(s.object, s.plate, options,
                        [&](int percent, const std::string& text) { progress.emplace_back(percent, text); });
    std::vector<std::string> names = out.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"cut_0000.bmp", "cut_0005.bmp", "cut_0010.bmp"}));
    const std::vector<uint8_t> bytes = ReadWholeFile(out.File("cut_0005.bmp"));
    ASSERT_EQ(bytes.size(), 1078u + 200 * 150);
    EXPECT_EQ(bytes[18], 200);
    EXPECT_EQ(bytes[22], 150);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), (std::pair<int, std::string>{0, ""}));
    EXPECT_EQ(progress.front().second, "Slice 3 of 3 : ");

    // Long runs report progress as they go.
    progress.clear();
    options.count = 40, options.spacing = 1;
    ResampleDataset(s.object, s.plate, options,
                    [&](int percent, const std::string& text) { progress.emplace_back(percent, text); });
    EXPECT_EQ(
        progress,
        (std::vector<std::pair<int, std::string>>{
            {40, "Slice 16 of 40 : "}, {80, "Slice 32 of 40 : "}, {100, "Slice 40 of 40 : "}, {0, ""}}));

    // Nothing to write: no planes; a negative count; an extent below a pixel; an unreadable dataset.
    options.count = 0;
    EXPECT_EQ(ResampleDataset(s.object, s.plate, options, {}).filesWritten, 0);
    options.count = -2;
    EXPECT_EQ(ResampleDataset(s.object, s.plate, options, {}).status, ResampleStatus::NegativeCount);
    options.count = 1;
    s.plate.scale = 0.001f;
    EXPECT_EQ(ResampleDataset(s.object, s.plate, options, {}).status, ResampleStatus::NoImage);
    s.plate.scale = std::nanf("");
    EXPECT_EQ(ResampleDataset(s.object, s.plate, options, {}).status, ResampleStatus::NoImage);
    s.plate.scale = 1.0f;
    SetRecordText(s.object.datasetPath, out.File("missing_0000.bmp").c_str());
    EXPECT_EQ(ResampleDataset(s.object, s.plate, options, {}).status, ResampleStatus::Incompatible);

    // Files that cannot be written are counted, not hidden.
    s.UseDataset(0);
    options.count = 2;
    options.prefix = out.File("no/such/folder/cut_");
    result = ResampleDataset(s.object, s.plate, options, {});
    EXPECT_EQ(result.status, ResampleStatus::Done);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_EQ(result.filesFailed, 2);
}
