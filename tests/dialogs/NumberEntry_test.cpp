#include "dialogs/NumberEntry.h"

#include <gtest/gtest.h>

TEST(NumberEntry, TakesWholeDecimalNumbersWithBlanksAround) {
    EXPECT_EQ(ReadWholeNumber("12"), 12.0);
    EXPECT_EQ(ReadWholeNumber("  -0.5\t"), -0.5);
    EXPECT_EQ(ReadWholeNumber("+.25"), 0.25);
    EXPECT_EQ(ReadWholeNumber("1e-3"), 0.001);
    EXPECT_EQ(ReadWholeNumber("5."), 5.0);
}

TEST(NumberEntry, RefusesAnythingElse) {
    for (const char* text : {"", " ", "-", ".", "12um", "1,5", "0x10", "inf", "-nan", "1e999", "--1", "1 2"})
        EXPECT_FALSE(ReadWholeNumber(text).has_value()) << text;
}

TEST(NumberEntry, FloatsMustFitSinglePrecision) {
    EXPECT_EQ(ReadWholeFloat("12.5"), 12.5f);
    EXPECT_FALSE(ReadWholeFloat("1e39").has_value());
    EXPECT_FALSE(ReadWholeFloat("abc").has_value());
}
