#include "dataset/SliceStatistics.h"

#include <gtest/gtest.h>

namespace {

std::vector<DatasetSlice> Numbered(int first, int count, int spacing) {
    std::vector<DatasetSlice> slices;
    for (int i = 0; i < count; ++i)
        slices.push_back({"s", first + i * spacing});
    return slices;
}

}  // namespace

TEST(SliceStatistics, StepFromTheRangeAndTheCount) {
    SliceStatistics s = CountDatasetSlices(Numbered(0, 1000, 1));
    EXPECT_EQ(s.found, 1000);
    EXPECT_EQ(s.lowest, 0);
    EXPECT_EQ(s.highest, 999);
    EXPECT_EQ(s.step, 1);

    s = CountDatasetSlices(Numbered(0, 500, 2));
    EXPECT_EQ(s.highest, 998);
    EXPECT_EQ(s.step, 2);

    // Listing order does not matter; a gap gives the truncated average spacing.
    s = CountDatasetSlices({{"c", 40}, {"a", 10}, {"b", 15}});
    EXPECT_EQ(s.lowest, 10);
    EXPECT_EQ(s.highest, 40);
    EXPECT_EQ(s.step, 15);
}

TEST(SliceStatistics, EmptyAndSingleDatasetsKeepTheStartValues) {
    SliceStatistics s = CountDatasetSlices({});
    EXPECT_EQ(s.found, 0);
    EXPECT_EQ(s.lowest, 1000000);
    EXPECT_EQ(s.highest, 0);
    EXPECT_EQ(s.step, -1000000);

    s = CountDatasetSlices(Numbered(7, 1, 1));
    EXPECT_EQ(s.lowest, 7);
    EXPECT_EQ(s.highest, 7);
    EXPECT_EQ(s.step, 0);

    // Numbers beyond the lowest start value leave it in place.
    s = CountDatasetSlices(Numbered(2000000, 2, 10));
    EXPECT_EQ(s.lowest, 1000000);
    EXPECT_EQ(s.highest, 2000010);
    EXPECT_EQ(s.step, 1000010);
}
