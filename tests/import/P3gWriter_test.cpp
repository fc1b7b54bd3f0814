#include "import/P3gWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/ByteSource.h"
#include "import/ModelFileBytes.h"
#include "import/P3gReader.h"
#include "scene/Poly3gon.h"

namespace {

Poly3gon Mesh(uint64_t vertexCount, const std::vector<int64_t>& facets) {
    Poly3gon mesh(vertexCount, facets.size() / 3);
    for (uint64_t i = 0; i < vertexCount * 3; ++i)
        mesh.vertices[i] = 0.5f * float(i) - 3.0f;
    std::copy(facets.begin(), facets.end(), mesh.facets);
    return mesh;
}

}  // namespace

TEST(P3gWriter, WritesTheLayoutByteForByte) {
    ScratchDirectory directory;
    const std::string path = directory.File("small.p3g");
    ASSERT_EQ(WriteP3g(Mesh(3, {0, 1, 2, 2, 1, 0}), path), 1);
    FileBytes expected;
    expected.Int32(1001).Int32(3).Int32(2);
    expected.Floats({-3, -2.5f, -2, -1.5f, -1, -0.5f, 0, 0.5f, 1});
    expected.Uint16(0).Uint16(1).Uint16(2).Uint16(2).Uint16(1).Uint16(0);
    EXPECT_EQ(ReadWholeFile(path), expected.bytes);
    EXPECT_EQ(directory.Names(), std::vector<std::string>{"small.p3g"});  // no temporary left behind
}

TEST(P3gWriter, RoundTripsThroughTheReaderAtBothIndexWidths) {
    ScratchDirectory directory;
    for (uint64_t vertexCount : {uint64_t{65536}, uint64_t{65537}}) {
        const Poly3gon mesh = Mesh(vertexCount, {0, int64_t(vertexCount) - 1, 1, 65535, 2, 3});
        const std::string path = directory.File("mesh.p3g");
        ASSERT_EQ(WriteP3g(mesh, path), 1);
        const std::vector<uint8_t> bytes = ReadWholeFile(path);
        EXPECT_EQ(bytes.size(), 12 + vertexCount * 12 + 6 * (vertexCount <= 65536 ? 2 : 4));

        MemorySource source(bytes.data(), bytes.size());
        ParsedModel model;
        ASSERT_EQ(ParseP3g(source, model).status, ParseStatus::kParsed);
        ASSERT_EQ(model.mesh.vertexCount, vertexCount);
        EXPECT_EQ(std::vector<float>(model.mesh.vertices, model.mesh.vertices + vertexCount * 3),
                  std::vector<float>(mesh.vertices, mesh.vertices + vertexCount * 3));
        EXPECT_EQ(std::vector<int64_t>(model.mesh.facets, model.mesh.facets + 6),
                  std::vector<int64_t>(mesh.facets, mesh.facets + 6));
    }
}

TEST(P3gWriter, RefusesMeshesItCannotStoreAndKeepsTheOldFile) {
    ScratchDirectory directory;
    const std::string path = directory.Write("kept.p3g", {1, 2, 3});
    EXPECT_EQ(WriteP3g(Mesh(3, {0, 1, 3}), path), 0);   // index names no vertex
    EXPECT_EQ(WriteP3g(Mesh(3, {0, -1, 2}), path), 0);  // negative index
    EXPECT_EQ(WriteP3g(Mesh(3, {0, 1, 2}), directory.File("no-such-folder/x.p3g")), 0);
    EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(directory.Names(), std::vector<std::string>{"kept.p3g"});

    ASSERT_EQ(WriteP3g(Mesh(3, {0, 1, 2}), path), 1);  // a good write replaces it
    EXPECT_EQ(ReadWholeFile(path).size(), 12u + 36u + 6u);
}
