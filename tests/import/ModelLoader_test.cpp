#include "import/ModelLoader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/ScriptedServices.h"

namespace {

// 3 vertices, 1 facet, 16-bit indices; box from (-1, 2, 3) to (4, 5, 6).
FileBytes TriangleP3g(int32_t version = 1001) {
    FileBytes file;
    file.Int32(version).Int32(3).Int32(1).Floats({-1, 5, 3, 4, 2, 6, 0, 3, 4});
    file.Uint16(2).Uint16(0).Uint16(1);
    return file;
}

FileBytes TriangleStl() {
    FileBytes file;
    file.Zeros(80).Int32(1).Floats({0, 0, 1, -1, 5, 3, 4, 2, 6, 0, 3, 4}).Uint16(0);
    return file;
}

FileBytes TriangleCtm(int16_t normalFlag) {
    FileBytes file;
    file.Zeros(268).Int32(272).Zeros(6).Int32(1).Int16(normalFlag).Uint16(72).Int32(294).Zeros(4);
    file.Floats({-1, 5, 3, 4, 2, 6, 0, 3, 4, 0, 0, 1, 0, 1, 0, 1, 0, 0});
    return file;
}

class ModelLoaderTest : public ::testing::Test {
protected:
    // Loads into a fresh model slot the way the load commands do.
    int Load(const std::string& path, std::string* problem = nullptr) {
        index = scene.AddModelSlot();
        return LoadModelFile(scene, index, path, tones, problem);
    }
    SceneObject& Record() { return scene.objects[index]; }

    void ExpectTriangleBox() {
        EXPECT_EQ(std::vector<float>(Record().boxMin, Record().boxMin + 3), (std::vector<float>{-1, 2, 3}));
        EXPECT_EQ(std::vector<float>(Record().boxMax, Record().boxMax + 3), (std::vector<float>{4, 5, 6}));
    }

    void ExpectNoGeometry() {
        EXPECT_EQ(Record().mesh, nullptr);
        EXPECT_EQ(Record().normals, nullptr);
        EXPECT_EQ(Record().vertexCount, 0);
        EXPECT_STREQ(Record().name, "");
        EXPECT_STREQ(Record().location, "");
        EXPECT_EQ(Record().visible, 1);
    }

    ScratchDirectory directory;
    Scene scene;
    RecordingTones tones;
    int index = 0;
};

}  // namespace

TEST_F(ModelLoaderTest, EachFormatFillsTheRecordAsItsReaderSays) {
    const std::string p3g = directory.Write("tooth.scan.p3g", TriangleP3g().bytes);
    ASSERT_EQ(Load(p3g), 1);
    EXPECT_EQ(Record().fileType, kP3gFile);
    EXPECT_EQ(Record().surfaceMode, 2);
    EXPECT_EQ(Record().optimized, 1);
    EXPECT_EQ(Record().visible, 1);
    EXPECT_STREQ(Record().name, "tooth.scan");
    EXPECT_EQ(std::string(Record().location), p3g);
    EXPECT_EQ(Record().vertexCount, 3);
    EXPECT_EQ(Record().facetCount, 1);
    EXPECT_EQ(Record().normals, nullptr);
    EXPECT_EQ(std::vector<int64_t>(Record().mesh->facets, Record().mesh->facets + 3),
              (std::vector<int64_t>{2, 0, 1}));
    ExpectTriangleBox();

    ASSERT_EQ(Load(directory.Write("bone.stl", TriangleStl().bytes)), 1);
    EXPECT_EQ(Record().fileType, kStlFile);
    EXPECT_EQ(Record().surfaceMode, 1);
    EXPECT_EQ(Record().optimized, 0);
    EXPECT_STREQ(Record().name, "bone");
    ExpectTriangleBox();

    ASSERT_EQ(Load(directory.Write("shell.ctm", TriangleCtm(2).bytes)), 1);
    EXPECT_EQ(Record().fileType, kCtmFile);
    EXPECT_EQ(Record().surfaceMode, 2);
    EXPECT_EQ(Record().optimized, 0);
    ASSERT_NE(Record().normals, nullptr);
    EXPECT_EQ(Record().normals[4], 1.0f);
    ExpectTriangleBox();

    ASSERT_EQ(Load(directory.Write("flat.ctm", TriangleCtm(1).bytes)), 1);
    EXPECT_EQ(Record().surfaceMode, 1);  // no normals: triangular facets
    EXPECT_EQ(Record().normals, nullptr);

    EXPECT_EQ(scene.ModelCount(), 4);
    EXPECT_TRUE(tones.beeps.empty());
}

TEST_F(ModelLoaderTest, ExtensionIsComparedWithoutRegardToCaseAndThePathKept) {
    const std::string upper = directory.Write("MODEL.P3G", TriangleP3g().bytes);
    ASSERT_EQ(Load(upper), 1);
    EXPECT_EQ(Record().fileType, kP3gFile);
    EXPECT_STREQ(Record().name, "MODEL");
    EXPECT_EQ(std::string(Record().location), upper);
    EXPECT_EQ(ModelFileTypeOf("a.Stl"), kStlFile);
    EXPECT_EQ(ModelFileTypeOf("a.cTm"), kCtmFile);
    EXPECT_EQ(ModelFileTypeOf("a.obj"), kNoModelFile);
    EXPECT_EQ(ModelFileTypeOf("tl"), kNoModelFile);

    std::string problem;
    index = scene.AddModelSlot();
    SetRecordText(Record().backupPath, "/tmp/~CM7");
    const std::string obj = directory.Write("model.obj", TriangleP3g().bytes);
    ASSERT_EQ(LoadModelFile(scene, index, obj, tones, &problem), 0);
    EXPECT_EQ(Record().fileType, kNoModelFile);
    EXPECT_STREQ(Record().backupPath, "");
    EXPECT_FALSE(problem.empty());
    ExpectNoGeometry();
}

