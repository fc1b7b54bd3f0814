#include "platform/TexturePath.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

TEST(TexturePath, TheTextureSettingIsAPrefixOfTheFaceFileName) {
    EXPECT_EQ(CubeFacePath("/opt/pexora/bin", "cubes/", "front.bmp"), "/opt/pexora/bin/cubes/front.bmp");
    EXPECT_EQ(CubeFacePath("/opt/pexora/bin", "sky_", "top.bmp"), "/opt/pexora/bin/sky_top.bmp");
    EXPECT_EQ(CubeFacePath("/opt/pexora/bin", "cubes\\", "left.bmp"), "/opt/pexora/bin/cubes/left.bmp");
    EXPECT_EQ(CubeFacePath("/opt/pexora/bin", "/home/u/cube/", "back.bmp"), "/home/u/cube/back.bmp");
    EXPECT_EQ(CubeFacePath("/opt/pexora/bin", "/home/u/cube\\", "back.bmp"), "/home/u/cube/back.bmp");
}

TEST(TexturePath, InstalledProgramsKeepTheirDataInShare) {
    EXPECT_EQ(ProgramDataDirectory("/nonexistent/bin/pexora"), "/nonexistent/bin");
    EXPECT_EQ(ProgramDataDirectory("/work/build/pexora"), "/work/build");

    const std::filesystem::path root =
        std::filesystem::path(testing::TempDir()) / ("pexora-texture-path-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "bin");
    EXPECT_EQ(ProgramDataDirectory((root / "bin" / "pexora").string()), (root / "bin").string());
    std::filesystem::create_directories(root / "share" / "pexora");
    EXPECT_EQ(ProgramDataDirectory((root / "bin" / "pexora").string()), (root / "share" / "pexora").string());
    std::filesystem::remove_all(root);
}
