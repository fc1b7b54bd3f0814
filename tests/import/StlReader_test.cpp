#include "import/StlReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"

namespace {

ParseOutcome Parse(const std::vector<uint8_t>& bytes, ParsedModel& model) {
    MemorySource source(bytes.data(), bytes.size());
    return ParseStl(source, model);
}

ParseOutcome Parse(const std::string& text, ParsedModel& model) {
    MemorySource source(text.data(), text.size());
    return ParseStl(source, model);
}

std::vector<float> Vertices(const Poly3gon& mesh) {
    return {mesh.vertices, mesh.vertices + mesh.vertexCount * 3};
}
std::vector<int64_t> Facets(const Poly3gon& mesh) {
    return {mesh.facets, mesh.facets + mesh.facetCount * 3};
}

}  // namespace

TEST(StlReader, BinaryTrianglesFillTheFacetsFromTheEnd) {
    ParsedModel model;
    ASSERT_EQ(Parse(BinaryStl(Triangles(1)).bytes, model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.vertexCount, 3u);
    EXPECT_EQ(Facets(model.mesh), (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(Vertices(model.mesh), (std::vector<float>{0, 0, 0, 0.25f, -1, 0, 0.5f, -2, 0}));

    ASSERT_EQ(Parse(BinaryStl(Triangles(3)).bytes, model).status, ParseStatus::kParsed);
    EXPECT_EQ(Facets(model.mesh), (std::vector<int64_t>{6, 7, 8, 3, 4, 5, 0, 1, 2}));
    EXPECT_EQ(model.mesh.vertices[8 * 3 + 1], 2.0f);  // triangle 2, corner 2: y = 4 - 2
    EXPECT_EQ(model.normals, nullptr);

    // A binary header may begin with "solid": the exact binary size decides.
    ASSERT_EQ(Parse(BinaryStl(Triangles(2), "solid by a careless exporter").bytes, model).status,
              ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.facetCount, 2u);
}

TEST(StlReader, DamagedBinaryFilesAreRefused) {
    ParsedModel model;
    FileBytes truncated = BinaryStl(Triangles(2));
    truncated.bytes.pop_back();
    EXPECT_EQ(Parse(truncated.bytes, model).status, ParseStatus::kRefused);
    FileBytes negative = BinaryStl(Triangles(2));
    negative.PutInt32(80, -1);
    EXPECT_EQ(Parse(negative.bytes, model).status, ParseStatus::kRefused);
    FileBytes huge = BinaryStl(Triangles(2));
    huge.PutInt32(80, 0x7fffffff);
    EXPECT_EQ(Parse(huge.bytes, model).status, ParseStatus::kRefused);
    // "solid" header, size not binary and no valid text: refused, not taken as binary.
    FileBytes trailing = BinaryStl(Triangles(2), "solid");
    trailing.PutInt32(80, 3);
    EXPECT_EQ(Parse(trailing.bytes, model).status, ParseStatus::kRefused);
    EXPECT_EQ(model.mesh.vertices, nullptr);
}

TEST(StlReader, BinaryWithTrailingBytesAfterASolidHeaderIsStillRead) {
    FileBytes file = BinaryStl(Triangles(2), "solid");
    file.Zeros(3);
    ParsedModel model;
    ASSERT_EQ(Parse(file.bytes, model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.facetCount, 2u);
}

TEST(StlReader, AsciiTextGivesTheMeshOfTheBinaryFile) {
    ParsedModel binary;
    ParsedModel ascii;
    // 6000 triangles make the text longer than one read block, so words straddle block borders.
    for (int count : {0, 1, 3, 6000}) {
        const std::vector<StlTriangle> triangles = Triangles(count);
        ASSERT_EQ(Parse(BinaryStl(triangles).bytes, binary).status, ParseStatus::kParsed);
        ASSERT_EQ(Parse(AsciiStl(triangles), ascii).status, ParseStatus::kParsed) << count;
        EXPECT_EQ(ascii.mesh.vertexCount, binary.mesh.vertexCount);
        EXPECT_EQ(ascii.mesh.facetCount, binary.mesh.facetCount);
        EXPECT_EQ(Vertices(ascii.mesh), Vertices(binary.mesh)) << count;
        EXPECT_EQ(Facets(ascii.mesh), Facets(binary.mesh)) << count;
    }

    // Upper-case keywords, tabs, CR LF line ends, signed exponents, no name, two solids.
    const std::string loose =
        "solid\r\nFACET NORMAL 0 0 0\r\n\tOUTER LOOP\r\n\tVERTEX 1 +2 -3e+0\r\n\tVERTEX 4 5 6\r\n"
        "\tVERTEX 7 8 9\r\n\tENDLOOP\r\nENDFACET\r\nENDSOLID\r\nsolid b\nfacet normal 1 0 0 outer loop "
        "vertex 0 0 0 vertex 1 0 0 vertex 0 1 0 endloop endfacet endsolid b";
    ASSERT_EQ(Parse(loose, ascii).status, ParseStatus::kParsed);
    EXPECT_EQ(Vertices(ascii.mesh),
              (std::vector<float>{1, 2, -3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(Facets(ascii.mesh), (std::vector<int64_t>{3, 4, 5, 0, 1, 2}));
}

TEST(StlReader, MalformedAsciiTextIsRefused) {
    const std::string good = AsciiStl(Triangles(2));
    std::vector<std::pair<const char*, std::string>> cases = {
        {"two vertices",
         "solid x\nfacet normal 0 0 1 outer loop vertex 0 0 0 vertex 1 1 1 endloop endfacet\n"
         "endsolid x\n"},
        {"bad number",
         "solid x\nfacet normal 0 0 1 outer loop vertex 0 0 0x1 vertex 1 1 1 vertex 2 2 2 endloop "
         "endfacet endsolid x\n"},
        {"missing endsolid",
         "solid x\nfacet normal 0 0 1 outer loop vertex 0 0 0 vertex 1 1 1 vertex 2 2 2 "
         "endloop endfacet\n"},
        {"text after endsolid", good + "facet\n"},
        {"endless word", "solid x\n" + std::string(5000, 'a')},
        {"only solid", "solid"},
    };
    for (const auto& [what, text] : cases) {
        ParsedModel model;
        ParseOutcome outcome = Parse(text, model);
        EXPECT_EQ(outcome.status, ParseStatus::kRefused) << what;
        EXPECT_FALSE(outcome.problem.empty()) << what;
        EXPECT_EQ(model.mesh.vertices, nullptr) << what;
    }
    // Every cut before the closing keyword is refused.
    const size_t closing = good.rfind("endsolid");
    for (size_t length = 0; length < closing + 8; ++length) {
        ParsedModel model;
        std::vector<uint8_t> cut(good.begin(), good.begin() + length);
        ASSERT_EQ(Parse(cut, model).status, ParseStatus::kRefused) << length;
    }
}
