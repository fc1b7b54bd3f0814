#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "CliRun.h"
#include "persistence/SceneFileBytes.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Scene(const CliArguments& arguments) {
    return RunCommand(arguments);
}

}  // namespace

TEST(SceneCommand, PrintsTheHeaderStageAndEveryRecord) {
    ScratchDirectory directory;
    const std::string path = directory.Write("two.psc", SceneFileBytes({"/m/a.p3g", "/m/b.p3g"}));
    const CliRun run = Scene({"scene", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "count: 3\nfield_of_view: 55\nfog_intensity: 35\nbg_mode: 2\nstage_size: 2500\n"
              "record 0: camera |  | visible 0 | scale 1 | position 0 0 0\n"
              "record 1: model1 | /m/a.p3g | visible 1 | scale 1.5 | position 1 -2 0.5\n"
              "record 2: model2 | /m/b.p3g | visible 1 | scale 1.5 | position 2 -4 0.5\n"
              "record 3: plate | (internal) | visible 1 | scale 2 | position 0 0 0\n");
}

TEST(SceneCommand, RefusedFilesAndMisuse) {
    ScratchDirectory directory;
    std::vector<uint8_t> bytes = SceneFileBytes({"/m/a.p3g"});
    std::memset(bytes.data() + 44, 0, 4);
    const std::string zero = directory.Write("zero.psc", bytes);
    CliRun run = Scene({"scene", zero});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "error: " + zero + ": bad object count\n");

    run = Scene({"scene", directory.File("")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << run.err;

    for (const CliArguments& misuse : {CliArguments{"scene"}, CliArguments{"scene", zero, zero}}) {
        run = Scene(misuse);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "usage: pexora-cli scene FILE.psc\n");
    }
}
