#include "import/CtmReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "import/ModelFileBytes.h"

namespace {

ParseOutcome Parse(const FileBytes& file, ParsedModel& model) {
    MemorySource source(file.bytes.data(), file.bytes.size());
    return ParseCtm(source, model);
}

std::vector<int64_t> Facets(const Poly3gon& mesh) {
    return {mesh.facets, mesh.facets + mesh.facetCount * 3};
}

}  // namespace

TEST(CtmReader, FacetsFillTheArrayFromItsEnd) {
    ParsedModel model;
    ASSERT_EQ(Parse(CtmFile(2, 0, 36), model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.mesh.vertexCount, 6u);
    EXPECT_EQ(model.mesh.facetCount, 2u);
    EXPECT_EQ(Facets(model.mesh), (std::vector<int64_t>{3, 4, 5, 0, 1, 2}));
    // Vertices 0..5 in file order.
    const std::vector<float> expected = {0,  0.25f,  0,  1,  1.25f,  0,  2,  2.25f,  0,
                                         10, 10.25f, -1, 11, 11.25f, -1, 12, 12.25f, -1};
    EXPECT_EQ(std::vector<float>(model.mesh.vertices, model.mesh.vertices + 18), expected);
    EXPECT_EQ(model.normals, nullptr);
}

TEST(CtmReader, NormalsAreKeptOnlyWithFlag2) {
    ParsedModel model;
    ASSERT_EQ(Parse(CtmFile(2, 2, 72), model).status, ParseStatus::kParsed);
    ASSERT_NE(model.normals, nullptr);
    const std::vector<float> normals = {0, 0, 1, 1, 0, 1, 2, 0, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1};
    EXPECT_EQ(std::vector<float>(model.normals.get(), model.normals.get() + 18), normals);

    // Flag 1: records read as plain corners, no normals.
    ASSERT_EQ(Parse(CtmFile(2, 1, 36), model).status, ParseStatus::kParsed);
    EXPECT_EQ(model.normals, nullptr);
    EXPECT_EQ(Facets(model.mesh), (std::vector<int64_t>{3, 4, 5, 0, 1, 2}));
}

TEST(CtmReader, LargerRecordsSkipTheirRest) {
    for (uint16_t recordSize : {80, 81, 200, 65535}) {
        ParsedModel model;
        ASSERT_EQ(Parse(CtmFile(3, 2, recordSize), model).status, ParseStatus::kParsed) << recordSize;
        EXPECT_EQ(model.mesh.vertices[8 * 3], 22.0f) << recordSize;  // facet 2, corner 2
        EXPECT_EQ(model.normals[8 * 3 + 1], 2.0f) << recordSize;
        EXPECT_EQ(Facets(model.mesh), (std::vector<int64_t>{6, 7, 8, 3, 4, 5, 0, 1, 2}));
    }
}

TEST(CtmReader, DamagedFilesAreRefusedWhole) {
    struct Case {
        const char* what;
        FileBytes file;
    };
    std::vector<Case> cases;
    {
        FileBytes file = CtmFile(2, 2, 72);
        file.bytes.pop_back();
        cases.push_back({"truncated inside the last record", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(268, 0);
        cases.push_back({"descriptor at position 0", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(268, -5);
        cases.push_back({"negative descriptor position", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(268, static_cast<int32_t>(file.bytes.size()) - 21);
        cases.push_back({"descriptor running past the end", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(272 + 14, 0);
        cases.push_back({"records at position 0", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(272 + 6, -2);
        cases.push_back({"negative facet count", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.PutInt32(272 + 6, 0x7fffffff);
        cases.push_back({"facet count beyond the file", file});
    }
    {
        FileBytes file = CtmFile(2, 0, 36);
        file.bytes[272 + 12] = 35;
        cases.push_back({"record too small for its corners", file});
    }
    {
        FileBytes file = CtmFile(2, 2, 72);
        file.bytes[272 + 12] = 71;
        cases.push_back({"record too small for its normals", file});
    }
    for (const Case& c : cases) {
        ParsedModel model;
        ParseOutcome outcome = Parse(c.file, model);
        EXPECT_EQ(outcome.status, ParseStatus::kRefused) << c.what;
        EXPECT_FALSE(outcome.problem.empty()) << c.what;
        EXPECT_EQ(model.mesh.vertices, nullptr) << c.what;
        EXPECT_EQ(model.normals, nullptr) << c.what;
    }
}
