// Adding a variant: the checks before anything is written, the naming rules, the copy that never
// replaces a file, the offer to activate, and the same from the command line with its exit
// codes.
#include "Fakes.h"
#include "core/CommandLineRun.h"
#include "core/TextIds.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// An AddOn installation with the Classic variant active and the AddOn variant beside it, and a
// folder of downloads.
struct AddVariantTest : FolderTest {
    const std::string classic = ";Classic\r\nclassic groups\r\n";
    TempFolder downloads;

    void SetUp() override {
        h.Installed(data, "2.01");
        data.Write("BGruppen.dat", classic);
        data.Write("BGruppen_Classic.dat", classic);
        data.Write("BGruppen_AddOn.dat", ADDON_GROUPS);
        ASSERT_TRUE(h.logic.Form_Load());
    }
    // A downloaded file `name` holding `content`, and its path.
    std::string Download(const std::string& name, const std::string& content) {
        downloads.Write(name, content);
        return downloads.shown() + name;
    }
    AddResult Add(const std::string& path) { return h.logic.AddVariant(path, AddOptions()); }
    std::string LastMessage() const {
        return h.ui.messages.empty() ? std::string() : h.ui.messages.back().text;
    }
    std::string Selected() const { return h.ui.ListText(h.ui.index); }
};

} // namespace

TEST(AddVariantNames, SuggestedFromTheFileAndCheckedAsWindowsChecksFileNames) {
    const std::pair<const char*, const char*> suggested[] = {
        {"C:\\Downloads\\BGruppen.dat", ""},
        {"C:\\Downloads\\bgruppen_Harbour.DAT", "Harbour"},
        {"C:\\Downloads\\BGruppenMod.dat", "Mod"},
        {"C:\\Downloads\\KZA v2.dat.txt", "KZA v2.dat.txt"},
        {"/home/p/Mod.dat", "Mod"},
    };
    for (const auto& [path, name] : suggested) {
        EXPECT_EQ(SuggestedVariantName(path), name) << path;
    }
    EXPECT_EQ(VariantNameProblem(""), IDS_NAME_EMPTY);
    for (const char* forbidden :
         {"a\\b", "a/b", "C:", "*", "what?", "\"q\"", "<", ">", "|", "\t"}) {
        EXPECT_EQ(VariantNameProblem(forbidden), IDS_NAME_FORBIDDEN) << forbidden;
    }
    EXPECT_EQ(VariantNameProblem("Harbour 2.1 (\xC3\xA4)"), 0);
}

TEST_F(AddVariantTest, FilesThatAreNoVariantAreRefusedAndNothingChanges) {
    const std::vector<std::string> before = data.Names();
    const std::pair<std::string, std::string> refused[] = {
        {downloads.shown() + "missing.dat",
         "Unable to find '" + downloads.shown() + "missing.dat'."},
        {Download("big.dat", std::string(1024 * 1024 + 1, 'x')),
         "'" + downloads.shown() + "big.dat' is larger than 1 MiB: it is no BGruppen.dat variant."},
        {Download("binary.dat", std::string(";KZA\r\n\0x", 7)),
         "'" + downloads.shown() + "binary.dat' is no text file: it is no BGruppen.dat variant."},
        {data.shown() + "BGruppen_AddOn.dat",
         "'" + data.shown() + "BGruppen_AddOn.dat' already lies in the data folder."},
    };
    for (const auto& [path, message] : refused) {
        EXPECT_EQ(Add(path), AddResult::NoVariant) << path;
        EXPECT_EQ(LastMessage(), message);
        EXPECT_EQ(h.ui.messages.back().flags, MB_ICONEXCLAMATION_VALUE);
    }
    EXPECT_EQ(data.Names(), before);
    // Exactly 1 MiB of text is a variant.
    EXPECT_EQ(Add(Download("BGruppen_Large.dat", std::string(1024 * 1024, 'x'))), AddResult::Added);
}

