// The weld and cut commands of pexora-cli on a tetrahedron written as a binary .stl soup.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "CliRun.h"
#include "import/ModelFileBytes.h"
#include "import/ModelLoader.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/ScriptedServices.h"
#include "tools/cli/CliCommands.h"

namespace {

// The unit tetrahedron's four outward facets, each with its own three vertices.
std::string WriteTetrahedronSoup(const ScratchDirectory& directory) {
    const float v[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    FileBytes stl;
    stl.Zeros(80).Int32(4);
    for (const auto& face : faces) {
        stl.Floats({0, 0, 0});
        for (int corner : face)
            stl.Floats({v[corner][0], v[corner][1], v[corner][2]});
        stl.Uint16(0);
    }
    return directory.Write("tetra.stl", stl.bytes);
}

// Reads a written .p3g back as the viewer would.
std::unique_ptr<Scene> ReadBack(const std::string& path, int& index) {
    auto scene = std::make_unique<Scene>();
    RecordingTones tones;
    index = scene->AddModelSlot();
    EXPECT_EQ(LoadModelFile(*scene, index, path, tones), 1);
    return scene;
}

}  // namespace

TEST(WeldCommand, WeldsTheSoupAndWritesAnIndexedModel) {
    ScratchDirectory directory;
    const std::string in = WriteTetrahedronSoup(directory);
    const std::string out = directory.File("welded.p3g");
    CliRun run = RunCommand({in, out}, RunWeldCommand);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "vertices: 4\nfacets: 4\n");
    int index = 0;
    auto scene = ReadBack(out, index);
    const Poly3gon& mesh = *scene->objects[index].mesh;
    ASSERT_EQ(mesh.facetCount, 4u);
    for (uint64_t f = 0; f < mesh.facetCount; ++f)
        EXPECT_GT(mesh.facets[f * 3], mesh.facets[f * 3 + 1]);  // welded facets are larger-first

    run = RunCommand({"--timings", in, out}, RunWeldCommand);
    EXPECT_TRUE(std::regex_match(run.out,
                                 std::regex("vertices: 4\nfacets: 4\ntime_read: [0-9]+\\.[0-9]{6}\n"
                                            "time_weld: [0-9]+\\.[0-9]{6}\ntime_write: [0-9]+\\.[0-9]{6}\n")))
        << run.out;
}

TEST(WeldCommand, RefusalsAndBadArguments) {
    ScratchDirectory directory;
    const std::string in = WriteTetrahedronSoup(directory);
    CliRun run = RunCommand({directory.File("missing.stl"), directory.File("out.p3g")}, RunWeldCommand);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    run = RunCommand({in, directory.File("no/such/folder/out.p3g")}, RunWeldCommand);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "error: " + directory.File("no/such/folder/out.p3g") +
                           ": cannot write the .p3g file: No such file or directory\n");
    // A read-only target is refused even for a user whom modes do not stop, and stays as it was.
    const std::string readOnly = directory.Write("kept.p3g", {'k'});
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    run = RunCommand({in, readOnly}, RunWeldCommand);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: " + readOnly + ": cannot write the .p3g file: Permission denied\n");
    EXPECT_EQ(std::filesystem::file_size(readOnly), 1u);
    EXPECT_EQ(RunCommand({in}, RunWeldCommand).status, 2);
    EXPECT_EQ(RunCommand({in, "a.p3g", "b.p3g"}, RunWeldCommand).status, 2);
    EXPECT_EQ(RunCommand({in, "a.p3g", "--fast"}, RunWeldCommand).status, 2);
}

TEST(CutCommand, CutsCapsAndWritesTheCapTrianglesAsFacets) {
    ScratchDirectory directory;
    const std::string in = WriteTetrahedronSoup(directory);
    const std::string out = directory.File("cut.p3g");
    CliRun run = RunCommand({in, out, "--plane", "0", "0", "1", "-0.5", "--weld"}, RunCutCommand);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "vertices: 6\nfacets: 8\ncap_triangles: 1\ncontours: 1\nholes: 0\n");
    int index = 0;
    auto scene = ReadBack(out, index);
    EXPECT_EQ(scene->objects[index].mesh->facetCount, 8u);
    EXPECT_EQ(scene->objects[index].boxMax[2], 0.5f);

    // Without welding the soup's copies of a point still meet on the plane, so the cap closes.
    run = RunCommand({"--timings", "--plane", "0", "0", "1", "-0.5", in, out}, RunCutCommand);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        std::regex_match(run.out, std::regex("vertices: 12\nfacets: 8\ncap_triangles: 1\ncontours: 1\n"
                                             "holes: 0\ntime_read: [0-9.]+\ntime_cut: [0-9.]+\n"
                                             "time_write: [0-9.]+\n")))
        << run.out;

    // A plane that misses keeps everything and makes no cap.
    run = RunCommand({in, out, "--plane", "1", "0", "0", "-5"}, RunCutCommand);
    EXPECT_EQ(run.out, "vertices: 12\nfacets: 4\ncap_triangles: 0\ncontours: 0\nholes: 0\n");
}

TEST(CutCommand, RefusalsAndBadArguments) {
    ScratchDirectory directory;
    const std::string in = WriteTetrahedronSoup(directory);
    const std::string out = directory.File("cut.p3g");
    EXPECT_EQ(RunCommand({in, out}, RunCutCommand).status, 2);                                 // no plane
    EXPECT_EQ(RunCommand({in, out, "--plane", "0", "0", "1"}, RunCutCommand).status, 2);       // short plane
    EXPECT_EQ(RunCommand({in, out, "--plane", "0", "x", "1", "0"}, RunCutCommand).status, 2);  // not a number
    // A plane that is written well but cannot cut is an error of its own, not a usage problem.
    CliRun bad = RunCommand({in, out, "--plane", "0", "0", "0", "1"}, RunCutCommand);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "error: the plane has no normal: A, B and C are all 0\n");
    bad = RunCommand({in, out, "--plane", "0", "nan", "1", "0"}, RunCutCommand);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "error: the plane coefficient nan is not a finite number\n");
    bad = RunCommand({in, out, "--plane", "0", "0", "1", "-inf"}, RunCutCommand);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "error: the plane coefficient -inf is not a finite number\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(RunCommand({in, "--plane", "0", "0", "1", "0"}, RunCutCommand).status, 2);  // one path
    CliRun run =
        RunCommand({directory.File("missing.ctm"), out, "--plane", "0", "0", "1", "0"}, RunCutCommand);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}
