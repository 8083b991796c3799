// File names compare as Windows compares them: the program's rule against the tests' own rule
// of letter case for every code unit, names in the alphabets players use, and the places that
// ask whether a name is taken.
#include "core/NameCase.h"
#include "Fakes.h"
#include "OtherCase.h"
#include "core/CommandLine.h"
#include "core/DesktopShortcut.h"
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
    struct Pair {
        const char* first;
        const char* second;
        bool same;
    };
    const Pair pairs[] = {
        {"BGruppen_\xC8\x98tefan.dat", "bgruppen_\xC8\x99TEFAN.DAT", true}, // Romanian Ș ș
        {"\xC8\x9A\xC4\x83r\xC4\x83", "\xC8\x9B\xC4\x82R\xC4\x82", true},   // Țără ȚĂRĂ
        {"\xC4\x90\xC6\xB0\xE1\xBB\x9Dng", "\xC4\x91\xC6\xAF\xE1\xBB\x9CNG", true}, // Đường
        {"\xE1\xBC\x80\xCF\x81\xCF\x87\xCE\xAE", "\xE1\xBC\x88\xCE\xA1\xCE\xA7\xCE\x89", true},
        {"\xE1\xBE\x80", "\xE1\xBE\x88", true}, // ᾀ ᾈ
        {"\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x82", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8C\xCE\xA3",
         true},
        {"\xCF\x83", "\xCF\x82", true},                                 // σ ς
        {"\xE1\x83\xA5\xE1\x83\x90", "\xE1\xB2\xA5\xE1\xB2\x90", true}, // Georgian ქა ᲥᲐ
        {"\xEA\xAD\xB0\xEA\xAD\xB1", "\xE1\x8E\xA0\xE1\x8E\xA1", true}, // Cherokee ꭰꭱ ᎠᎡ
        {"\xEF\xBD\x96\xEF\xBD\x81\xEF\xBD\x92", "\xEF\xBC\xB6\xEF\xBC\xA1\xEF\xBC\xB2", true},
        {"\xD0\xB3\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB4", "\xD0\x93\xD0\x9E\xD0\xA0\xD0\x9E\xD0\x94",
         true},                                          // город ГОРОД
        {"\xD5\xA5\xD6\x80", "\xD4\xB5\xD5\x90", true},  // Armenian եր ԵՐ
        {"\xC3\x9F", "\xE1\xBA\x9E", false},             // ß ẞ
        {"\xC4\xB1", "I", false},                        // ı I
        {"i", "\xC4\xB0", false},                        // i İ
        {"K", "\xE2\x84\xAA", false},                    // the Kelvin sign
        {"\xEF\xAC\x80", "FF", false},                   // the ligature ﬀ
        {"\xF0\x90\x90\xA8", "\xF0\x90\x90\x80", false}, // Deseret, beyond the BMP
        {"\xC3\xA9", "\xC3\x89", true},                  // é É
        {"\xC3", "\xE3", false},                         // bytes that are no UTF-8
    };
    for (const Pair& pair : pairs) {
        EXPECT_EQ(LowerName(pair.first) == LowerName(pair.second), pair.same)
            << pair.first << " and " << pair.second;
    }
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

TEST(NameCase, ActivateFindsAndTheShortcutReplacesWhatWindowsCallsTheSame) {
    const std::vector<std::string> files = {
        "BGruppen.dat",
        "BGruppen_Classic.dat",
        "BGruppen_AddOn.dat",
        "BGruppen_KE.dat",
        "BGruppen_KZA.dat",
        "BGruppen_\xC8\x98tefan.dat",
        "BGruppen_\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x82.dat"};
    EXPECT_EQ(ResolveVariantName(InLowerCase(files[5]), files), 5);
    EXPECT_EQ(ResolveVariantName(InUpperCase("BGruppen_\xC8\x98tefan"), files), 5);
    EXPECT_EQ(ResolveVariantName("bgruppen_\xCF\x83\xCE\xBF\xCF\x86\xCF\x8C\xCF\x83", files), 6);

    FakeControls ui;
    FakeShortcutShell shell;
    const std::string exe = "C:\\Jocuri\\\xC8\x98\xC4\x82\\varnholt.exe"; // C:\Jocuri\ȘĂ
    const std::string title = shell.desktop + "\\ANNO 1503 - KE.lnk";
    shell.links[title] = ShortcutLink{InLowerCase(exe), "/activate KE /start", "", "", 0};
    EXPECT_EQ(CreateDesktopShortcut(ui, shell, exe, "C:\\Games\\ANNO 1503\\", "BGruppen_KE.dat"),
              title);
    EXPECT_EQ(shell.links.size(), 1u);
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
