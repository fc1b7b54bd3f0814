#include "platform/NumberText.h"

#include <clocale>

#include <gtest/gtest.h>

TEST(NumberText, ScanFloatReadsTheLeadingNumberLikeScanf) {
    EXPECT_EQ(ScanFloat("12.5"), 12.5f);
    EXPECT_EQ(ScanFloat("  -0.0125"), -0.0125f);
    EXPECT_EQ(ScanFloat("+3e2"), 300.0f);
    EXPECT_EQ(ScanFloat(".5mm"), 0.5f);  // trailing text ignored
    EXPECT_EQ(ScanFloat("7"), 7.0f);
    EXPECT_EQ(ScanFloat(""), std::nullopt);
    EXPECT_EQ(ScanFloat("abc"), std::nullopt);
    EXPECT_EQ(ScanFloat("-"), std::nullopt);
    EXPECT_EQ(ScanFloat("+-1"), std::nullopt);
    EXPECT_EQ(ScanFloat("1e99"), std::nullopt);  // beyond float
    EXPECT_EQ(ScanFloat("nan"), std::nullopt);
    EXPECT_EQ(ScanFloat("inf"), std::nullopt);
}

TEST(NumberText, ScanIntReadsTheLeadingIntegerLikeScanf) {
    EXPECT_EQ(ScanInt("4"), 4);
    EXPECT_EQ(ScanInt(" -2"), -2);
    EXPECT_EQ(ScanInt("+5x"), 5);
    EXPECT_EQ(ScanInt("12.7"), 12);
    EXPECT_EQ(ScanInt("2147483647"), INT32_MAX);
    EXPECT_EQ(ScanInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(ScanInt("2147483648"), std::nullopt);
    EXPECT_EQ(ScanInt("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ScanInt(""), std::nullopt);
    EXPECT_EQ(ScanInt("x1"), std::nullopt);
    EXPECT_EQ(ScanInt("- 1"), std::nullopt);
}

TEST(NumberText, FormatFixed4WritesFourDecimals) {
    EXPECT_EQ(FormatFixed4(12.5f), "12.5000");
    EXPECT_EQ(FormatFixed4(50.0f), "50.0000");
    EXPECT_EQ(FormatFixed4(0.0f), "0.0000");
    EXPECT_EQ(FormatFixed4(-1.25f), "-1.2500");
    EXPECT_EQ(FormatFixed4(0.00005f), "0.0000");
    EXPECT_EQ(FormatFixed4(3.4e38f).size(), 44u);  // the largest floats still fit
}

TEST(NumberText, DecimalPointDoesNotFollowTheProcessLocale) {
    // Qt sets the locale from the environment; a comma locale must not change stored texts.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma locale installed";
    EXPECT_EQ(ScanFloat("12.5"), 12.5f);
    EXPECT_EQ(FormatFixed4(12.5f), "12.5000");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