TEST_F(ModelLoaderTest, UnknownP3gVersionBeepsAndLeavesAnEmptyRecord) {
    for (int32_t version : {999, 1002}) {
        tones.beeps.clear();
        ASSERT_EQ(Load(directory.Write("old.p3g", TriangleP3g(version).bytes)), 0);
        EXPECT_EQ(tones.beeps, (std::vector<std::pair<int, int>>{{1000, 500}}));
        EXPECT_EQ(Record().fileType, kP3gFile);
        ExpectNoGeometry();
    }
}

TEST_F(ModelLoaderTest, RefusedFilesLeaveNoGeometryAndOtherRecordsAlone) {
    ASSERT_EQ(Load(directory.Write("good.p3g", TriangleP3g().bytes)), 1);
    const int goodIndex = index;
    const Poly3gon* goodMesh = Record().mesh;

    FileBytes truncatedStl = TriangleStl();
    truncatedStl.bytes.resize(truncatedStl.bytes.size() - 1);
    FileBytes truncatedCtm = TriangleCtm(2);
    truncatedCtm.bytes.resize(truncatedCtm.bytes.size() - 1);
    FileBytes badIndex = TriangleP3g();
    badIndex.bytes.back() = 9;
    std::filesystem::create_directory(directory.File("folder.stl"));
    const std::vector<std::string> refused = {
        directory.Write("cut.stl", truncatedStl.bytes),
        directory.Write("cut.ctm", truncatedCtm.bytes),
        directory.Write("index.p3g", badIndex.bytes),
        directory.File("missing.stl"),
        directory.File("folder.stl"),
    };
    const std::vector<std::string> reasons = {
        "triangle count exceeds the file size", "facet count exceeds the file size",
        "facet index names no vertex", "no such file", "not a regular file"};
    for (size_t i = 0; i < refused.size(); ++i) {
        std::string problem;
        ASSERT_EQ(Load(refused[i], &problem), 0) << refused[i];
        EXPECT_EQ(problem, reasons[i]) << refused[i];
        ExpectNoGeometry();
    }
    EXPECT_EQ(scene.objects[goodIndex].mesh, goodMesh);
    EXPECT_EQ(scene.objects[goodIndex].vertexCount, 3);
    EXPECT_EQ(scene.ModelCount(), 6);
    EXPECT_EQ(scene.PlateIndex(), 7);
}

TEST_F(ModelLoaderTest, AsciiStlGivesTheRecordOfTheBinaryFile) {
    ASSERT_EQ(Load(directory.Write("binary.stl", TriangleStl().bytes)), 1);
    const int binaryIndex = index;
    ASSERT_EQ(Load(directory.Write("ascii.stl", FileBytes()
                                                    .Text("solid ascii\nfacet normal 0 0 1\nouter loop\n"
                                                          "vertex -1 5 3\nvertex 4 2 6\nvertex 0 3 4\n"
                                                          "endloop\nendfacet\nendsolid ascii\n")
                                                    .bytes)),
              1);
    const SceneObject& binary = scene.objects[binaryIndex];
    const SceneObject& ascii = Record();
    EXPECT_EQ(ascii.fileType, binary.fileType);
    EXPECT_EQ(ascii.surfaceMode, binary.surfaceMode);
    EXPECT_EQ(ascii.optimized, binary.optimized);
    EXPECT_EQ(ascii.vertexCount, binary.vertexCount);
    EXPECT_EQ(ascii.facetCount, binary.facetCount);
    EXPECT_EQ(0, std::memcmp(ascii.boxMin, binary.boxMin, sizeof ascii.boxMin));
    EXPECT_EQ(0, std::memcmp(ascii.boxMax, binary.boxMax, sizeof ascii.boxMax));
    EXPECT_EQ(0, std::memcmp(ascii.mesh->vertices, binary.mesh->vertices, 9 * sizeof(float)));
    EXPECT_EQ(0, std::memcmp(ascii.mesh->facets, binary.mesh->facets, 3 * sizeof(int64_t)));
}

TEST_F(ModelLoaderTest, ARecordThatHasAMeshIsOnlyBoundedAgain) {
    index = scene.AddModelSlot();
    Record().mesh = new Poly3gon(1, 0);
    Record().mesh->vertices[0] = 7.0f;
    SetRecordText(Record().backupPath, "/tmp/~CM1");
    ASSERT_EQ(LoadModelFile(scene, index, directory.File("not-there.stl"), tones), 1);
    EXPECT_EQ(Record().boxMax[0], 7.0f);
    EXPECT_EQ(Record().vertexCount, 1);
    EXPECT_STREQ(Record().backupPath, "");
    EXPECT_EQ(LoadModelFile(scene, 0, directory.File("x.stl"), tones), 0);  // the camera is no model slot
}
