#include "import/ByteSource.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "import/ModelFileBytes.h"

TEST(FileSource, RefusesWhatIsNoRegularFileWithoutWaiting) {
    ScratchDirectory directory;
    const std::string pipe = directory.File("model.stl");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);  // nobody writes into it: opening must not wait for a writer
    for (const std::string& path : {pipe, directory.File("")}) {
        FileSource source;
        std::string error;
        EXPECT_FALSE(source.Open(path, error)) << path;
        EXPECT_EQ(error, "not a regular file") << path;
    }
}
