// pexora-cli tells why a .p3g file could not be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "scene/Poly3gon.h"
#include "support/FailingSaves.h"
#include "tools/cli/CliModel.h"

namespace {

Poly3gon Triangle() {
    Poly3gon mesh(3, 1);
    for (int i = 0; i < 9; ++i)
        mesh.vertices[i] = float(i);
    for (int i = 0; i < 3; ++i)
        mesh.facets[i] = i;
    return mesh;
}

std::string WriteError(const std::string& path) {
    std::ostringstream err;
    EXPECT_FALSE(WriteCliModel(Triangle(), path, err));
    return err.str();
}

}  // namespace

TEST(CliModelFailingSave, TheErrorNamesTheSystemsReason) {
    ScratchDirectory directory;
    const std::string path = directory.Write("kept.p3g", EarlierFileBytes());
    {
        FullDiskAfter full(20);
        EXPECT_EQ(WriteError(path),
                  "error: " + path + ": cannot write the .p3g file: No space left on device\n");
    }
    const std::string folder = directory.File("folder.p3g");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    EXPECT_EQ(WriteError(folder), "error: " + folder + ": cannot write the .p3g file: Is a directory\n");
    EXPECT_EQ(ReadWholeFile(path), EarlierFileBytes());
    std::vector<std::string> names = directory.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder.p3g", "kept.p3g"}));

    SmallTmpfs tmpfs(1 << 16);
    if (!tmpfs.Mounted() || !tmpfs.MakeReadOnly()) GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    EXPECT_EQ(WriteError(tmpfs.File("new.p3g")),
              "error: " + tmpfs.File("new.p3g") + ": cannot write the .p3g file: Read-only file system\n");
}
