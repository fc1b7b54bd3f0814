// Cuts of tangled models (the same edge in several facets), found by fuzzing the model readers: the
// chain matching of their segments used to merge and return chains for ever.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "geometry/ContourAssembly.h"
#include "geometry/CutMesh.h"
#include "import/ByteSource.h"
#include "import/P3gReader.h"
#include "scene/CutCap.h"
#include "scene/SceneObject.h"
#include "support/RecordingSceneGraphics.h"

namespace {

// The segments the cut by z = 0 of tangled-cut.p3g gives: three edges twice, two opposite ones.
const std::vector<Segment> kTangledSegments = {
    {17, 16}, {18, 17}, {20, 19}, {21, 10}, {13, 22}, {22, 21}, {24, 23}, {10, 24}, {26, 25}, {23, 27},
    {27, 4},  {28, 13}, {15, 28}, {29, 15}, {30, 15}, {15, 31}, {3, 11},  {32, 30}, {11, 32}, {33, 10},
    {10, 34}, {34, 3},  {35, 26}, {36, 35}, {31, 36}, {37, 38}, {4, 37},  {38, 33}, {17, 16}, {18, 17},
    {20, 19}, {16, 20}, {3, 0},   {0, 3},   {39, 18}, {41, 40}, {19, 41}, {40, 42}, {42, 39}};

std::vector<uint8_t> ReadDataFile(const std::string& name) {
    std::ifstream file(std::string(PEXORA_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(TangledCut, AssemblyEndsKeepingTheContoursClosedBeforeItWouldCycle) {
    const std::vector<Contour> contours = AssembleContours(kTangledSegments);
    ASSERT_EQ(contours.size(), 3u);
    EXPECT_EQ(contours[0].segments, (std::vector<Segment>{{0, 3}, {3, 0}}));
    EXPECT_EQ(
        contours[1].segments,
        (std::vector<Segment>{{10, 24}, {24, 23}, {23, 27}, {27, 4}, {4, 37}, {37, 38}, {38, 33}, {33, 10}}));
    EXPECT_EQ(contours[2].segments.size(), 11u);
    for (const Contour& contour : contours)
        for (size_t i = 0; i < contour.segments.size(); ++i)
            EXPECT_EQ(contour.segments[i].to, contour.segments[(i + 1) % contour.segments.size()].from);
}

TEST(TangledCut, TheFuzzedModelIsReadAndCut) {
    const std::vector<uint8_t> bytes = ReadDataFile("fuzz/P3gReader/tangled-cut.p3g");
    ASSERT_EQ(bytes.size(), 1092u);
    MemorySource source(bytes.data(), bytes.size());
    ParsedModel model;
    ASSERT_EQ(ParseP3g(source, model).status, ParseStatus::kParsed);

    SceneObject object;
    object.mesh = new Poly3gon(std::move(model.mesh));
    CutStatistics statistics;
    const CutCap* cap = CutMesh(object, {0, 0, 1, 0}, &statistics);
    EXPECT_FALSE(statistics.refused);
    ASSERT_NE(cap, nullptr);
    for (int64_t i = 0; i < cap->triangleCount * 3; ++i)
        EXPECT_LT(static_cast<uint64_t>(cap->triangles[i]), object.mesh->vertexCount);
    RecordingSceneGraphics graphics;
    delete object.mesh;
    DestroyCapChain(object.caps, graphics);
}
