// The texts the player reads: both languages hold every text with the same placeholders, the
// placeholders are filled in once, the command line chooses a language, and the window's
// comparisons hold in German as in English.
#include "Fakes.h"
#include "RcTexts.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace varnholt;
using namespace varnholt::test;

namespace {

std::multiset<std::string> Placeholders(const std::string& text) {
    std::multiset<std::string> found;
    const std::regex placeholder("%[1-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

} // namespace

TEST(Texts, EveryTextIsInBothLanguagesWithTheSamePlaceholders) {
    const RcTable& english = EnglishTable();
    const RcTable& german = GermanTable();
    EXPECT_TRUE(english.problems.empty()) << english.problems.front();
    EXPECT_TRUE(german.problems.empty()) << german.problems.front();
    for (const auto& [name, id] : TextIds()) {
        SCOPED_TRACE(name);
        std::string en, de;
        ASSERT_TRUE(english.Lookup(id, en)) << "missing in English";
        ASSERT_TRUE(german.Lookup(id, de)) << "missing in German";
        EXPECT_FALSE(en.empty());
        EXPECT_FALSE(de.empty());
        EXPECT_EQ(Placeholders(en), Placeholders(de)) << en << "\n" << de;
        // The texts that name a data file keep its name.
        for (const char* file :
             {"BGruppen.dat", "BGruppen_Original.dat", "K\xC3\xB6nigs-Edition"}) {
            if (en.find(file) != std::string::npos) {
                EXPECT_NE(de.find(file), std::string::npos) << file;
            }
        }
    }
    std::set<int> numbers;
    for (const auto& named : TextIds()) {
        numbers.insert(named.second);
    }
    EXPECT_EQ(english.texts.size(), numbers.size());
    EXPECT_EQ(german.texts.size(), numbers.size());
    // A text that no table holds shows as its number, never as an empty caption.
    EXPECT_EQ(Text(99999), "#99999");
}

TEST(Texts, PlaceholdersAreFilledInOnePass) {
    EXPECT_EQ(FormatText("'%1' is copied as %2...", {"C:\\A\\b.dat", "x"}),
              "'C:\\A\\b.dat' is copied as x...");
    EXPECT_EQ(FormatText("%2 before %1", {"one", "two"}), "two before one");
    // What an argument holds is not replaced again; a missing argument stays as written.
    EXPECT_EQ(FormatText("%1 and %2", {"C:\\100%2\\", "y"}), "C:\\100%2\\ and y");
    EXPECT_EQ(FormatText("%1 %3", {"a"}), "a %3");
    EXPECT_EQ(FormatText("100%% sure, 50%", {}), "100% sure, 50%");
}

// In German, the window identifies the current file, labels Activate and disables it on the
// current variant with the German texts, and colours the verdict as in English.
TEST(Texts, ComparisonsHoldInGerman) {
    InLanguage german(GermanTable());
    Harness h;
    TempFolder data;
    h.Installed(data, "2.01");
    std::string original, addon, fits, notFits;
    GermanTable().Lookup(IDS_CATALOGUE_ORIGINAL, original);
    GermanTable().Lookup(IDS_CATALOGUE_ADDON, addon);
    GermanTable().Lookup(IDS_HINT_FITS, fits);
    GermanTable().Lookup(IDS_HINT_DOES_NOT_FIT, notFits);

    data.Write("BGruppen.dat", ";\r\n");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.items[0], original);
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "Die originale BGruppen.dat");
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), fits);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(255, 255, 0));
    h.ui.index = 0; // the original's entry: already current
    h.logic.lstDATs_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), original + " aktivieren");
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));

    data.Write("BGruppen.dat", ";Classic\r\n");
    data.Write("BGruppen_Mod.dat", "");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), notFits);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(0, 255, 255));
    EXPECT_EQ(h.ui.ListText(h.ui.index), addon); // the installed edition's variant
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
    EXPECT_EQ(h.ui.items.back(), "BGruppen_Mod.dat (Keine Beschreibung)");
    h.ui.index = 1; // the Classic variant: current
    h.logic.lstDATs_Click();
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));

    data.Write("BGruppen.dat", ";Something else\r\n");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "Eine andere BGruppen.dat-Datei");
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(0, 255, 255));

    // A message with placeholders, in German.
    h.logic.lstDATs_DblClick();
    EXPECT_EQ(h.ui.messages.back().text.rfind("Speicherort von \xE2\x80\x9E", 0), 0u);
}
