// File names compare as Windows compares them: the program's rule against the tests' own rule
// of letter case for every code unit, names in the alphabets players use, and the places that
// ask whether a name is taken.
#include "core/NameCase.h"
#include "Fakes.h"
#include "NamePairs.h"
#include "OtherCase.h"
#include "core/CommandLine.h"
#include "core/Marker.h"
#include "core/Texts.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace varnholt;
using namespace varnholt::test;

TEST(NameCase, EveryCodeUnitUpperCasesAsTheTestsOwnRule) {
    std::string disagreements;
    int count = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const char16_t program = UpperCaseUnit(static_cast<char16_t>(c));
        if (program != UpperOf(c) && ++count <= 20) {
            char line[64];
            std::snprintf(line, sizeof line, " U+%04X: %04X, not %04X;", unsigned(c),
                          unsigned(program), unsigned(UpperOf(c)));
            disagreements += line;
        }
    }
    EXPECT_EQ(count, 0) << disagreements;
}

TEST(NameCase, NamesInAnyAlphabetAreTheSameAsWindowsHasThem) {
    for (const NamePair& pair : NAME_PAIRS) {
        EXPECT_EQ(LowerName(pair.first) == LowerName(pair.second), pair.same)
            << pair.first << " and " << pair.second;
    }
    EXPECT_NE(LowerName("\xC3"), LowerName("\xE3")); // bytes that are no UTF-8, as they are
    // The callers compare an ASCII name's form with their lower-case words.
    EXPECT_EQ(LowerName("BGruppen_KZA.DAT"), "bgruppen_kza.dat");
}

TEST(NameCase, TheSystemsFoldDecidesWhereItIsInstalled) {
    // A fold that makes every letter beyond ASCII the same, and one that fails.
    UseUpperCaseFold([](char16_t* units, std::size_t count) {
        std::fill(units, units + count, u'X');
        return true;
    });
    const bool allSame = LowerName("\xC3\x9F") == LowerName("\xE1\xBA\x9E");
    UseUpperCaseFold([](char16_t*, std::size_t) { return false; });
    const bool fallback = LowerName("\xC8\x98") == LowerName("\xC8\x99") &&
                          LowerName("\xC3\x9F") != LowerName("\xE1\xBA\x9E");
    UseUpperCaseFold(nullptr);
    EXPECT_TRUE(allSame);
    EXPECT_TRUE(fallback);
}

TEST(NameCase, ActivateFindsWhatWindowsCallsTheSame) {
    const std::vector<std::string> files = {
        "BGruppen.dat", "BGruppen_KZA.dat", "BGruppen_\xC8\x98tefan.dat",
        "BGruppen_\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x82.dat"};
    EXPECT_EQ(ResolveVariantName(InLowerCase(files[2]), files), 2);
    EXPECT_EQ(ResolveVariantName(InUpperCase("BGruppen_\xC8\x98tefan"), files), 2);
    EXPECT_EQ(ResolveVariantName("bgruppen_\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x83", files), 3);
}

TEST_F(FolderTest, TheNameDialogCallsANameTakenInAnyLetterCase) {
    h.Installed(data, "2.01");
    data.Write("BGruppen.dat", ";AddOn\r\n");
    data.Write("BGruppen_\xC8\x98tefan.dat", ";Stefan\r\n");
    data.Write("BGruppen_\xE1\x83\xA5\xE1\x83\x90.dat", ";Georgian\r\n");
    ASSERT_TRUE(h.logic.Form_Load());
    TempFolder downloads;
    downloads.Write("mod.dat", ";Mod\r\n");
    h.ui.typedNames = {"\xC8\x99TEFAN", InUpperCase("\xE1\x83\xA5\xE1\x83\x90"), "Mod"};
    EXPECT_EQ(h.logic.AddVariant(downloads.shown() + "mod.dat", AddOptions()), AddResult::Added);
    ASSERT_EQ(h.ui.nameProblems.size(), 3u);
    EXPECT_EQ(h.ui.nameProblems[0], Text(IDS_NAME_TAKEN, {"BGruppen_\xC8\x99TEFAN.dat"}));
    EXPECT_EQ(h.ui.nameProblems[1],
              Text(IDS_NAME_TAKEN, {VariantFileOf(InUpperCase("\xE1\x83\xA5\xE1\x83\x90"))}));
    EXPECT_EQ(data.Read("BGruppen_Mod.dat"), ";Mod\r\n");
}
