// File names compare as the system compares them: the program's rule of letter case and the
// system's fold it installs, each against the system's own comparison for every code unit of
// the Basic Multilingual Plane, and names in several alphabets against the file system itself.
#include "core/NameCase.h"
#include "Win32TestSupport.h"
#include "core/CommandLine.h"
#include "core/Marker.h"
#include "platform/Text.h"
#include "platform/Win32FileSystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <set>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// Where Windows and Wine differ, the program's rule follows Windows: Wine keeps the final sigma
// apart from Σ.
const std::set<unsigned> WINE_DIFFERS = {0x03C2};

int Compare(wchar_t first, wchar_t second) {
    return CompareStringOrdinal(&first, 1, &second, 1, TRUE);
}

std::string Hex(unsigned unit) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unit);
    return text;
}

// The code units for which `upper` and the system's comparison disagree. The system must call
// every unit the same as its upper case by `upper`; and the upper cases, compared in order, must
// come out strictly ascending, so that no two of them are the same to the system either.
std::map<unsigned, std::string> Disagreements(const std::function<char16_t(char16_t)>& upper) {
    std::map<unsigned, std::string> found;
    std::set<unsigned> capitals;
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const unsigned capital = upper(static_cast<char16_t>(unit));
        capitals.insert(capital);
        if (Compare(static_cast<wchar_t>(unit), static_cast<wchar_t>(capital)) != CSTR_EQUAL) {
            found[unit] = Hex(unit) + " is not the same as " + Hex(capital) + " to the system";
        }
    }
    for (auto it = capitals.begin(); std::next(it) != capitals.end(); ++it) {
        const unsigned next = *std::next(it);
        if (Compare(static_cast<wchar_t>(*it), static_cast<wchar_t>(next)) != CSTR_LESS_THAN) {
            found[next] = Hex(*it) + " and " + Hex(next) + " are the same to the system";
        }
    }
    return found;
}

// The system's fold installed for LowerName while it lives.
struct SystemFold {
    SystemFold() { UseUpperCaseFold(SystemUpperCase); }
    ~SystemFold() { UseUpperCaseFold(nullptr); }
    SystemFold(const SystemFold&) = delete;
    SystemFold& operator=(const SystemFold&) = delete;
};

} // namespace

TEST(NameCase, TheProgramsRuleAgreesWithTheSystemsComparison) {
    int unexpected = 0;
    for (const auto& [unit, why] : Disagreements(UpperCaseUnit)) {
        const bool known = WINE_DIFFERS.count(unit) != 0 && UnderWine();
        std::printf("%s%s\n", why.c_str(),
                    known ? " (Wine keeps it apart; Windows upper-cases it)" : "");
        unexpected += known ? 0 : 1;
    }
    EXPECT_EQ(unexpected, 0);
}

TEST(NameCase, TheSystemsFoldAgreesWithItsComparison) {
    const auto fold = [](char16_t unit) {
        return SystemUpperCase(&unit, 1) ? unit : char16_t(0xFFFF);
    };
    for (const auto& [unit, why] : Disagreements(fold)) {
        ADD_FAILURE() << why;
    }
    // A whole name at once, as LowerName hands it over.
    std::u16string name = u"\u0219tefan \u1F80 \u10D0 \uAB70 \uFF41";
    ASSERT_TRUE(SystemUpperCase(&name[0], name.size()));
    EXPECT_TRUE(name == u"\u0218TEFAN \u1F88 \u1C90 \u13A0 \uFF21");
}

TEST(NameCase, TheFileSystemFindsANameInAnotherCaseExactlyWhereTheProgramDoes) {
    TempFolder data;
    ASSERT_TRUE(data.created());
    Win32FileSystem files;
    struct Pair {
        const char* created;
        const char* asked;
        bool same;
    };
    // The final sigma is left out: the program follows Windows there, Wine does not.
    const Pair pairs[] = {
        {"\xC8\x98tefan", "\xC8\x99TEFAN", true},                         // Romanian Ș ș
        {"\xC8\x9A\xC4\x83r\xC4\x83", "\xC8\x9B\xC4\x82R\xC4\x82", true}, // Țără ȚĂRĂ
        {"\xC4\x90\xC6\xB0\xE1\xBB\x9Dng", "\xC4\x91\xC6\xAF\xE1\xBB\x9CNG", true}, // Đường
        {"\xE1\xBC\x80\xCF\x81\xCF\x87\xCE\xAE", "\xE1\xBC\x88\xCE\xA1\xCE\xA7\xCE\x89", true},
        {"\xE1\xBE\x80", "\xE1\xBE\x88", true},                         // ᾀ ᾈ
        {"\xE1\x83\xA5\xE1\x83\x90", "\xE1\xB2\xA5\xE1\xB2\x90", true}, // Georgian
        {"\xEA\xAD\xB0\xEA\xAD\xB1", "\xE1\x8E\xA0\xE1\x8E\xA1", true}, // Cherokee
        {"\xEF\xBD\x96\xEF\xBD\x81\xEF\xBD\x92", "\xEF\xBC\xB6\xEF\xBC\xA1\xEF\xBC\xB2", true},
        {"\xD0\xB3\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB4", "\xD0\x93\xD0\x9E\xD0\xA0\xD0\x9E\xD0\x94",
         true},                                          // город ГОРОД
        {"\xC3\x9F", "\xE1\xBA\x9E", false},             // ß ẞ
        {"\xC4\xB1", "I", false},                        // ı I
        {"\xC7\x85", "\xC7\x86", false},                 // ǅ ǆ
        {"\xF0\x90\x90\xA8", "\xF0\x90\x90\x80", false}, // Deseret
    };
    for (const Pair& pair : pairs) {
        const std::string created = "BGruppen_" + std::string(pair.created) + ".dat";
        const std::string asked = "BGruppen_" + std::string(pair.asked) + ".dat";
        data.Write(created, ";" + created + "\r\n");
        std::vector<std::string> listed;
        ASSERT_TRUE(files.ListFiles(data.path(), "BGruppen*.dat", listed));
        EXPECT_EQ(files.FileExists(data / asked), pair.same) << asked << " in the file system";
        EXPECT_EQ(LowerName(created) == LowerName(asked), pair.same) << asked << " by the rule";
        EXPECT_EQ(ResolveVariantName(asked, listed) >= 0, pair.same) << asked;
        {
            const SystemFold fold;
            EXPECT_EQ(LowerName(created) == LowerName(asked), pair.same)
                << asked << " by the system";
        }
        ASSERT_TRUE(DeleteFileW(Widen(data / created).c_str()));
    }
}
