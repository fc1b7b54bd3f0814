#include "app/ManualLocation.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "<html></html>";
}

TEST(FindManual, PrefersTheManualBesideTheProgramThenTheInstalledDocumentationFolder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path prefix = folder.path().toStdString();
    const std::string program = (prefix / "bin" / "pexora").string();
    const std::string beside = (prefix / "bin" / "pexora.html").string();
    const std::string installed = (prefix / "share" / "doc" / "pexora" / "pexora.html").string();

    EXPECT_EQ(FindManual(program), beside) << "nowhere: named where it was first looked for";
    Touch(installed);
    EXPECT_EQ(FindManual(program), installed);
    Touch(beside);
    EXPECT_EQ(FindManual(program), beside);

    // Only an executable in a folder named bin has an installed tree around it.
    EXPECT_EQ(FindManual((prefix / "opt" / "pexora").string()), (prefix / "opt" / "pexora.html").string());
    // The manual is named after the executable.
    Touch(prefix / "share" / "doc" / "pexora" / "viewer.html");
    EXPECT_EQ(FindManual((prefix / "bin" / "viewer").string()),
              (prefix / "share" / "doc" / "pexora" / "viewer.html").string());
}

}  // namespace
