#include "flight/ImageSeriesNames.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "import/ModelFileBytes.h"
#include "support/ScriptedServices.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder to put files of given names in.
struct ImageSeriesFiles : ::testing::Test {
    void Make(const std::string& name) const { directory.Write(name, {'o', 'l', 'd'}); }
    bool Exists(const std::string& name) const { return fs::exists(directory.File(name)); }

    ScratchDirectory directory;
    const std::string folder = directory.File("").substr(0, directory.File("").size() - 1);  // no "/"
    ScriptedMessageBoxes messages;
};

}  // namespace

TEST(ImageSeriesNames, TheBaseDropsTheExtensionAndFourTrailingDigits) {
    EXPECT_EQ(SeriesBase("/data/shots/clip0012.jpg"), "/data/shots/clip");
    EXPECT_EQ(SeriesBase("/data/shots/clip.bmp"), "/data/shots/clip");
    // Only the name without its extension counts: the folder's digits and a dotted name stay.
    EXPECT_EQ(SeriesBase("/data/2024/v1.2.bmp"), "/data/2024/v1.2");
    EXPECT_EQ(SeriesBase("/data/2024/flight"), "/data/2024/flight");
    // Three digits are part of the title; five lose their last four.
    EXPECT_EQ(SeriesBase("/data/clip012.jpg"), "/data/clip012");
    EXPECT_EQ(SeriesBase("/data/clip12345.jpg"), "/data/clip1");
    // A title of four digits leaves the base ending in the separator; a shorter one is kept.
    EXPECT_EQ(SeriesBase("/data/0012.bmp"), "/data/");
    EXPECT_EQ(SeriesBase("/data/12.bmp"), "/data/12");
    EXPECT_EQ(SeriesBase("/clip0003.jpg"), "/clip");
}

TEST(ImageSeriesNames, FolderIsTheTextBeforeTheLastSeparator) {
    EXPECT_EQ(FolderOf("/data/shots/clip.avi"), "/data/shots");
    EXPECT_EQ(FolderOf("/clip.avi"), "");
    EXPECT_EQ(FolderOf("clip.avi"), "");
}

TEST(ImageSeriesNames, FramesAreNumberedInFourDigits) {
    EXPECT_EQ(SeriesFrameName("/data/clip", 0, "jpg"), "/data/clip0000.jpg");
    EXPECT_EQ(SeriesFrameName("/data/clip", 37, "bmp"), "/data/clip0037.bmp");
    EXPECT_EQ(SeriesFrameName("/data/", 9999, "bmp"), "/data/9999.bmp");
    EXPECT_EQ(SeriesFrameName("/data/clip", 12345, "jpg"), "/data/clip12345.jpg");
}

TEST_F(ImageSeriesFiles, OnlyFilesOfTheBaseWithFourDigitsAndTheExtensionClash) {
    for (const char* name : {"clip0000.jpg", "clip0001.jpg", "clip9999.jpg",   // the series
                             "clip000.jpg", "clip00000.jpg",                   // three and five characters
                             "clip00a1.jpg", "clipxxxx.jpg",                   // not digits
                             "clip0000.bmp", "clip0000.jpeg", "Clip0000.jpg",  // other extension, case
                             "movie0000.jpg", "0000.jpg"})
        Make(name);
    fs::create_directory(folder + "/clip0002.jpg");  // a folder is no frame

    EXPECT_EQ(ExistingSeriesFiles(folder + "/clip", "jpg"),
              (std::vector<std::string>{folder + "/clip0000.jpg", folder + "/clip0001.jpg",
                                        folder + "/clip9999.jpg"}));
    EXPECT_EQ(ExistingSeriesFiles(folder + "/clip", "bmp"),
              std::vector<std::string>{folder + "/clip0000.bmp"});
    // A base ending in the separator: titles of four characters are never offered for deletion.
    EXPECT_TRUE(ExistingSeriesFiles(folder + "/", "jpg").empty());
    EXPECT_TRUE(ExistingSeriesFiles(folder + "/missing/clip", "jpg").empty());
}

TEST_F(ImageSeriesFiles, ExistingFilesAreDeletedAfterOneYes) {
    Make("clip0000.jpg");
    Make("clip0001.jpg");
    Make("clip0000.bmp");
    messages.answers = {MessageAnswer::Yes};

    EXPECT_TRUE(CheckImageNames(folder + "/clip", "jpg", messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Delete Files");
    EXPECT_EQ(messages.shown[0].text, "Files with <" + folder + "/clip> name already exist! Delete?");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(Exists("clip0000.jpg"));
    EXPECT_FALSE(Exists("clip0001.jpg"));
    EXPECT_TRUE(Exists("clip0000.bmp"));
}

TEST_F(ImageSeriesFiles, NoKeepsTheFilesAndRefusesTheSeries) {
    Make("clip0000.jpg");
    messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(CheckImageNames(folder + "/clip", "jpg", messages));
    EXPECT_TRUE(Exists("clip0000.jpg"));
}

TEST_F(ImageSeriesFiles, NothingToDeleteAsksNothing) {
    Make("0000.bmp");
    Make("0001.bmp");
    EXPECT_TRUE(CheckImageNames(folder + "/", "bmp", messages));
    EXPECT_TRUE(CheckImageNames(folder + "/clip", "bmp", messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(Exists("0000.bmp"));
}
