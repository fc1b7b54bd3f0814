#include "import/RegularFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "import/ModelFileBytes.h"

TEST(RegularFile, OpensRegularFilesAndRefusesEverythingElseWithAReason) {
    ScratchDirectory directory;
    const std::string file = directory.Write("model.p3g", std::vector<uint8_t>(7, 1));
    RegularFile opened;
    std::string reason;
    ASSERT_TRUE(opened.Open(file, reason));
    EXPECT_GE(opened.Descriptor(), 0);
    EXPECT_EQ(opened.Size(), 7u);

    const std::string pipe = directory.File("pipe.p3g");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);  // nobody writes into it: opening must not wait
    struct Case {
        std::string path;
        std::string reason;
        bool missing;
    };
    for (const Case& c :
         {Case{pipe, "not a regular file", false}, Case{directory.File(""), "not a regular file", false},
          Case{directory.File("gone.p3g"), "no such file", true},
          Case{file + "/below", "no such file", false}}) {
        RegularFile refused;
        std::string why;
        EXPECT_FALSE(refused.Open(c.path, why)) << c.path;
        EXPECT_EQ(why, c.reason) << c.path;
        EXPECT_EQ(refused.Missing(), c.missing) << c.path;
        EXPECT_EQ(refused.Descriptor(), -1) << c.path;
    }

    // A failed open closes what was open before.
    EXPECT_FALSE(opened.Open(pipe, reason));
    EXPECT_EQ(opened.Descriptor(), -1);
    EXPECT_EQ(opened.Size(), 0u);
}
