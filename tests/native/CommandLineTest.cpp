// The command line: its split and switches, the names of the variants, and its runs without
// the window, on the form logic with fakes and a real data folder.
#include "Fakes.h"
#include "RcTexts.h"
#include "core/CommandLineRun.h"

#include <gtest/gtest.h>

#include <utility>

using namespace varnholt;
using namespace varnholt::test;

namespace {

using Args = std::vector<std::string>;

CommandLine Parse(const std::string& line) {
    return ParseCommandLine(SplitCommandLine("varnholt.exe " + line));
}

// Why the command line is bad, in the language shown.
std::string Problem(const std::string& line) {
    return CommandLineProblem(Parse(line));
}

} // namespace

TEST(CommandLineSplit, FollowsTheRuntimesQuotingRules) {
    EXPECT_EQ(SplitCommandLine("varnholt.exe"), Args{});
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\varnholt.exe\"  /activate\tKZA "),
              (Args{"/activate", "KZA"}));
    // The program's own name keeps its backslashes and ends at its closing quote.
    EXPECT_EQ(SplitCommandLine("\"C:\\a b\\\"x /start"), (Args{"/start"}));
    EXPECT_EQ(SplitCommandLine("v \"BGruppen_My Mod.dat\" a\"b c\"d"),
              (Args{"BGruppen_My Mod.dat", "ab cd"}));
    EXPECT_EQ(SplitCommandLine("v a\\\\b \\\"q\\\" \"c\\\\\" \"\""),
              (Args{"a\\\\b", "\"q\"", "c\\", ""}));
    EXPECT_EQ(SplitCommandLine("v \"say \"\"hi\"\"\""), (Args{"say \"hi\""}));
}

TEST(CommandLineSplit, QuotedArgumentsComeBackUnchanged) {
    for (const std::string& argument :
         {std::string("KZA"), std::string("BGruppen_My Mod.dat"), std::string(""),
          std::string("a\"b"), std::string("C:\\Games\\ANNO 1503\\"), std::string("x\\\\\"y")}) {
        EXPECT_EQ(SplitCommandLine("v " + QuoteArgument(argument) + " /start"),
                  (Args{argument, "/start"}))
            << argument;
    }
    EXPECT_EQ(QuoteArgument("KZA"), "KZA");
}

TEST(CommandLineParse, SwitchesInAnyCaseWithSlashOrDash) {
    const CommandLine line = Parse("-ACTIVATE BGruppen_Harbour /Start -quiet /LANG De");
    EXPECT_EQ(line.error, 0) << CommandLineProblem(line);
    EXPECT_TRUE(line.activate);
    EXPECT_EQ(line.name, "BGruppen_Harbour");
    EXPECT_TRUE(line.start);
    EXPECT_TRUE(line.quiet);
    EXPECT_EQ(line.lang, "de");
    EXPECT_TRUE(line.RunsWithoutWindow());
    EXPECT_TRUE(Parse("/?").help);
    EXPECT_TRUE(Parse("-Help").help);
    EXPECT_TRUE(Parse("/start").RunsWithoutWindow());
}

TEST(CommandLineParse, WithoutActionsTheWindowOpensAndAddsTheFilesNamed) {
    EXPECT_FALSE(Parse("").RunsWithoutWindow());
    const CommandLine dropped = Parse("\"C:\\Downloads\\My Mod\\BGruppen.dat\" /lang de");
    EXPECT_EQ(dropped.error, 0) << CommandLineProblem(dropped);
    EXPECT_EQ(dropped.files, Args{"C:\\Downloads\\My Mod\\BGruppen.dat"});
    EXPECT_FALSE(dropped.RunsWithoutWindow());
    const CommandLine add = Parse("/ADD BGruppen.dat -as \"Harbour 2\" /quiet");
    EXPECT_EQ(add.error, 0) << CommandLineProblem(add);
    EXPECT_TRUE(add.add && add.named && add.quiet && add.RunsWithoutWindow());
    EXPECT_EQ(add.addFile, "BGruppen.dat");
    EXPECT_EQ(add.asName, "Harbour 2");
    const CommandLine lang = Parse("/lang en");
    EXPECT_EQ(lang.lang, "en");
    EXPECT_FALSE(lang.RunsWithoutWindow());
}

