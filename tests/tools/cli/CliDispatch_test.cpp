#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "CliRun.h"
#include "tools/cli/CliCommands.h"

namespace {

CliRun Cli(const CliArguments& arguments) {
    return RunCommand(arguments);
}

}  // namespace

TEST(CliDispatch, HelpGoesToStandardOutputOtherMisuseToErrors) {
    for (const char* help : {"--help", "-h"}) {
        const CliRun run = Cli({help});
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.out.rfind("usage: pexora-cli COMMAND ARGUMENTS...\ncommands:\n", 0), 0u) << help;
        EXPECT_NE(run.out.find("  cut IN OUT.p3g --plane A B C D"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
    for (const CliArguments& misuse : {CliArguments{}, CliArguments{"slice"}, CliArguments{"--weld"}}) {
        const CliRun run = Cli(misuse);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, Cli({"--help"}).out);
    }
    // A command gets only the arguments after its name.
    const CliRun info = Cli({"info"});
    EXPECT_EQ(info.status, 2);
    EXPECT_EQ(info.err.rfind("usage: pexora-cli info", 0), 0u) << info.err;
}
