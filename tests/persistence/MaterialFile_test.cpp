#include "persistence/MaterialFile.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "persistence/IniText.h"
#include "scene/SceneObject.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

SceneObject Material(uint8_t red, uint8_t green, uint8_t blue, uint8_t opacity, float diffuse, float emission,
                     float reflection) {
    SceneObject object;
    object.colour[0] = red;
    object.colour[1] = green;
    object.colour[2] = blue;
    object.colour[3] = opacity;
    object.diffuse = diffuse;
    object.emission = emission;
    object.reflection = reflection;
    return object;
}

void ExpectSameMaterial(const SceneObject& a, const SceneObject& b) {
    EXPECT_EQ(std::vector<uint8_t>(a.colour, a.colour + 4), std::vector<uint8_t>(b.colour, b.colour + 4));
    EXPECT_EQ(a.diffuse, b.diffuse);
    EXPECT_EQ(a.emission, b.emission);
    EXPECT_EQ(a.reflection, b.reflection);
}

// Makes a directory refuse new files: by its mode, or for a privileged user whom modes do not stop,
// by the immutable attribute. Undone on destruction.
class ReadOnlyDirectory {
public:
    explicit ReadOnlyDirectory(std::string path) : path_(std::move(path)) {
        chmod(path_.c_str(), 0555);
        if (!Writable()) return;
        fd_ = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ReadOnlyDirectory() {
        if (immutable_) {
            int flags = 0;
            ioctl(fd_, FS_IOC_GETFLAGS, &flags);
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0) close(fd_);
        chmod(path_.c_str(), 0755);
    }
    bool Writable() const {
        const std::string probe = path_ + "/probe";
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) return false;
        close(fd);
        unlink(probe.c_str());
        return true;
    }

private:
    std::string path_;
    int fd_ = -1;
    bool immutable_ = false;
};

}  // namespace

TEST(LoadMaterial, AFileWithOnlyRedChangesOnlyTheRedByte) {
    ScratchDirectory directory;
    const std::string path = directory.Write("red.mat", Bytes("[Material]\nRed=255\n"));
    SceneObject object = Material(1, 2, 3, 4, 0.805f, 0.333f, 0.125f);
    LoadMaterial(object, path);
    ExpectSameMaterial(object, Material(255, 2, 3, 4, 0.805f, 0.333f, 0.125f));
}

TEST(LoadMaterial, ReadsEveryKeyColoursByTheirLowBitsAndPercentsAsCoefficients) {
    ScratchDirectory directory;
    const std::string path = directory.Write(
        "all.mat", Bytes("[Material]\nRed=300\nGreen=0\nBlue=511\nOpacity=300\nDiffusion=150\nEmission=0\n"
                         "Reflection=81"));
    SceneObject object;
    LoadMaterial(object, path);
    ExpectSameMaterial(object, Material(44, 0, 255, 44, 1.5f, 0.0f, 0.81f));
}

TEST(LoadMaterial, TextThatIsNoNumberReadsAsZero) {
    ScratchDirectory directory;
    const std::string path = directory.Write(
        "text.mat", Bytes("[Material]\r\nRed=high\r\nGreen=-5\r\nBlue=+17px\r\nDiffusion=\r\n"));
    SceneObject object;
    LoadMaterial(object, path);
    ExpectSameMaterial(object, Material(0, 0, 17, 255, 0.0f, 0.1f, 0.1f));
}

TEST(LoadMaterial, FindsSectionAndKeysInOtherCase) {
    ScratchDirectory directory;
    const std::string path = directory.Write("case.mat", Bytes("[MATERIAL]\nrEd=9\nDIFFUSION=20\n"));
    SceneObject object;
    LoadMaterial(object, path);
    ExpectSameMaterial(object, Material(9, 128, 128, 255, 0.2f, 0.1f, 0.1f));
}

TEST(LoadMaterial, AHugeLineOrBinaryBytesBeforeTheSectionDoNotHideIt) {
    ScratchDirectory directory;
    std::string text = "[Other]\nJunk=" + std::string(kMaxIniFileBytes - 64, 'x') + "\n";
    text += std::string("\x00\xff\x1b[\r", 5) + "\n[Material]\nRed=7\n";
    ASSERT_LE(text.size(), kMaxIniFileBytes);
    SceneObject object;
    LoadMaterial(object, directory.Write("long.mat", Bytes(text)));
    ExpectSameMaterial(object, Material(7, 128, 128, 255, 0.8f, 0.1f, 0.1f));
}

TEST(LoadMaterial, MissingOrUnusableFilesLeaveTheMaterial) {
    ScratchDirectory directory;
    const SceneObject before = Material(10, 20, 30, 40, 0.805f, 0.5f, 0.25f);
    const std::vector<std::string> paths = {
        directory.File("missing.mat"),
        directory.File(""),  // a directory
        directory.Write("other.mat", Bytes("[Colour]\nRed=1\n")),
        directory.Write("binary.mat", {0x00, 0xff, 0x5b, 0x0a, 0x0d, 0x3d}),
        directory.Write("huge.mat", std::vector<uint8_t>((2 << 20), '\n')),
        directory.File("pipe.mat"),  // nobody writes into it: opening must not wait for a writer
    };
    ASSERT_EQ(mkfifo(paths.back().c_str(), 0644), 0);
    for (const std::string& path : paths) {
        SceneObject object = before;
        const bool read = LoadMaterial(object, path);
        // Only the files that can be read as text say so; they merely lack the section.
        const bool text =
            path.find("other.mat") != std::string::npos || path.find("binary.mat") != std::string::npos;
        EXPECT_EQ(read, text) << path;
        ExpectSameMaterial(object, before);
    }
}

