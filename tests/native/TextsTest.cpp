// The texts the player reads: both languages hold every text with the same placeholders, the
// placeholders are filled in once, the command line chooses a language, the window's
// comparisons hold in German as in English, and the German guide quotes the German window.
#include "Fakes.h"
#include "RcTexts.h"
#include "core/DescribeFailure.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

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
        // The texts that name a data file keep its name; where the English calls the list's
        // entries "BGruppen.dat files", the German calls them what they are, "Varianten".
        for (const char* file :
             {"BGruppen.dat", "BGruppen_Original.dat", "K\xC3\xB6nigs-Edition"}) {
            if (en.find(file) != std::string::npos) {
                const bool variants =
                    std::string(file) == "BGruppen.dat" && de.find("Variante") != std::string::npos;
                EXPECT_TRUE(variants || de.find(file) != std::string::npos) << file;
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
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "Original-BGruppen.dat");
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), fits);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(255, 255, 0));
    h.ui.index = 0; // the original's entry: already current
    h.logic.lstDATs_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate),
              "\xE2\x80\x9E" + original + "\xE2\x80\x9C aktivieren");
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
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "Eine andere BGruppen.dat");
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(0, 255, 255));

    // A message with placeholders, in German.
    h.logic.lstDATs_DblClick();
    EXPECT_EQ(h.ui.messages.back().text.rfind("Speicherort von \xE2\x80\x9E", 0), 0u);
}

// Activate is disabled on the entries that contain the identification of the current file: the
// original's identification lies in the original's entry alone, each variant's in its own, and
// that of an unknown or missing file in none, not even in a further file without description.
TEST(Texts, EachIdentificationLiesInItsOwnEntryAlone) {
    const int entries[] = {IDS_CATALOGUE_ORIGINAL, IDS_CATALOGUE_CLASSIC, IDS_CATALOGUE_ADDON,
                           IDS_CATALOGUE_KE,       IDS_CATALOGUE_KZA,     IDS_NO_DESCRIPTION};
    const std::pair<int, int> identifications[] = {{IDS_IDENT_ORIGINAL, IDS_CATALOGUE_ORIGINAL},
                                                   {IDS_CATALOGUE_CLASSIC, IDS_CATALOGUE_CLASSIC},
                                                   {IDS_CATALOGUE_ADDON, IDS_CATALOGUE_ADDON},
                                                   {IDS_CATALOGUE_KE, IDS_CATALOGUE_KE},
                                                   {IDS_CATALOGUE_KZA, IDS_CATALOGUE_KZA},
                                                   {IDS_IDENT_OTHER, 0},
                                                   {IDS_IDENT_MISSING, 0}};
    for (const RcTable* table : {&EnglishTable(), &GermanTable()}) {
        for (const auto& [identification, own] : identifications) {
            std::string shown;
            ASSERT_TRUE(table->Lookup(identification, shown));
            for (int entry : entries) {
                std::string text;
                ASSERT_TRUE(table->Lookup(entry, text));
                EXPECT_EQ(text.find(shown) != std::string::npos, entry == own)
                    << "\"" << shown << "\" in \"" << text << "\"";
            }
        }
    }
}

// Windows' German text for a denied access ends without a full stop: the help that follows it
// starts a paragraph of its own instead of running on in the same sentence.
TEST(Texts, GermanAccessDeniedHelpStartsAParagraph) {
    InLanguage german(GermanTable());
    FileError denied;
    denied.number = ERROR_ACCESS_DENIED_VALUE;
    denied.description = "Zugriff verweigert";
    const std::string described = DescribeFailure(denied);
    EXPECT_EQ(described.rfind("Zugriff verweigert\r\n\r\n", 0), 0u) << described;
    EXPECT_GT(described.size(), std::string("Zugriff verweigert\r\n\r\n").size());
}

namespace {

// A text as one line: its line breaks, and the guide's, as single blanks.
std::string OneLine(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

} // namespace

// The German guide quotes the German window's captions and menu as the player sees them, and
// the German table keeps one term for each thing.
TEST(Texts, GermanGuideQuotesTheWindowAndTermsHold) {
    std::ifstream in(std::string(VARNHOLT_SOURCE_DIR) + "/docs/player/LIESMICH.txt");
    ASSERT_TRUE(in) << "cannot read docs/player/LIESMICH.txt";
    std::ostringstream guide;
    guide << in.rdbuf();
    const std::string guideText = OneLine(guide.str());
    for (int id : {IDS_HEADING_CURRENT, IDS_HEADING_AVAILABLE, IDS_HINT_FITS, IDS_HINT_DOES_NOT_FIT,
                   IDS_IDENT_MISSING, IDS_VIEW_EDIT, IDS_START_ANNO, IDS_DONE, IDS_MENU_ACTIVATE,
                   IDS_MENU_LOCATION, IDS_MENU_SHORTCUT, IDS_MENU_OPEN_FOLDER, IDS_MENU_ADD}) {
        std::string text;
        ASSERT_TRUE(GermanTable().Lookup(id, text));
        const std::string quoted = "\xE2\x80\x9E" + OneLine(text) + "\xE2\x80\x9C";
        EXPECT_NE(guideText.find(quoted), std::string::npos) << quoted;
    }
    // One word for each thing, in the guide as in the table, and "..." only on the commands that
    // open a dialog.
    const char* const sharedTerms[] = {"Ausgabe", "markiert", "Programmstart", "Zip-Datei"};
    for (const char* replaced : sharedTerms) {
        EXPECT_EQ(guideText.find(replaced), std::string::npos) << replaced;
    }
    for (const auto& [id, text] : GermanTable().texts) {
        SCOPED_TRACE(text);
        for (const char* replaced : {"BGruppen.dat-Datei", "Installationspfad", "Tool",
                                     "Sicherungskopie", "'K\xC3\xB6nigs-Edition'", "Klicken, um"}) {
            EXPECT_EQ(text.find(replaced), std::string::npos) << replaced;
        }
        for (const char* replaced : sharedTerms) {
            EXPECT_EQ(text.find(replaced), std::string::npos) << replaced;
        }
        const bool opensDialog = id == IDS_TIP_CHOOSE_DIR || id == IDS_MENU_ADD;
        EXPECT_EQ(text.find("..."), opensDialog ? text.size() - 3 : std::string::npos);
    }
}
