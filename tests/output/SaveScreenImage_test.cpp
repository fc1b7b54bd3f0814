// Save Image for real: a rendered view, the scripted file dialog, and the files read back by offset
// (BMP) or through Qt's decoder (PNG), compared with the view's own pixels.
#include "output/SaveScreenImage.h"

#include <gtest/gtest.h>
#include <QImage>

#include <cstring>
#include <string>
#include <vector>

#include "import/LittleEndian.h"
#include "output/ScreenPicture.h"
#include "support/FailingSaves.h"
#include "support/FullDisk.h"
#include "support/ScriptedServices.h"
#include "tests/render/ViewHarness.h"

namespace {

constexpr int kWideView = 1023;
constexpr int kTallView = 700;

struct SaveImageTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.ready);
        h.window.resize(kWideView, kTallView);
        h.view->setGeometry(0, 0, kWideView, kTallView);
        QTest::qWait(50);
        ASSERT_EQ(h.display.viewWidth, kWideView);
        ASSERT_EQ(h.display.viewHeight, kTallView);
        h.AddSquare(40.0f, 200);
        h.settings.dataDirectory = "/start/here";
    }

    // Runs the command with the dialog answering `path` and 1-based `filter`.
    void Save(const std::string& path, int filter) {
        scripted.files.answers.push_back(FileDialogResult{path, filter});
        SaveScreenImage(*h.view, h.settings, services, ScreenImageFormats());
    }

    ViewHarness h;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    ScratchDirectory folder;
};

TEST_F(SaveImageTest, AsksWithTheFiltersInTheDataDirectory) {
    SaveScreenImage(*h.view, h.settings, services, ScreenImageFormats());  // cancelled
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    const ScriptedFileDialogs::Asked& asked = scripted.files.asked[0];
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.request.startDirectory, "/start/here");
    ASSERT_EQ(asked.request.filters.size(), 3u);
    EXPECT_EQ(asked.request.filters[0].label, "BMP Files (*.bmp)");
    EXPECT_EQ(asked.request.filters[0].patterns, std::vector<std::string>{"*.bmp"});
    EXPECT_EQ(asked.request.filters[1].label, "JPEG Files (*.jpg)");
    EXPECT_EQ(asked.request.filters[2].label, "PNG Files (*.png)");
    EXPECT_EQ(asked.request.selectedFilter, 1);
    EXPECT_EQ(asked.request.defaultExtension, "bmp");
    EXPECT_TRUE(asked.request.confirmOverwrite);
    // A cancelled dialog changes nothing.
    EXPECT_EQ(h.settings.dataDirectory, "/start/here");
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(SaveImageTest, BmpHoldsTheViewCutToAMultipleOfFourColumns) {
    const std::string path = folder.File("shot.bmp");
    Save(path, 1);
    EXPECT_EQ(h.settings.dataDirectory, std::filesystem::path(path).parent_path().string());
    EXPECT_TRUE(scripted.messages.shown.empty());

    const std::vector<uint8_t> file = ReadWholeFile(path);
    const size_t pixelBytes = 1020u * kTallView * 3;
    ASSERT_EQ(file.size(), 54 + pixelBytes);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(LoadUint32(&file[2]), 54 + pixelBytes);
    EXPECT_EQ(LoadUint32(&file[6]), 0u);
    EXPECT_EQ(LoadUint32(&file[10]), 54u);
    EXPECT_EQ(LoadUint32(&file[14]), 40u);
    EXPECT_EQ(LoadInt32(&file[18]), 1020);
    EXPECT_EQ(LoadInt32(&file[22]), kTallView);
    EXPECT_EQ(LoadUint16(&file[26]), 1);
    EXPECT_EQ(LoadUint16(&file[28]), 24);
    for (int offset = 30; offset < 54; offset += 4)
        EXPECT_EQ(LoadUint32(&file[offset]), 0u) << offset;

    // Bottom-up rows of 1020 pixels, each the view's row without its rightmost 3 columns.
    const BgrImage view = h.view->ReadPixels();
    for (int row = 0; row < kTallView; ++row) {
        ASSERT_EQ(std::memcmp(&file[54 + row * 1020 * 3], &view.bytes[row * BgrStride(kWideView)], 1020 * 3),
                  0)
            << "row " << row;
    }
    // The square is there (a bright grey at the centre), and the stage around it.
    const uint8_t* centre = &file[54 + (kTallView / 2 * 1020 + 510) * 3];
    EXPECT_EQ(centre[0], centre[2]);
    EXPECT_GT(centre[2], 150);
    EXPECT_EQ(file[54], 64);  // blue of the default stage colour
    EXPECT_EQ(file[56], 0);
}