TEST(CommandLineParse, BadCommandLinesSayWhyAndKeepQuiet) {
    const std::pair<const char*, const char*> lines[] = {
        {"/activate", "/activate needs the NAME of a variant."},
        {"/activate /start", "/activate needs the NAME of a variant."},
        {"/activate KE /activate KZA", "Only one /activate NAME can be given."},
        {"/lang fr", "/lang needs de or en."},
        {"/lang", "/lang needs de or en."},
        {"/activat KE", "Unknown switch: /activat"},
        {"KZA /start", "Unexpected argument: KZA"},
        {"/", "Unexpected argument: /"},
        {"\"\"", "Unexpected argument: "},
        {"/add", "/add needs a FILE."},
        {"/add /quiet", "/add needs a FILE."},
        {"/add a.dat /add b.dat", "/add goes alone, with /as and /quiet at most."},
        {"/add a.dat /start", "/add goes alone, with /as and /quiet at most."},
        {"/add a.dat /as", "/as needs the NAME of the new variant."},
        {"/as Mod", "/as goes with /add."},
        {"/add a.dat /as M:d",
         "A name cannot contain any of these characters: \\ / : * ? \" < > |"},
        {"/add a.dat b.dat", "Unexpected argument: b.dat"},
    };
    for (const auto& [line, problem] : lines) {
        EXPECT_EQ(Problem(line), problem) << line;
    }
    const CommandLine quiet = Parse("/bogus /quiet");
    EXPECT_EQ(CommandLineProblem(quiet), "Unknown switch: /bogus");
    EXPECT_TRUE(quiet.quiet);
    EXPECT_TRUE(quiet.RunsWithoutWindow());
    EXPECT_EQ(Problem("/quiet"), "/quiet goes with /activate, /start, /add or /?.");
    EXPECT_TRUE(Parse("/lang xx").RunsWithoutWindow());
    // The reason is read when it is shown: in the language that the same line may choose.
    const CommandLine german = Parse("/lang de /bogus");
    EXPECT_EQ(german.lang, "de");
    InLanguage shown(GermanTable());
    EXPECT_EQ(CommandLineProblem(german), "Unbekannter Schalter: /bogus");
    EXPECT_EQ(Problem("/start"), "");
}

TEST(VariantNames, ResolveCatalogueNamesAndFurtherFiles) {
    const std::vector<std::string> files = {
        "BGruppen_Original.dat", "BGruppen_Classic.dat", "BGruppen_AddOn.dat", "BGruppen_KE.dat",
        "BGruppen_KZA.dat",      "BGruppen_Harbour.dat", "BGruppenKE.dat"};
    EXPECT_EQ(ResolveVariantName("original", files), 0);
    EXPECT_EQ(ResolveVariantName("ADDON", files), 2);
    EXPECT_EQ(ResolveVariantName("KZA", files), 4);
    EXPECT_EQ(ResolveVariantName("BGruppen_KZA.dat", files), 4);
    EXPECT_EQ(ResolveVariantName("bgruppen_harbour.DAT", files), 5);
    EXPECT_EQ(ResolveVariantName("BGruppen_Harbour", files), 5);
    EXPECT_EQ(ResolveVariantName("BGruppenKE", files), 6);
    // Explorer hides the extension: what it shows as "BGruppen_Mod.dat" is "BGruppen_Mod.dat.dat".
    const std::vector<std::string> doubled = {"BGruppen_Mod.dat.dat", "BGruppen_Two.dat.dat",
                                              "BGruppen_Two.dat"};
    EXPECT_EQ(ResolveVariantName("BGruppen_Mod.dat", doubled), 0);
    EXPECT_EQ(ResolveVariantName("bgruppen_two.DAT", doubled), 2); // the exact name first
    EXPECT_EQ(ResolveVariantName("BGruppen_Two.dat.dat", doubled), 1);
    for (const char* unknown :
         {"Harbour", "BGruppen.dat", "BGruppen", "", "..\\BGruppen_KZA.dat", "KZA.dat"}) {
        EXPECT_EQ(ResolveVariantName(unknown, files), -1) << unknown;
    }
}

TEST(VariantNames, CommandLineNamesAndShortcutTitles) {
    EXPECT_EQ(VariantName("BGruppen_Original.dat"), "Original");
    EXPECT_EQ(VariantName("bgruppen_kza.dat"), "KZA");
    EXPECT_EQ(VariantName("BGruppen_Harbour.dat"), "BGruppen_Harbour.dat");
    EXPECT_EQ(ShortcutTitle("BGruppen_KZA.dat"), "ANNO 1503 - KZA");
    EXPECT_EQ(ShortcutTitle("BGruppen_Harbour.dat"), "ANNO 1503 - Harbour");
    EXPECT_EQ(ShortcutTitle("bgruppen_Saved_2026-12-08_1435.DAT"),
              "ANNO 1503 - Saved_2026-12-08_1435");
    EXPECT_EQ(ShortcutTitle("BGruppenMod.dat"), "ANNO 1503 - BGruppenMod");
    EXPECT_EQ(ShortcutTitle("BGruppen_.dat"), "ANNO 1503 - BGruppen_");
}

