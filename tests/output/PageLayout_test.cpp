// The printed picture's place on the page in device pixels.
#include "output/PageLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(PrintedPictureArea, DefaultLayoutOnA600DpiPrinter) {
    const PageArea area = PrintedPictureArea(PrintLayout{}, 800, 600, 600, 600);
    EXPECT_EQ(area.x, 236);
    EXPECT_EQ(area.y, 236);
    EXPECT_EQ(area.width, 3543);
    // 150 x 600 / 800 = 112 mm (integer division), 112 / 25.4 x 600 = 2645.67.
    EXPECT_EQ(area.height, 2645);
}

TEST(PrintedPictureArea, EachAxisAtItsOwnResolution) {
    const PageArea area = PrintedPictureArea(PrintLayout{100, 5, 20}, 400, 400, 300, 600);
    EXPECT_EQ(area.x, 59);         // 5 / 25.4 x 300 = 59.06
    EXPECT_EQ(area.y, 472);        // 20 / 25.4 x 600 = 472.4
    EXPECT_EQ(area.width, 1181);   // 100 / 25.4 x 300 = 1181.1
    EXPECT_EQ(area.height, 2362);  // 100 / 25.4 x 600 = 2362.2
}

TEST(PrintedPictureArea, ExtremesStayInRange) {
    // The largest layout with a tall view: 100000 x 40000 / 4 mm needs more than 32 bits, and its
    // device height more than an int holds.
    const PageArea tall = PrintedPictureArea(PrintLayout{100000, 1, 1}, 4, 40000, 72, 72);
    EXPECT_EQ(tall.width, 283464);  // 100000 / 25.4 x 72 = 283464.6
    EXPECT_EQ(tall.height, INT_MAX);
    EXPECT_EQ(PrintedPictureArea(PrintLayout{100000, 1, 1}, 16, 40, 72, 72).height, 708661);  // 250000 mm

    // A view narrower than 4 pixels leaves a picture without columns: no height, no division by 0.
    const PageArea empty = PrintedPictureArea(PrintLayout{}, 0, 700, 600, 600);
    EXPECT_EQ(empty.width, 3543);
    EXPECT_EQ(empty.height, 0);
}

}  // namespace
