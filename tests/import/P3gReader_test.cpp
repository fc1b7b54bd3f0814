#include "import/P3gReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "import/ModelFileBytes.h"

namespace {

ParseOutcome Parse(const FileBytes& file, ParsedModel& model) {
    MemorySource source(file.bytes.data(), file.bytes.size());
    return ParseP3g(source, model);
}

}  // namespace

TEST(P3gReader, IndexWidthFollowsTheVertexCount) {
    // 65536 vertices: 16-bit indices, the largest naming the last vertex.
    FileBytes narrow = P3gHead(1001, 65536, 2);
    narrow.Uint16(0).Uint16(1).Uint16(2).Uint16(65535).Uint16(65534).Uint16(0);
    ParsedModel model;
    ASSERT_EQ(Parse(narrow, model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.vertexCount, 65536u);
    EXPECT_EQ(model.mesh.facetCount, 2u);
    EXPECT_EQ(std::vector<int64_t>(model.mesh.facets, model.mesh.facets + 6),
              (std::vector<int64_t>{0, 1, 2, 65535, 65534, 0}));
    EXPECT_EQ(model.mesh.vertices[65535 * 3], 65535.0f);
    EXPECT_EQ(model.mesh.vertices[65535 * 3 + 1], -65535.0f);
    EXPECT_EQ(model.normals, nullptr);

    // 65537 vertices: 32-bit indices.
    FileBytes wide = P3gHead(1000, 65537, 2);
    wide.Int32(0).Int32(65536).Int32(1).Int32(65536).Int32(2).Int32(3);
    ASSERT_EQ(Parse(wide, model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.vertexCount, 65537u);
    EXPECT_EQ(std::vector<int64_t>(model.mesh.facets, model.mesh.facets + 6),
              (std::vector<int64_t>{0, 65536, 1, 65536, 2, 3}));
    EXPECT_EQ(model.mesh.vertices[65536 * 3 + 2], 0.5f);

    // The same 16-bit facets read as 32-bit ones would not fit a 65537-vertex file.
    FileBytes misread = P3gHead(1001, 65537, 2);
    misread.Uint16(0).Uint16(1).Uint16(2).Uint16(3).Uint16(4).Uint16(5);
    EXPECT_EQ(Parse(misread, model).status, ParseStatus::kRefused);
}

TEST(P3gReader, OnlyVersions1000And1001AreRead) {
    ParsedModel model;
    for (int32_t version : {1000, 1001}) {
        FileBytes file = SmallP3g();
        file.PutInt32(0, version);
        EXPECT_EQ(Parse(file, model).status, ParseStatus::kParsed) << version;
    }
    for (int32_t version : {999, 1002, 0, -1001}) {
        FileBytes file = SmallP3g();
        file.PutInt32(0, version);
        ParseOutcome outcome = Parse(file, model);
        EXPECT_EQ(outcome.status, ParseStatus::kUnknownVersion) << version;
        EXPECT_NE(outcome.problem.find(std::to_string(version)), std::string::npos);
        EXPECT_EQ(model.mesh.vertices, nullptr);
        EXPECT_EQ(model.mesh.vertexCount, 0u);
    }
}

TEST(P3gReader, ImpossibleCountsAndIndicesAreRefused) {
    ParsedModel model;
    struct Case {
        const char* what;
        FileBytes file;
    };
    std::vector<Case> cases;
    {
        FileBytes file = SmallP3g();
        file.PutInt32(4, 5);  // one vertex more than the file holds
        cases.push_back({"vertex count beyond the file", file});
    }
    {
        FileBytes file = SmallP3g();
        file.PutInt32(8, 3);
        cases.push_back({"facet count beyond the file", file});
    }
    {
        FileBytes file = SmallP3g();
        file.PutInt32(8, 0x7fffffff);
        cases.push_back({"huge facet count", file});
    }
    {
        FileBytes file = SmallP3g();
        file.PutInt32(4, -4);
        cases.push_back({"negative vertex count", file});
    }
    {
        FileBytes file = SmallP3g();
        file.PutInt32(8, -1);
        cases.push_back({"negative facet count", file});
    }
    {
        FileBytes file = P3gHead(1001, 4, 1);
        file.Uint16(0).Uint16(4).Uint16(1);  // index == vertex count
        cases.push_back({"16-bit index past the vertices", file});
    }
    {
        FileBytes file = P3gHead(1001, 65537, 1);
        file.Int32(0).Int32(-1).Int32(1);
        cases.push_back({"negative 32-bit index", file});
    }
    {
        FileBytes file = P3gHead(1001, 0, 1);
        file.Uint16(0).Uint16(0).Uint16(0);
        cases.push_back({"facets without vertices", file});
    }
    for (const Case& c : cases) {
        ParseOutcome outcome = Parse(c.file, model);
        EXPECT_EQ(outcome.status, ParseStatus::kRefused) << c.what;
        EXPECT_FALSE(outcome.problem.empty()) << c.what;
        EXPECT_EQ(model.mesh.vertices, nullptr) << c.what;
        EXPECT_EQ(model.mesh.facets, nullptr) << c.what;
    }
}

TEST(P3gReader, EmptyMeshIsAValidFile) {
    FileBytes file = P3gHead(1001, 0, 0);
    ParsedModel model;
    ASSERT_EQ(Parse(file, model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.vertexCount, 0u);
    EXPECT_EQ(model.mesh.facetCount, 0u);
}
