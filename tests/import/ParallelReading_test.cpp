// Files of several read blocks, so that their records are converted by several threads at once:
// every element must land where a one-block read puts it, and a fault in any block refuses the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "import/CtmReader.h"
#include "import/ModelFileBytes.h"
#include "import/P3gReader.h"
#include "import/StlReader.h"

namespace {

constexpr int kTriangles = 50000;  // 2.5 MB of STL records: three read blocks

// Facet k of a soup holds the corners 3k, 3k+1, 3k+2 and fills the facet array from its end.
void ExpectSoupFacets(const Poly3gon& mesh, uint64_t count) {
    ASSERT_EQ(mesh.facetCount, count);
    uint64_t wrong = 0;
    for (uint64_t k = 0; k < count; ++k) {
        const int64_t* slot = mesh.facets + (count - 1 - k) * 3;
        for (int c = 0; c < 3; ++c)
            wrong += slot[c] != static_cast<int64_t>(3 * k + c);
    }
    EXPECT_EQ(wrong, 0u);
}

ParseOutcome ParseFile(const std::string& path, ParseOutcome (*parse)(ByteSource&, ParsedModel&),
                       ParsedModel& model) {
    FileSource source;
    std::string error;
    EXPECT_TRUE(source.Open(path, error)) << error;
    return parse(source, model);
}

}  // namespace

TEST(ParallelReading, StlRecordsOfEveryBlockLandInPlace) {
    const std::vector<StlTriangle> triangles = Triangles(kTriangles);
    const ScratchDirectory scratch;
    const std::string path = scratch.Write("many.stl", BinaryStl(triangles).bytes);
    ParsedModel model;
    ASSERT_EQ(ParseFile(path, ParseStl, model).status, ParseStatus::kParsed);
    ExpectSoupFacets(model.mesh, kTriangles);
    uint64_t wrong = 0;
    for (int k = 0; k < kTriangles; ++k)
        for (int i = 0; i < 9; ++i)
            wrong += model.mesh.vertices[k * 9 + i] != triangles[k][i];
    EXPECT_EQ(wrong, 0u);
}

TEST(ParallelReading, CtmCornersAndNormalsOfEveryBlockLandInPlace) {
    const int facets = 40000;  // 80-byte records: 3.2 MB
    const std::vector<uint8_t> bytes = CtmFile(facets, 2, 80).bytes;
    MemorySource source(bytes.data(), bytes.size());
    ParsedModel model;
    ASSERT_EQ(ParseCtm(source, model).status, ParseStatus::kParsed);
    ExpectSoupFacets(model.mesh, facets);
    ASSERT_NE(model.normals, nullptr);
    uint64_t wrong = 0;
    for (int k = 0; k < facets; ++k)
        for (int c = 0; c < 3; ++c) {
            const float* corner = model.mesh.vertices + (k * 3 + c) * 3;
            const float* normal = model.normals.get() + (k * 3 + c) * 3;
            wrong +=
                corner[0] != 10.0f * k + c || corner[1] != 10.0f * k + c + 0.25f || corner[2] != -float(k);
            wrong += normal[0] != float(c) || normal[1] != float(k) || normal[2] != 1.0f;
        }
    EXPECT_EQ(wrong, 0u);
}

TEST(ParallelReading, P3gIndicesOfEveryBlockAreWidenedAndChecked) {
    const int32_t vertices = 100000;  // 1.2 MB of vertices, 32-bit indices
    const int32_t facets = 150000;    // 1.8 MB of indices
    FileBytes file = P3gHead(1001, vertices, facets);
    for (int32_t i = 0; i < facets * 3; ++i)
        file.Int32(static_cast<int32_t>((int64_t{i} * 7919) % vertices));
    {
        MemorySource source(file.bytes.data(), file.bytes.size());
        ParsedModel model;
        ASSERT_EQ(ParseP3g(source, model).status, ParseStatus::kParsed);
        uint64_t wrong = 0;
        for (int32_t i = 0; i < facets * 3; ++i)
            wrong += model.mesh.facets[i] != (int64_t{i} * 7919) % vertices;
        for (int32_t i = 0; i < vertices; ++i)
            wrong += model.mesh.vertices[i * 3] != float(i) || model.mesh.vertices[i * 3 + 1] != -float(i);
        EXPECT_EQ(wrong, 0u);
    }
    // One index past the vertices in the last block, then one negative index in the first.
    const size_t lastIndex = file.bytes.size() - 4;
    const size_t firstIndex = 12 + size_t{vertices} * 12;
    for (const size_t offset : {lastIndex, firstIndex}) {
        FileBytes damaged = file;
        damaged.PutInt32(offset, offset == lastIndex ? vertices : -1);
        MemorySource source(damaged.bytes.data(), damaged.bytes.size());
        ParsedModel model;
        const ParseOutcome outcome = ParseP3g(source, model);
        EXPECT_EQ(outcome.status, ParseStatus::kRefused);
        EXPECT_EQ(outcome.problem, "facet index names no vertex");
        EXPECT_EQ(model.mesh.facets, nullptr) << "a refused file leaves no mesh";
    }
}

TEST(ParallelReading, FileShrinkingWhileReadIsRefused) {
    const ScratchDirectory scratch;
    const std::string stl = scratch.Write("many.stl", BinaryStl(Triangles(kTriangles)).bytes);
    FileBytes p3g = P3gHead(1001, 100000, 150000);
    p3g.Zeros(size_t{150000} * 3 * 4);
    const std::string indexed = scratch.Write("many.p3g", p3g.bytes);
    using Parser = ParseOutcome (*)(ByteSource&, ParsedModel&);
    for (const auto& [path, parse] : {std::pair<std::string, Parser>{stl, ParseStl}, {indexed, ParseP3g}}) {
        FileSource source;
        std::string error;
        ASSERT_TRUE(source.Open(path, error));
        // Cut inside the second of three blocks: the header was seen whole, the records are not there.
        std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
        ParsedModel model;
        const ParseOutcome outcome = parse(source, model);
        EXPECT_EQ(outcome.status, ParseStatus::kRefused) << path;
        EXPECT_EQ(outcome.problem, "file could not be read") << path;
        EXPECT_EQ(model.mesh.vertices, nullptr) << path;
    }
}
