#include "core/VersionMode.h"

#include <gtest/gtest.h>

#include <cfenv>

#include <string>
#include <utility>
#include <vector>

using varnholt::VersionToMode;

TEST(VersionToMode, ReadsTheLeadingNumberAndRoundsItToTheMode) {
    const std::vector<std::pair<std::string, int>> cases = {
        // The game's versions give their edition.
        {"1.04", 1},
        {"2.01.03", 2},
        {"3", 3},
        {"v3", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"1.6", 2},
        // Exact halves go to the even neighbour.
        {"0.5", 0},
        {"1.5", 2},
        {"-1.5", -2},
        {"2.500001", 3},
        // Blanks, tabs and line feeds are ignored anywhere.
        {" 2 .\t0 1\n", 2},
        {"1 0", 10},
        // Sign and exponent belong to the number.
        {"+3", 3},
        {"-2", -2},
        {"2e1", 20},
        {"2e", 2},
        {".7", 1},
        // Texts without a leading number give zero.
        {"", 0},
        {"AddOn 2", 0},
        {".", 0},
        {"-", 0},
        {"\xC3\xA4"
         "2",
         0},
        // Results outside sixteen bits give zero.
        {"32767", 32767},
        {"32767.4", 32767},
        {"32767.5", 0},
        {"-32768", -32768},
        {"-32769", 0},
        {"1e400", 0},
        {std::string(5000, '9'), 0},
    };
    for (const auto& [text, mode] : cases) {
        EXPECT_EQ(VersionToMode(text), mode) << "for \"" << text << "\"";
    }
}

// Found by fuzzing: the number was read as the nearest double first, so a fraction just above a
// half became the half itself and went to the even neighbour, and how it was read followed the
// caller's rounding mode.
TEST(VersionToMode, RoundsTheDecimalTextExactlyUnderEveryRoundingMode) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"2.50000000000000000001", 3},
        {"0.50000000000000001", 1},
        {"32767.49999999999999999", 32767},
        {"-32768.5", -32768},
        {"0.0000000000000000000000000000000000000000000000000000025e54", 2},
        {"250000000000000000001e-20", 3},
        {"1e-400", 0},
        {"0e999999999999", 0},
    };
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        for (const auto& [text, expected] : cases) {
            EXPECT_EQ(VersionToMode(text), expected) << "for \"" << text << "\", mode " << mode;
        }
        EXPECT_EQ(std::fegetround(), mode);
    }
    std::fesetround(FE_TONEAREST);
}
