// The screen image's BMP bytes against the layout table, byte by byte, and the cut of the view's
// width to whole groups of four columns.
#include "output/BmpImageFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "output/ScreenPicture.h"

namespace {

// A picture whose bytes count up from `first`, rows of BgrStride(width) bytes.
BgrImage Counting(int width, int height, uint8_t first = 1) {
    BgrImage picture{width, height, std::vector<uint8_t>(BgrStride(width) * height)};
    for (size_t i = 0; i < picture.bytes.size(); ++i)
        picture.bytes[i] = static_cast<uint8_t>(first + i);
    return picture;
}

TEST(ScreenBmp, FollowsTheLayoutTable) {
    const BgrImage picture = Counting(4, 2);
    // 54 + 4 x 2 x 3 = 78 bytes: "BM", size 78, reserved 0, offset 54; then the info header.
    std::vector<uint8_t> expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0,
                                     0,   40,  0,  0, 0, 4, 0, 0, 0, 2, 0,  0, 0,  // size, width, height
                                     1,   0,   24, 0,                              // planes, bits per pixel
                                     0,   0,   0,  0, 0, 0, 0, 0,                  // compression, image size
                                     0,   0,   0,  0, 0, 0, 0, 0,                  // pixels per metre x, y
                                     0,   0,   0,  0, 0, 0, 0, 0};                 // colours used, important
    expected.insert(expected.end(), picture.bytes.begin(), picture.bytes.end());
    EXPECT_EQ(EncodeScreenBmp(picture), expected);
}

TEST(ScreenBmp, PictureWithoutColumnsIsTheHeadersAlone) {
    const std::vector<uint8_t> file = EncodeScreenBmp(BgrImage{0, 700, {}});
    ASSERT_EQ(file.size(), kBmpHeadersSize);
    EXPECT_EQ(file[2], 54);
    EXPECT_EQ(file[18], 0);                    // width
    EXPECT_EQ(file[22] | file[23] << 8, 700);  // height
}

TEST(ScreenPicture, KeepsTheLeftmostWholeQuadsOfEveryRow) {
    // 7 columns: rows of 21 bytes padded to 24; the picture keeps 4 columns, 12 bytes a row.
    const BgrImage view = Counting(7, 3);
    const BgrImage picture = CutToWholeQuads(view);
    ASSERT_EQ(picture.width, 4);
    ASSERT_EQ(picture.height, 3);
    ASSERT_EQ(picture.bytes.size(), 36u);
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(picture.bytes[row * 12 + i], view.bytes[row * 24 + i]);

    const BgrImage narrow = CutToWholeQuads(Counting(3, 5));
    EXPECT_EQ(narrow.width, 0);
    EXPECT_EQ(narrow.height, 5);
    EXPECT_TRUE(narrow.bytes.empty());

    EXPECT_EQ(CutToWholeQuads(Counting(8, 2)).bytes, Counting(8, 2).bytes);
    // Bytes missing for the rows claimed give no picture rather than a read past the end.
    BgrImage shortView = Counting(8, 2);
    shortView.bytes.pop_back();
    EXPECT_TRUE(CutToWholeQuads(shortView).bytes.empty());
}

}  // namespace
