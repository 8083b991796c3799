#include "core/Handover.h"
#include "core/TextIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnholt;
using namespace std::string_literals;

namespace {

using Paths = std::vector<std::u16string>;

// The block as raw UTF-16 code units, for blocks no encoder would make.
std::string Block(const std::u16string& units) {
    std::string bytes;
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

TEST(Handover, TakesWellFormedBlocksWholeAndRefusesEveryOtherWhole) {
    const std::u16string longest = u"C:\\" + std::u16string(HANDOVER_MAX_PATH - 3, u'x');
    const Paths most(HANDOVER_MAX_FILES, u"E:\\Mods\\BGruppen_\u00c4.dat");
    Paths tooMany = most;
    tooMany.push_back(u"E:\\one more");
    struct Case {
        const char* what;
        std::string block;
        Paths expected; // empty: refused
    };
    const Case cases[] = {
        {"one path", Block(u"C:\\Downloads\\BGruppen.dat\0"s), {u"C:\\Downloads\\BGruppen.dat"}},
        {"a share and beyond Latin-1",
         Block(u"\\\\nas\\mods\\BGruppen_\u0218.dat\0d:/x\0"s),
         {u"\\\\nas\\mods\\BGruppen_\u0218.dat", u"d:/x"}},
        {"the longest path", Block(longest + u'\0'), {longest}},
        {"the most files", EncodeHandedFiles(most), most},
        {"one file more", EncodeHandedFiles(tooMany), {}},
        {"a path too long", Block(longest + u"y" + u'\0'), {}},
        {"a relative path", Block(u"C:\\a\0BGruppen.dat\0"s), {}},
        {"a drive without a folder", Block(u"C:x\0"s), {}},
        {"an empty path", Block(u"C:\\a\0\0"s), {}},
        {"no end", Block(u"C:\\a"), {}},
        {"an odd size", Block(u"C:\\a\0"s) + "x", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        Paths files = {u"left from before"};
        EXPECT_EQ(DecodeHandedFiles(c.block.data(), c.block.size(), files), !c.expected.empty())
            << c.what;
        EXPECT_EQ(files, c.expected) << c.what;
    }
    Paths files;
    EXPECT_FALSE(DecodeHandedFiles(nullptr, 4, files));
}

TEST(Handover, TheMessageNamesTheFilesNotAddedTheFirstTenAndWhy) {
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        files.push_back("C:\\Mods\\" + std::to_string(i) + ".dat");
    }
    const std::string text = NotAddedText(files, IDS_HANDOVER_NO_ANSWER);
    EXPECT_EQ(text.find("These files were not added:\r\n\r\nC:\\Mods\\1.dat\r\n"), 0u) << text;
    EXPECT_NE(text.find("C:\\Mods\\10.dat\r\nand 2 more\r\n\r\nThe running Varnholt did not "
                        "answer."),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("11.dat"), std::string::npos) << text;
}