TEST_F(SaveImageTest, FormatFollowsTheFilterNotTheTypedExtension) {
    const std::string path = folder.File("shot.bmp");
    Save(path, 3);
    const std::vector<uint8_t> file = ReadWholeFile(path);
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    // Lossless: every pixel is the view's.
    const QImage png(QString::fromStdString(path), "PNG");
    ASSERT_EQ(png.width(), 1020);
    ASSERT_EQ(png.height(), kTallView);
    const BgrImage view = h.view->ReadPixels();
    int differing = 0;
    for (int y = 0; y < kTallView; ++y) {
        for (int x = 0; x < 1020; ++x) {
            const uint8_t* bgr = view.PixelFromTop(x, y);
            differing += png.pixel(x, y) != qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(SaveImageTest, JpegHasTheSetQualityAndShowsTheView) {
    const BgrImage view = h.view->ReadPixels();
    std::vector<size_t> sizes;
    for (int quality : {100, 20}) {
        h.settings.jpegQuality = quality;
        const std::string path = folder.File("shot" + std::to_string(quality) + ".jpg");
        Save(path, 2);
        sizes.push_back(ReadWholeFile(path).size());
        const QImage jpeg(QString::fromStdString(path), "JPEG");
        ASSERT_EQ(jpeg.width(), 1020);
        ASSERT_EQ(jpeg.height(), kTallView);
        // Near the view's pixels where the picture is flat: the centre and a corner.
        for (auto [x, y] : {std::pair{510, kTallView / 2}, std::pair{4, 4}}) {
            const uint8_t* bgr = view.PixelFromTop(x, y);
            const QRgb pixel = jpeg.pixel(x, y);
            EXPECT_NEAR(qRed(pixel), bgr[2], 12) << quality;
            EXPECT_NEAR(qBlue(pixel), bgr[0], 12) << quality;
        }
    }
    EXPECT_LT(sizes[1], sizes[0]) << "a lower quality makes a smaller file";
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SaveImageTest, FailingDiskKeepsTheEarlierFileAndSaysSo) {
    const std::string path = folder.Write("shot.bmp", EarlierFileBytes());
    {
        FullDiskAfter full(1000);
        Save(path, 1);
    }
    EXPECT_EQ(ReadWholeFile(path), EarlierFileBytes());
    EXPECT_EQ(scripted.messages.Texts(), std::vector<std::string>{"Cannot save the image to " + path + "."});
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"shot.bmp"});
}

TEST(ScreenImageFormats, EveryFormatKeepsTheEarlierFileOnFailingDisks) {
    BgrImage picture{8, 4, std::vector<uint8_t>(8 * 4 * 3)};
    for (size_t i = 0; i < picture.bytes.size(); ++i)
        picture.bytes[i] = static_cast<uint8_t>(i * 7);
    for (const ScreenImageFormat& format : ScreenImageFormats()) {
        SCOPED_TRACE(format.extension);
        const SaveToPath save = [&](const std::string& path) { return format.write(path, picture, 100); };
        const std::string name = "picture." + format.extension;
        ExpectFullDisksKeepTheEarlierFile(save, name);
        ExpectImpossibleTargetsAreRefused(save, name);
    }
}

}  // namespace
