#include "persistence/IniText.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "import/ModelFileBytes.h"

TEST(IniText, FindsSectionsAndKeysWithoutRegardToCaseAndBlanks) {
    const IniText ini("; material of the left jaw\n  [ material ]  \n red = 12 \nGREEN=7\n[Other]\nRed=99\n");
    EXPECT_EQ(ini.Value("Material", "Red"), "12");
    EXPECT_EQ(ini.Value("MATERIAL", "green"), "7");
    EXPECT_EQ(ini.Value("other", "red"), "99");
    EXPECT_FALSE(ini.Value("Material", "Blue").has_value());
    EXPECT_FALSE(ini.Value("Missing", "Red").has_value());
}

TEST(IniText, TheFirstOfTwoEqualSectionsOrKeysCounts) {
    IniText ini("[Material]\nRed=1\nred=2\n[material]\nRed=3\n");
    EXPECT_EQ(ini.Value("Material", "Red"), "1");
    ini.SetValue("Material", "Red", "5");
    EXPECT_EQ(ini.Text(), "[Material]\nRed=5\nred=2\n[material]\nRed=3\n");
}

TEST(IniText, CommentsAndLinesWithoutKeysAreNoEntries) {
    const IniText ini("[Material]\n;Red=1\n#Green=2\n=3\nBlue\nOpacity=\n");
    EXPECT_FALSE(ini.Value("Material", "Red").has_value());
    EXPECT_FALSE(ini.Value("Material", "Green").has_value());
    EXPECT_FALSE(ini.Value("Material", "Blue").has_value());
    EXPECT_EQ(ini.Value("Material", "Opacity"), "");
}

TEST(IniText, ReadsCrLfAndLoneCrLinesAndAnUnterminatedLastLine) {
    EXPECT_EQ(IniText("[Material]\r\nRed=1\r\nGreen=2").Value("Material", "Green"), "2");
    EXPECT_EQ(IniText("[Material]\rRed=4\r").Value("Material", "Red"), "4");
    EXPECT_EQ(IniText("[Material]\r\nRed=1\r\n").Value("Material", "Red"), "1");
}

TEST(IniText, AddsKeysAfterTheSectionsLastEntryKeepingCommentsAndOtherSections) {
    IniText ini("[Material]\nRed=1\n; keep me\n\n[View]\nZoom=2\n");
    ini.SetValue("Material", "Green", "3");
    EXPECT_EQ(ini.Text(), "[Material]\nRed=1\nGreen=3\n; keep me\n\n[View]\nZoom=2\n");
}

TEST(IniText, AppendsAMissingSectionAndTerminatesAnOpenLastLine) {
    IniText ini("[View]\r\nZoom=2");
    ini.SetValue("Material", "Red", "8");
    EXPECT_EQ(ini.Text(), "[View]\r\nZoom=2\r\n[Material]\r\nRed=8\r\n");

    IniText empty;
    empty.SetValue("Material", "Red", "8");
    EXPECT_EQ(empty.Text(), "[Material]\nRed=8\n");

    IniText headerOnly("[Material]");
    headerOnly.SetValue("material", "Red", "8");
    EXPECT_EQ(headerOnly.Text(), "[Material]\nRed=8\n");
}

TEST(IniText, KeepsBinaryBytesItDoesNotChange) {
    const std::string bytes("\x00\xff[x\n\r\x01=\x02\r\n", 11);
    IniText ini(bytes);
    EXPECT_EQ(ini.Text(), bytes);
    ini.SetValue("Material", "Red", "1");
    EXPECT_EQ(ini.Text(), bytes + "[Material]\nRed=1\n");
}

TEST(IniFile, TellsMissingFromUnreadableFilesAndRefusesHugeOnes) {
    ScratchDirectory directory;
    EXPECT_EQ(ReadIniFile(directory.File("none.ini")).status, IniFileStatus::Missing);
    EXPECT_EQ(ReadIniFile(directory.File("")).status, IniFileStatus::Unreadable);  // the directory
    const std::string pipe = directory.File("pipe.ini");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(ReadIniFile(pipe).status, IniFileStatus::Unreadable);  // returns without a writer

    const std::string small = directory.Write("small.ini", {'[', 'A', ']', '\n'});
    const IniFileContent read = ReadIniFile(small);
    EXPECT_EQ(read.status, IniFileStatus::Read);
    EXPECT_EQ(read.text, "[A]\n");

    const std::string limit = directory.Write("limit.ini", std::vector<uint8_t>(kMaxIniFileBytes, 'x'));
    EXPECT_EQ(ReadIniFile(limit).status, IniFileStatus::Read);
    const std::string huge = directory.Write("huge.ini", std::vector<uint8_t>(kMaxIniFileBytes + 1, 'x'));
    const IniFileContent refused = ReadIniFile(huge);
    EXPECT_EQ(refused.status, IniFileStatus::Unreadable);
    EXPECT_TRUE(refused.text.empty());
}
