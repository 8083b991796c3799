// File names compare as the system compares them: the program's rule of letter case and the
// system's fold it installs, each against the system's own comparison for every code unit of
// the Basic Multilingual Plane, and names in several alphabets against the file system itself.
#include "core/NameCase.h"
#include "Win32TestSupport.h"
#include "core/Marker.h"
#include "platform/Text.h"
#include "platform/Win32FileSystem.h"
#include "tests/native/NamePairs.h"

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
    const SystemFold fold;
    for (const NamePair& pair : NAME_PAIRS) {
        if (pair.wineDiffers && UnderWine()) {
            continue; // the program follows Windows there, Wine's file system does not
        }
        const std::string created = "BGruppen_" + std::string(pair.first) + ".dat";
        const std::string asked = "BGruppen_" + std::string(pair.second) + ".dat";
        data.Write(created, ";" + created + "\r\n");
        EXPECT_EQ(files.FileExists(data / asked), pair.same) << asked << " in the file system";
        EXPECT_EQ(LowerName(created) == LowerName(asked), pair.same) << asked << " by the system";
        ASSERT_TRUE(DeleteFileW(Widen(data / created).c_str()));
    }
}
