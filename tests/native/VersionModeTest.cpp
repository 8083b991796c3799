#include "core/VersionMode.h"

#include <gtest/gtest.h>

using varnholt::VersionToMode;

TEST(VersionToMode, TheGameVersionsGiveTheirEdition) {
    EXPECT_EQ(VersionToMode("1.04"), 1);
    EXPECT_EQ(VersionToMode("2.01.03"), 2);
    EXPECT_EQ(VersionToMode("3"), 3);
    EXPECT_EQ(VersionToMode("v3"), 0);
    EXPECT_EQ(VersionToMode("2.5"), 2);
    EXPECT_EQ(VersionToMode("3.5"), 4);
    EXPECT_EQ(VersionToMode("1.6"), 2);
}

TEST(VersionToMode, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(VersionToMode("0.5"), 0);
    EXPECT_EQ(VersionToMode("1.5"), 2);
    EXPECT_EQ(VersionToMode("-1.5"), -2);
    EXPECT_EQ(VersionToMode("2.500001"), 3);
}

TEST(VersionToMode, BlanksTabsAndLineFeedsAreIgnoredAnywhere) {
    EXPECT_EQ(VersionToMode(" 2 .\t0 1\n"), 2);
    EXPECT_EQ(VersionToMode("1 0"), 10);
}

TEST(VersionToMode, SignAndExponentBelongToTheNumber) {
    EXPECT_EQ(VersionToMode("+3"), 3);
    EXPECT_EQ(VersionToMode("-2"), -2);
    EXPECT_EQ(VersionToMode("2e1"), 20);
    EXPECT_EQ(VersionToMode("2e"), 2);
    EXPECT_EQ(VersionToMode(".7"), 1);
}

TEST(VersionToMode, TextsWithoutALeadingNumberGiveZero) {
    EXPECT_EQ(VersionToMode(""), 0);
    EXPECT_EQ(VersionToMode("AddOn 2"), 0);
    EXPECT_EQ(VersionToMode("."), 0);
    EXPECT_EQ(VersionToMode("-"), 0);
    EXPECT_EQ(VersionToMode("\xC3\xA4"
                            "2"),
              0);
}

TEST(VersionToMode, ResultsOutsideSixteenBitsGiveZero) {
    EXPECT_EQ(VersionToMode("32767"), 32767);
    EXPECT_EQ(VersionToMode("32767.4"), 32767);
    EXPECT_EQ(VersionToMode("32767.5"), 0);
    EXPECT_EQ(VersionToMode("-32768"), -32768);
    EXPECT_EQ(VersionToMode("-32769"), 0);
    EXPECT_EQ(VersionToMode("1e400"), 0);
    EXPECT_EQ(VersionToMode(std::string(5000, '9')), 0);
}
