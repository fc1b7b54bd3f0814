#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "CliRun.h"
#include "flight/KeyframeBytes.h"
#include "flight/SnapshotBytes.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Cli(const CliArguments& arguments) {
    return RunCommand(arguments);
}

TEST(FlightCommands, KeyframePrintsHeaderAndRecords) {
    ScratchDirectory folder;
    const CliRun run = Cli({"keyframe", folder.Write("~kf0000.dat", KeyframeFileBytes(2))});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "count: 2\nfield_of_view: 45\nfog_intensity: 33\n"
              "record 0: visible 0 scale 1 position 0 -0 0 backup \n"
              "record 1: visible 1 scale 2 position 1 -1 2 backup /snap/~CM1\n"
              "record 2: visible 0 scale 3 position 2 -2 4 backup \n");
    EXPECT_EQ(run.err, "");
}

TEST(FlightCommands, SnapshotPrintsCounts) {
    ScratchDirectory folder;
    const CliRun run = Cli({"snapshot", folder.Write("~CMtest", SnapshotFileBytes())});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "vertices: 4\nfacets: 2\nnormals: 4\ncaps: 2\n");
}

TEST(FlightCommands, RefusedFilesAndMisuse) {
    ScratchDirectory folder;
    const std::string shortFile = folder.Write("short", {1, 2, 3});
    for (const char* command : {"keyframe", "snapshot"}) {
        for (const std::string& path : {shortFile, folder.File("missing")}) {
            const CliRun run = Cli({command, path});
            EXPECT_EQ(run.status, 1) << command << " " << path;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err.rfind("error: " + path + ": ", 0), 0u) << run.err;
        }
        EXPECT_EQ(Cli({command}).status, 2);
        EXPECT_EQ(Cli({command, "a", "b"}).status, 2);
    }
}

}  // namespace
