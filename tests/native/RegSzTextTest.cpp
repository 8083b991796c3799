// The registry reader's step from a REG_SZ query's bytes to the text: only a closing NUL is
// dropped. Under Wine the query appends a NUL of its own, so this is where the rule is tested.
#include "core/RegSzText.h"

#include <gtest/gtest.h>

using namespace varnholt;

TEST(RegSzText, DropsTheClosingNulAndNothingElse) {
    const std::string stored("C:\\Games\\ANNO 1503\0", 19);
    std::string text = "untouched";
    EXPECT_TRUE(RegSzText(stored.data(), stored.size(), text));
    EXPECT_EQ(text, "C:\\Games\\ANNO 1503");

    // Stored without its NUL: the last character stays.
    EXPECT_TRUE(RegSzText(stored.data(), stored.size() - 1, text));
    EXPECT_EQ(text, "C:\\Games\\ANNO 1503");

    // Only the NUL: an empty text. Two NULs: one is kept, as the query delivered it.
    EXPECT_TRUE(RegSzText("\0", 1, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(RegSzText("AB\0\0", 4, text));
    EXPECT_EQ(text, std::string("AB\0", 3));
}

TEST(RegSzText, SizeZeroIsTheFaultAndLeavesTheTextAlone) {
    std::string text = "untouched";
    EXPECT_FALSE(RegSzText("x", 0, text));
    EXPECT_EQ(text, "untouched");
}