namespace {

const std::string CLASSIC = ";Classic\r\nclassic groups\r\n";
const std::string ADDON = ";AddOn\r\naddon groups\r\n";
const std::string HARBOUR = ";More harbour workers\r\nharbour\r\n";

struct CommandLineRun : ::testing::Test {
    Harness h;
    TempFolder data;
    RecordedOutput output;
    bool anotherRunning = false;
    int asked = 0;

    void SetUp() override {
        h.Installed(data, "2.01");
        data.Write("BGruppen.dat", CLASSIC);
        data.Write("BGruppen_Classic.dat", CLASSIC);
        data.Write("BGruppen_AddOn.dat", ADDON);
        data.Write("BGruppen_Harbour.dat", HARBOUR);
    }

    int Run(const std::string& line) {
        const CommandLineServices services{h.system, output, [this] {
                                               ++asked;
                                               return anotherRunning;
                                           }};
        return RunCommandLine(Parse(line), services);
    }
};

} // namespace

TEST_F(CommandLineRun, ActivatesByCatalogueNameAndByFileNameWithTheButtonsMessages) {
    EXPECT_EQ(Run("/activate addon"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text,
              "'" + data.shown() + "BGruppen_AddOn.dat' is copied as current BGruppen.dat file...");
    EXPECT_EQ(output.beeps, 1);

    EXPECT_EQ(Run("/activate BGruppen_Harbour /quiet"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen.dat"), HARBOUR);
    EXPECT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.beeps, 1);
    EXPECT_TRUE(h.launchers.launches.empty());
}

TEST_F(CommandLineRun, CurrentVariantCopiesNothingAndSucceeds) {
    h.files.failAt = FsStep::CopyFileTo; // any copy would fail
    EXPECT_EQ(Run("/activate Classic"), EXIT_DONE);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text, "'BGruppen.dat for 1503 Classic version v1.xx' is already "
                                       "the current BGruppen.dat file...");
    EXPECT_EQ(Run("/activate classic /start"), EXIT_DONE);
    EXPECT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
    EXPECT_EQ(h.launchers.launches.size(), 1u);

    // The same in German: the comparison uses the texts of the language shown.
    InLanguage german(GermanTable());
    EXPECT_EQ(Run("/activate Classic"), EXIT_DONE);
    ASSERT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(output.messages[1].text,
              "Die Variante \xE2\x80\x9E"
              "BGruppen.dat f\xC3\xBCr 1503 Classic v1.xx\xE2\x80\x9C ist bereits "
              "aktiv.");
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
}

TEST_F(CommandLineRun, StartFollowsTheActivationWithoutItsSuccessMessage) {
    EXPECT_EQ(Run("/activate AddOn /start"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON);
    EXPECT_TRUE(output.messages.empty());
    ASSERT_EQ(h.launchers.launches.size(), 1u);
    EXPECT_EQ(h.launchers.launches[0].progName, "C:\\Games\\ANNO 1503\\1503startup.exe");
    EXPECT_EQ(h.launchers.launches[0].workDir, "C:\\Games\\ANNO 1503");

    h.launchers.failLaunch = true;
    EXPECT_EQ(Run("/start"), EXIT_NOT_STARTED);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text, "Can't start ANNO 1503...");
    EXPECT_EQ(Run("/start /quiet"), EXIT_NOT_STARTED);
    EXPECT_EQ(output.messages.size(), 1u);
}

TEST_F(CommandLineRun, FailedActivationGivesOneAndDoesNotStartTheGame) {
    EXPECT_EQ(Run("/activate KE /start /quiet"), EXIT_FAILED); // BGruppen_KE.dat is missing
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(Run("/activate KE /start"), EXIT_FAILED);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(
        output.messages[0].text.rfind("Unable to copy ' " + data.shown() + "BGruppen_KE.dat'", 0),
        0u);
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
    EXPECT_TRUE(h.launchers.launches.empty());
}

TEST_F(CommandLineRun, BadCommandLineAndUnknownNameGiveTwoWithTheUsage) {
    EXPECT_EQ(Run("/activate"), EXIT_BAD_COMMAND_LINE);
    EXPECT_EQ(asked, 0); // nothing else is looked at
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text.rfind("/activate needs the NAME of a variant.\r\n\r\n"
                                            "Usage: varnholt.exe",
                                            0),
              0u);
    EXPECT_EQ(Run("/activate Nowhere"), EXIT_BAD_COMMAND_LINE);
    ASSERT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(output.messages[1].text.rfind("Unknown variant: Nowhere\r\n\r\n", 0), 0u);
    EXPECT_NE(output.messages[1].text.find(
                  "In the data folder: Classic, AddOn, BGruppen_Harbour.dat\r\n\r\nExit codes:"),
              std::string::npos);
    EXPECT_EQ(Run("/activate Nowhere /quiet"), EXIT_BAD_COMMAND_LINE);
    EXPECT_EQ(Run("/nonsense /quiet"), EXIT_BAD_COMMAND_LINE);
    EXPECT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
}

