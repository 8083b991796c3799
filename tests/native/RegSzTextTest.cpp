// The registry reader's step from a REG_SZ query's units to the text: only a closing NUL is
// dropped. Under Wine the query appends a NUL of its own, so this is where the rule is tested.
#include "core/RegSzText.h"

#include <gtest/gtest.h>

using namespace varnholt;

TEST(RegSzText, DropsTheClosingNulAndNothingElse) {
    const std::wstring stored(L"C:\\\u0418\u0433\u0440\u044b\\ANNO 1503\0", 18);
    std::wstring text = L"untouched";
    EXPECT_TRUE(RegSzText(stored.data(), stored.size(), text));
    EXPECT_EQ(text, L"C:\\\u0418\u0433\u0440\u044b\\ANNO 1503");

    // Stored without its NUL: the last character stays.
    EXPECT_TRUE(RegSzText(stored.data(), stored.size() - 1, text));
    EXPECT_EQ(text, L"C:\\\u0418\u0433\u0440\u044b\\ANNO 1503");

    // Only the NUL: an empty text. Two NULs: one is kept, as the query delivered it.
    EXPECT_TRUE(RegSzText(L"\0", 1, text));
    EXPECT_EQ(text, L"");
    EXPECT_TRUE(RegSzText(L"AB\0\0", 4, text));
    EXPECT_EQ(text, std::wstring(L"AB\0", 3));
}

TEST(RegSzText, SizeZeroIsTheFaultAndLeavesTheTextAlone) {
    std::wstring text = L"untouched";
    EXPECT_FALSE(RegSzText(L"x", 0, text));
    EXPECT_EQ(text, L"untouched");
}