TEST(SaveMaterial, TheDefaultMaterialWritesTheSevenLines) {
    ScratchDirectory directory;
    const std::string path = directory.File("default.mat");
    ASSERT_TRUE(SaveMaterial(SceneObject{}, path));
    EXPECT_EQ(ReadText(path),
              "[Material]\nRed=128\nGreen=128\nBlue=128\nOpacity=255\nDiffusion=80\nEmission=10\n"
              "Reflection=10\n");
    EXPECT_EQ(directory.Names(), std::vector<std::string>{"default.mat"});  // no temporary left behind
}

TEST(SaveMaterial, CoefficientsAreRoundedFromTheSinglePrecisionProduct) {
    EXPECT_EQ(CoefficientPercent(0.805f), 81);
    EXPECT_EQ(CoefficientPercent(0.8f), 80);
    EXPECT_EQ(CoefficientPercent(0.1f), 10);
    EXPECT_EQ(CoefficientPercent(0.004f), 0);
    EXPECT_EQ(CoefficientPercent(-0.3f), -29);  // truncation towards zero
    EXPECT_EQ(CoefficientPercent(1e30f), INT32_MAX);
    EXPECT_EQ(CoefficientPercent(-1e30f), INT32_MIN);
    // The product 8388609 is exact; in single precision the added half would round it up to 8388610.
    EXPECT_EQ(CoefficientPercent(8388609.0f / 100.0f), 8388609);
    EXPECT_EQ(CoefficientPercent(std::numeric_limits<float>::quiet_NaN()), 0);

    ScratchDirectory directory;
    const std::string path = directory.File("round.mat");
    ASSERT_TRUE(SaveMaterial(Material(1, 2, 3, 4, 0.805f, 0.015f, 2.5f), path));
    EXPECT_EQ(ReadText(path),
              "[Material]\nRed=1\nGreen=2\nBlue=3\nOpacity=4\nDiffusion=81\nEmission=2\nReflection=250\n");
}

TEST(SaveMaterial, KeepsOtherSectionsKeysAndCommentsAndReplacesOldValues) {
    ScratchDirectory directory;
    const std::string path = directory.Write(
        "mixed.mat",
        Bytes("; jaw\r\n[View]\r\nZoom=3\r\n[material]\r\nGREEN=1\r\nShine=7\r\n\r\n[Tail]\r\nA=b"));
    ASSERT_TRUE(SaveMaterial(SceneObject{}, path));
    EXPECT_EQ(ReadText(path),
              "; jaw\r\n[View]\r\nZoom=3\r\n[material]\r\nGreen=128\r\nShine=7\r\nRed=128\r\nBlue=128\r\n"
              "Opacity=255\r\nDiffusion=80\r\nEmission=10\r\nReflection=10\r\n\r\n[Tail]\r\nA=b");
}

TEST(SaveMaterial, RoundTripsThroughLoad) {
    ScratchDirectory directory;
    const std::string path = directory.File("trip.mat");
    ASSERT_TRUE(SaveMaterial(Material(200, 100, 50, 25, 0.35f, 0.07f, 1.2f), path));
    SceneObject object;
    LoadMaterial(object, path);
    ExpectSameMaterial(object, Material(200, 100, 50, 25, 0.35f, 0.07f, 1.2f));
}

TEST(SaveMaterial, AReadOnlyDirectoryFailsAndKeepsTheOldFile) {
    ScratchDirectory directory;
    const std::string path = directory.Write("kept.mat", Bytes("[Material]\nRed=1\n"));
    {
        ReadOnlyDirectory readOnly(directory.File(""));
        if (readOnly.Writable()) GTEST_SKIP() << "this user can write into any directory";
        EXPECT_FALSE(SaveMaterial(SceneObject{}, path));
        EXPECT_FALSE(SaveMaterial(SceneObject{}, directory.File("new.mat")));
    }
    EXPECT_EQ(ReadText(path), "[Material]\nRed=1\n");
    EXPECT_EQ(directory.Names(), std::vector<std::string>{"kept.mat"});
}

TEST(SaveMaterial, AReadOnlyFileIsRefusedAndKeptInAWritableDirectory) {
    ScratchDirectory directory;
    const std::string path = directory.Write("locked.mat", Bytes("[Material]\nRed=1\n"));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(SaveMaterial(SceneObject{}, path));
    EXPECT_EQ(ReadText(path), "[Material]\nRed=1\n");
    EXPECT_EQ(directory.Names(), std::vector<std::string>{"locked.mat"});
}

TEST(SaveMaterial, WritesThroughALinkAndKeepsThePermissions) {
    ScratchDirectory directory;
    const std::string target = directory.Write("shared.mat", Bytes("[Other]\nA=1\n"));
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const std::string link = directory.File("link.mat");
    ASSERT_EQ(symlink("shared.mat", link.c_str()), 0);

    ASSERT_TRUE(SaveMaterial(Material(7, 8, 9, 10, 0.5f, 0.25f, 0.75f), link));
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadText(target),
              "[Other]\nA=1\n[Material]\nRed=7\nGreen=8\nBlue=9\nOpacity=10\nDiffusion=50\nEmission=25\n"
              "Reflection=75\n");
}

TEST(SaveMaterial, RefusesToReplaceAFileItCannotRead) {
    ScratchDirectory directory;
    const std::vector<uint8_t> huge(kMaxIniFileBytes + 1, 'x');
    const std::string path = directory.Write("huge.mat", huge);
    EXPECT_FALSE(SaveMaterial(SceneObject{}, path));
    EXPECT_EQ(ReadWholeFile(path), huge);
    EXPECT_FALSE(SaveMaterial(SceneObject{}, directory.File("")));
    EXPECT_FALSE(SaveMaterial(SceneObject{}, directory.File("no/such/folder.mat")));
}
