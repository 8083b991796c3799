#include "core/modBasis.h"

#include <gtest/gtest.h>

using namespace varnholt;

TEST(AddBackslash, CompletesAFolderOnce) {
    EXPECT_EQ(AddBackslash("C:\\Games"), "C:\\Games\\");
    EXPECT_EQ(AddBackslash("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
}

TEST(AddBackslash, LeavesEmptyAndBlankTextAlone) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("   "), "   ");
}

TEST(AddBackslash, AppendsAfterATrailingBlank) {
    EXPECT_EQ(AddBackslash("C:\\Games "), "C:\\Games \\");
    EXPECT_EQ(AddBackslash(" C:\\Games\\"), " C:\\Games\\");
}

TEST(StripBackslash, RemovesExactlyOne) {
    EXPECT_EQ(StripBackslash("C:\\Games\\"), "C:\\Games");
    EXPECT_EQ(StripBackslash("C:\\"), "C:");
    EXPECT_EQ(StripBackslash("C:\\Games\\\\"), "C:\\Games\\");
    EXPECT_EQ(StripBackslash("C:\\Games"), "C:\\Games");
    EXPECT_EQ(StripBackslash(""), "");
}

TEST(ExtractDir, KeepsTheFolderWithItsBackslash) {
    EXPECT_EQ(ExtractDir("C:\\Games\\1503startup.exe"), "C:\\Games\\");
    EXPECT_EQ(ExtractDir("C:\\Games\\ANNO 1503\\"), "C:\\Games\\ANNO 1503\\");
    EXPECT_EQ(ExtractDir("1503startup.exe"), "");
    EXPECT_EQ(ExtractDir("\\1503startup.exe"), "");
    EXPECT_EQ(ExtractDir("\\\\server\\share"), "\\\\server\\");
    EXPECT_EQ(ExtractDir(""), "");
}

TEST(ExtractDir, HandlesPathsBeyondSixteenBitPositions) {
    const std::string longFolder = "C:\\" + std::string(40000, 'a') + "\\";
    EXPECT_EQ(ExtractDir(longFolder + "x.exe"), longFolder);
}