TEST_F(AddVariantTest, NamedByTheRulesAndNeverOverAFile) {
    // The same bytes as a variant: nothing copied, that entry selected.
    EXPECT_EQ(Add(Download("BGruppen.dat", ADDON_GROUPS)), AddResult::AlreadyThere);
    EXPECT_EQ(Selected(), "BGruppen.dat for 1503 AddOn version v2.xx");
    EXPECT_EQ(LastMessage(), "'" + downloads.shown() + "BGruppen.dat' holds the same as\r\n\r\n" +
                                 data.shown() +
                                 "BGruppen_AddOn.dat\r\n\r\nwhich is already in the data "
                                 "folder. Nothing was copied.");

    // Its own name BGruppen_X.dat, free: kept, selected, and the offer to activate declined.
    const std::string harbour = ";More harbour workers\r\n";
    EXPECT_EQ(Add(Download("BGruppen_Harbour.dat", harbour)), AddResult::Added);
    EXPECT_EQ(data.Read("BGruppen_Harbour.dat"), harbour);
    EXPECT_EQ(Selected(), "BGruppen_Harbour.dat (More harbour workers)");
    EXPECT_EQ(LastMessage(), "'" + downloads.shown() +
                                 "BGruppen_Harbour.dat' is added to the data "
                                 "folder as\r\n\r\n" +
                                 data.shown() + "BGruppen_Harbour.dat\r\n\r\nActivate it now?");
    EXPECT_EQ(data.Read("BGruppen.dat"), classic);

    // A catalogue variant by its first line, whose file is missing: the catalogue's name.
    EXPECT_EQ(Add(Download("BGruppen.dat", ";KZA\r\nkza\r\n")), AddResult::Added);
    EXPECT_EQ(data.Read("BGruppen_KZA.dat"), ";KZA\r\nkza\r\n");

    // Otherwise the player names it: a plain BGruppen.dat offers an empty field, and the dialog
    // refuses what cannot be a name or is taken, the backup's name included.
    h.ui.typedNames = {"", "a:b", "addon", "Original", "Mine"};
    EXPECT_EQ(Add(Download("BGruppen.dat", ";Classic\r\nother classic\r\n")), AddResult::Added);
    EXPECT_EQ(h.ui.prefills.back(), "");
    EXPECT_EQ(h.ui.nameProblems,
              (std::vector<std::string>{
                  "Please enter a name.",
                  "A name cannot contain any of these characters: \\ / : * ? \" < > |",
                  "BGruppen_addon.dat is already in the data folder.",
                  "BGruppen_Original.dat is already in the data folder.", ""}));
    EXPECT_EQ(data.Read("BGruppen_Mine.dat"), ";Classic\r\nother classic\r\n");
    EXPECT_EQ(h.ui.askedAbout.back(), downloads.shown() + "BGruppen.dat | ;Classic");

    // A taken name of its own, a catalogue variant that is there: asked, cancelled, unchanged.
    const std::vector<std::string> before = data.Names();
    const std::size_t messages = h.ui.messages.size();
    EXPECT_EQ(Add(Download("BGruppen_AddOn.dat", ";AddOn\r\nnewer\r\n")), AddResult::Cancelled);
    EXPECT_EQ(h.ui.prefills.back(), "AddOn");
    EXPECT_EQ(data.Names(), before);
    EXPECT_EQ(h.ui.messages.size(), messages);
    EXPECT_EQ(data.Read("BGruppen_AddOn.dat"), ADDON_GROUPS);

    // A dialog that cannot open is no Cancel: the player is told, and nothing changes.
    h.ui.nameDialogFails = true;
    EXPECT_EQ(Add(Download("BGruppen_AddOn.dat", ";AddOn\r\nnewer\r\n")), AddResult::Failed);
    EXPECT_EQ(LastMessage(), "The dialog that asks for the name of the new variant could not be "
                             "opened. This file was not added:\r\n\r\n" +
                                 downloads.shown() + "BGruppen_AddOn.dat");
    EXPECT_EQ(data.Names(), before);
}

