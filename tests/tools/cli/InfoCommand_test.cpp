#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "CliRun.h"
#include "import/ModelFileBytes.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Info(const CliArguments& arguments) {
    return RunCommand(arguments, RunInfoCommand);
}

}  // namespace

TEST(InfoCommand, PrintsTheFactsOfEachFormat) {
    ScratchDirectory directory;
    FileBytes p3g;
    p3g.Int32(1000).Int32(4).Int32(2).Floats({-1.5f, 2, 1e-7f, 3, 4, 123456789.0f, 0, 0, 0, 1, 1, 1});
    p3g.Uint16(0).Uint16(1).Uint16(2).Uint16(3).Uint16(2).Uint16(1);
    CliRun run = Info({directory.Write("a.p3g", p3g.bytes)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "format: p3g\nvertices: 4\nfacets: 2\nnormals: no\n"
              "box_min: -1.5 0 0\nbox_max: 3 4 1.23457e+08\n");
    EXPECT_EQ(run.err, "");

    FileBytes ctm;
    ctm.Zeros(268).Int32(272).Zeros(6).Int32(1).Int16(2).Uint16(72).Int32(294).Zeros(4);
    ctm.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1});
    run = Info({directory.Write("b.CTM", ctm.bytes), "--timings"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::regex_match(
        run.out, std::regex("format: ctm\nvertices: 3\nfacets: 1\nnormals: yes\n"
                            "box_min: 0 0 0\nbox_max: 1 1 0\ntime_read: [0-9]+\\.[0-9]{6}\n")))
        << run.out;

    FileBytes stl;
    stl.Text(
        "solid t\nfacet normal 0 0 1 outer loop vertex 0 0 0 vertex 2 0 0 vertex 0 2 0 endloop endfacet\n"
        "endsolid t\n");
    run = Info({"--timings", directory.Write("c.stl", stl.bytes)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find("time_read")),
              "format: stl\nvertices: 3\nfacets: 1\nnormals: no\nbox_min: 0 0 0\nbox_max: 2 2 0\n");
}

TEST(InfoCommand, RefusalsAndBadArguments) {
    ScratchDirectory directory;
    FileBytes truncated;
    truncated.Zeros(80).Int32(2).Zeros(50);
    const std::string path = directory.Write("short.stl", truncated.bytes);
    CliRun run = Info({path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "error: " + path + ": triangle count exceeds the file size\n");

    FileBytes wrongVersion;
    wrongVersion.Int32(1002).Int32(0).Int32(0);
    run = Info({directory.Write("new.p3g", wrongVersion.bytes)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("unknown .p3g version 1002"), std::string::npos);

    run = Info({directory.File("model.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);  // exactly one line

    EXPECT_EQ(Info({}).status, 2);
    EXPECT_EQ(Info({"--timings"}).status, 2);
    EXPECT_EQ(Info({"a.stl", "b.stl"}).status, 2);
}
