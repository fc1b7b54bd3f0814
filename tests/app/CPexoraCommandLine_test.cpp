#include "app/CPexoraCommandLine.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A scratch folder with a model and a dataset slice; names keep their case.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pexora-cmdline-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_ / "Scan" / "rec");
        model_ = (dir_ / "Scan" / "Tooth.P3G").string();
        slice_ = (dir_ / "Scan" / "rec" / "slice0000.bmp").string();
        std::ofstream(model_) << "model";
        std::ofstream(slice_) << "slice";
    }
    void TearDown() override { fs::remove_all(dir_); }

    CPexoraCommandLine Parse(const std::vector<std::string>& arguments) {
        CPexoraCommandLine line;
        line.ParseArguments(arguments);
        return line;
    }

    fs::path dir_;
    std::string model_;
    std::string slice_;
};

}  // namespace

TEST_F(CommandLineTest, FullHandOffLineFillsEveryField) {
    const auto line = Parse({model_, "-f" + slice_, "-v12.5", "-n4", "-u2"});
    EXPECT_EQ(line.modelPath, model_);  // case kept: Linux paths are case-sensitive
    EXPECT_EQ(line.datasetPath, slice_);
    EXPECT_EQ(line.pixelSize, 12.5f);
    EXPECT_EQ(line.postfixLength, 4);
    EXPECT_EQ(line.unit, 2);

    const HandOff handOff = line.AsHandOff();
    EXPECT_EQ(handOff.modelPath, model_);
    EXPECT_EQ(handOff.datasetPath, slice_);
    EXPECT_EQ(handOff.pixelSize, 12.5f);
    EXPECT_EQ(handOff.postfixLength, 4);
    EXPECT_EQ(handOff.unit, 2);
}

TEST_F(CommandLineTest, SwitchesTakeSlashOrDashAndLettersInEitherCase) {
    const auto line = Parse({"/F" + slice_, "/V0.0125", "-N6", "/U3"});
    EXPECT_EQ(line.datasetPath, slice_);
    EXPECT_EQ(line.pixelSize, 0.0125f);
    EXPECT_EQ(line.postfixLength, 6);
    EXPECT_EQ(line.unit, 3);
    EXPECT_EQ(line.modelPath, "");
}

TEST_F(CommandLineTest, ClampsAndScanFailuresKeepOrResetValues) {
    EXPECT_EQ(Parse({"-n0"}).postfixLength, 4);
    EXPECT_EQ(Parse({"-n-2"}).postfixLength, 4);
    EXPECT_EQ(Parse({"-nx"}).postfixLength, 4);
    EXPECT_EQ(Parse({"-n7", "-nx"}).postfixLength, 7);  // a failed scan keeps the earlier value
    EXPECT_EQ(Parse({"-u5"}).unit, 0);
    EXPECT_EQ(Parse({"-u-1"}).unit, 0);
    EXPECT_EQ(Parse({"-u4"}).unit, 4);
    EXPECT_EQ(Parse({"-v"}).pixelSize, 0.0f);  // nothing after the letter
    EXPECT_EQ(Parse({"-vabc"}).pixelSize, 0.0f);
    EXPECT_EQ(Parse({"-v3", "-v"}).pixelSize, 3.0f);
    EXPECT_EQ(Parse({"-v1e60"}).pixelSize, 0.0f);  // out of range is a scan failure
    EXPECT_EQ(Parse({"-n99999999999"}).postfixLength, 4);
    // Unknown switches and empty ones are ignored.
    const auto line = Parse({"-x", "-", "/", "--help", ""});
    EXPECT_EQ(line.modelPath, "");
    EXPECT_EQ(line.postfixLength, 4);
    EXPECT_EQ(line.unit, 0);
    EXPECT_EQ(line.pixelSize, 0.0f);
}

TEST_F(CommandLineTest, ExistingFilesArePlainArgumentsMissingOnesChangeNothing) {
    // An absolute path starts with "/", yet an existing file is the model, not a switch "/t...".
    const auto line = Parse({model_});
    EXPECT_EQ(line.modelPath, model_);

    const auto missing =
        Parse({(dir_ / "Scan" / "missing.p3g").string(), "-f" + (dir_ / "none.bmp").string()});
    EXPECT_EQ(missing.modelPath, "");
    EXPECT_EQ(missing.datasetPath, "");

    // A relative, missing plain argument names no model.
    EXPECT_EQ(Parse({"nothing-here.p3g"}).modelPath, "");

    // A later existing plain argument replaces an earlier one; a directory is not a model file.
    const std::string second = (dir_ / "Scan" / "second.stl").string();
    std::ofstream(second) << "x";
    EXPECT_EQ(Parse({model_, second}).modelPath, second);
    EXPECT_EQ(Parse({model_, (dir_ / "Scan").string()}).modelPath, model_);
}

TEST_F(CommandLineTest, PathsComeBackFullAndCanonical) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir_ / "Scan");
    const auto line = Parse({"Tooth.P3G", "-frec/../rec/slice0000.bmp"});
    fs::current_path(previous);
    EXPECT_EQ(line.modelPath, fs::canonical(model_).string());
    EXPECT_EQ(line.datasetPath, fs::canonical(slice_).string());

    const fs::path link = dir_ / "link.p3g";
    fs::create_symlink(model_, link);
    EXPECT_EQ(Parse({link.string()}).modelPath, fs::canonical(model_).string());
}

TEST_F(CommandLineTest, ParseParamTakesSwitchTextWithoutItsLeader) {
    CPexoraCommandLine line;
    line.ParseParam("v2.5", true, false);
    line.ParseParam("f" + slice_, true, false);
    line.ParseParam(model_, false, true);
    EXPECT_EQ(line.pixelSize, 2.5f);
    EXPECT_EQ(line.datasetPath, slice_);
    EXPECT_EQ(line.modelPath, model_);
}
