#include "core/modBasis.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace varnholt;

namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

// Each case's input gives its expected output; a failure names the input.
template <typename Function> void ExpectEach(Function function, const Cases& cases) {
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(function(input), expected) << "for \"" << input << "\"";
    }
}

} // namespace

TEST(AddBackslash, CompletesAFolderOnceAndLeavesEmptyAndBlankTextAlone) {
    ExpectEach(AddBackslash, {
                                 {"C:\\Games", "C:\\Games\\"},
                                 {"C:\\Games\\", "C:\\Games\\"},
                                 {"C:\\", "C:\\"},
                                 {"", ""},
                                 {"   ", "   "},
                                 // A trailing blank is part of the name.
                                 {"C:\\Games ", "C:\\Games \\"},
                                 {" C:\\Games\\", " C:\\Games\\"},
                             });
}

TEST(StripBackslash, RemovesExactlyOne) {
    ExpectEach(StripBackslash, {
                                   {"C:\\Games\\", "C:\\Games"},
                                   {"C:\\", "C:"},
                                   {"C:\\Games\\\\", "C:\\Games\\"},
                                   {"C:\\Games", "C:\\Games"},
                                   {"", ""},
                               });
}

TEST(ExtractDir, KeepsTheFolderWithItsBackslash) {
    ExpectEach(ExtractDir, {
                               {"C:\\Games\\1503startup.exe", "C:\\Games\\"},
                               {"C:\\Games\\ANNO 1503\\", "C:\\Games\\ANNO 1503\\"},
                               {"1503startup.exe", ""},
                               {"\\1503startup.exe", ""},
                               {"\\\\server\\share", "\\\\server\\"},
                               {"", ""},
                           });
}

TEST(ExtractDir, HandlesPathsBeyondSixteenBitPositions) {
    const std::string longFolder = "C:\\" + std::string(40000, 'a') + "\\";
    EXPECT_EQ(ExtractDir(longFolder + "x.exe"), longFolder);
}