TEST_F(CommandLineRun, HelpListsTheNamesOfTheDataFolderAndChangesNothing) {
    // A first run, with a BGruppen.dat too large to be the original, and another Varnholt
    // running: help still answers at once, and touches nothing.
    h.settings.values["FirstRun"] = "0";
    data.Write("BGruppen.dat", ";Classic\r\n" + std::string(13312, 'x'));
    data.Write("BGruppen.dat.tmp", "a scratch file");
    data.Write("BGruppen_KZA.dat", CLASSIC);
    anotherRunning = true;
    const std::vector<std::string> before = data.Names();
    EXPECT_EQ(Run("/?"), EXIT_DONE);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(output.messages[0].text.rfind("Usage: varnholt.exe", 0), 0u);
    EXPECT_NE(output.messages[0].text.find(
                  "In the data folder: Classic, AddOn, KZA, BGruppen_Harbour.dat"),
              std::string::npos);
    EXPECT_EQ(Run("/help /quiet"), EXIT_DONE);
    EXPECT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(data.Names(), before);
    EXPECT_TRUE(h.settings.writes.empty());
    EXPECT_TRUE(h.picker.calls.empty());

    // Without the game's key and stored folders no folder is known: the usage without names.
    h.registry.values.clear();
    h.settings.values.clear();
    EXPECT_EQ(Run("/help"), EXIT_DONE);
    ASSERT_EQ(output.messages.size(), 2u);
    EXPECT_EQ(output.messages[1].text.find("In the data folder"), std::string::npos);
    EXPECT_TRUE(h.picker.calls.empty());
    EXPECT_TRUE(h.settings.writes.empty());
}

TEST_F(CommandLineRun, OnlyTheVeryBytesCountAsAlreadyCurrent) {
    // An updated variant with the old one's first line: copied, and the old content kept.
    data.Write("BGruppen.dat", ";KZA\r\nold groups\r\n");
    data.Write("BGruppen_KZA.dat", ";KZA\r\nnew groups\r\n");
    EXPECT_EQ(Run("/activate KZA /start"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen.dat"), ";KZA\r\nnew groups\r\n");
    EXPECT_EQ(data.Read("BGruppen_Saved_2026-12-08_1435.dat"), ";KZA\r\nold groups\r\n");
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(h.launchers.launches.size(), 1u);

    // A further file whose first line contains the current file's identification.
    data.Write("BGruppen.dat", CLASSIC);
    data.Write("BGruppen_Plus.dat", ";BGruppen.dat for 1503 Classic version v1.xx, plus\r\n");
    EXPECT_EQ(Run("/activate BGruppen_Plus"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen.dat"), ";BGruppen.dat for 1503 Classic version v1.xx, plus\r\n");
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text, "'" + data.shown() +
                                           "BGruppen_Plus.dat' is copied as current BGruppen.dat "
                                           "file...");
}

TEST_F(CommandLineRun, AnotherVarnholtChangesNothingAndGivesFour) {
    anotherRunning = true;
    EXPECT_EQ(Run("/activate AddOn"), EXIT_ALREADY_RUNNING);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text, "Varnholt is already running...");
    EXPECT_EQ(Run("/activate AddOn /start /quiet"), EXIT_ALREADY_RUNNING);
    EXPECT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
    EXPECT_TRUE(h.settings.writes.empty());
    EXPECT_TRUE(h.launchers.launches.empty());
}

TEST_F(CommandLineRun, StartUpThatWouldAskForTheFolderFailsWhenQuiet) {
    h.registry.values.erase("GAMEPATH");
    h.picker.answers.push_back(data.shown()); // never asked
    EXPECT_EQ(Run("/activate AddOn /quiet"), EXIT_FAILED);
    EXPECT_TRUE(h.picker.calls.empty());
    EXPECT_TRUE(output.messages.empty());
    EXPECT_EQ(data.Read("BGruppen.dat"), CLASSIC);
}

TEST_F(CommandLineRun, FirstRunMakesTheBackupAlsoWhenQuiet) {
    h.settings.values["FirstRun"] = "0";
    EXPECT_EQ(Run("/activate AddOn /quiet"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen_Original.dat"), CLASSIC);
    EXPECT_EQ(h.settings.values["FirstRun"], "1");
    EXPECT_TRUE(output.messages.empty());

    // A first run that refuses (no backup, and a current file too large to be the original)
    // ends with one, before anything is activated.
    h.settings.values["FirstRun"] = "0";
    std::filesystem::remove(data.path() / "BGruppen_Original.dat");
    data.Write("BGruppen.dat", ";Classic\r\n" + std::string(13312, 'x'));
    EXPECT_EQ(Run("/activate KZA"), EXIT_FAILED);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(output.messages[0].text.rfind("Looks like your current BGruppen.dat", 0), 0u);
}