TEST_F(AddVariantTest, YesActivatesAndAFailedCopyLeavesNothing) {
    h.ui.answerYes = true;
    EXPECT_EQ(Add(Download("BGruppen_Harbour.dat", ";Harbour\r\n")), AddResult::Added);
    EXPECT_EQ(data.Read("BGruppen.dat"), ";Harbour\r\n");
    EXPECT_EQ(data.Read("BGruppen_Classic.dat"), classic);

    for (FsStep step : {FsStep::CopyFileTo, FsStep::RenameFile}) {
        h.files.failAt = step;
        const std::vector<std::string> before = data.Names();
        EXPECT_EQ(Add(Download("BGruppen_Pier.dat", ";Pier\r\n")), AddResult::Failed);
        EXPECT_EQ(LastMessage().rfind("Unable to add '" + downloads.shown() +
                                          "BGruppen_Pier.dat' as '" + data.shown() +
                                          "BGruppen_Pier.dat': ",
                                      0),
                  0u);
        EXPECT_EQ(data.Names(), before); // no copy, no scratch file
    }
    // A scratch file an interrupted adding left behind goes at the next start.
    h.files.failAt = FsStep::None;
    data.Write("BGruppen_Added.dat.tmp", "half");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_FALSE(data.Has("BGruppen_Added.dat.tmp"));
}

TEST_F(AddVariantTest, CommandLineAddsWithoutAskingAndTellsByItsExitCode) {
    struct Output : MessageOutput {
        std::vector<std::string> texts;
        void Beep() override {}
        void MsgBox(const std::string& text, int, const std::string&) override {
            texts.push_back(text);
        }
    } output;
    auto run = [&](const std::string& line) {
        return RunCommandLine(ParseCommandLine(SplitCommandLine("v " + line)),
                              CommandLineServices{h.system, output, [] { return false; }});
    };
    const std::string plain = QuoteArgument(Download("BGruppen.dat", ";Harbour\r\n"));
    EXPECT_EQ(run("/add " + plain), EXIT_FAILED); // it would have to ask for a name
    EXPECT_EQ(output.texts.back(),
              "'" + downloads.shown() + "BGruppen.dat' needs a name: give it with /as NAME.");
    EXPECT_EQ(run("/add " + plain + " /as AddOn"), EXIT_FAILED);
    EXPECT_EQ(run("/add " + plain + " /as \"Harbour 2\" /quiet"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen_Harbour 2.dat"), ";Harbour\r\n");
    EXPECT_EQ(run("/add " + plain), EXIT_DONE); // already there
    EXPECT_EQ(run("/add " + QuoteArgument(downloads.shown() + "none.dat")), EXIT_BAD_COMMAND_LINE);
    EXPECT_EQ(run("/add " + QuoteArgument(Download("BGruppen_Pier.dat", ";Pier\r\n"))), EXIT_DONE);
    EXPECT_EQ(output.texts.back(), "'" + downloads.shown() +
                                       "BGruppen_Pier.dat' is added to the data folder as\r\n\r\n" +
                                       data.shown() + "BGruppen_Pier.dat");
    EXPECT_EQ(data.Read("BGruppen.dat"), classic); // nothing activated
    EXPECT_EQ(h.ui.events.end(), std::find(h.ui.events.begin(), h.ui.events.end(), "name dialog"));
}

TEST_F(AddVariantTest, OpenTheDataFolderSelectsTheVariantInExplorer) {
    h.ui.index = 2;
    h.logic.OpenDataFolder();
    h.ui.index = 3; // the KE variant has no file: the folder alone
    h.logic.OpenDataFolder();
    ASSERT_EQ(h.launchers.launches.size(), 2u);
    EXPECT_EQ(h.launchers.launches[0].progName, "C:\\WINDOWS\\explorer.exe");
    // What Explorer is handed, read as a program reads its command line: the variant's file
    // after "/select,", else the data folder alone; whole, whatever blanks the path holds.
    const auto handed = [this](std::size_t i) {
        return SplitCommandLine("explorer.exe " + h.launchers.launches[i].paras);
    };
    const std::string folder = data.shown().substr(0, data.shown().size() - 1);
    EXPECT_EQ(handed(0), std::vector<std::string>{"/select," + folder + "\\BGruppen_AddOn.dat"});
    EXPECT_EQ(handed(1), std::vector<std::string>{folder});
}
