// Adding a variant: the checks before anything is written, the naming rules, the copy that never
// replaces a file, the offer to activate, and the same from the command line with its exit
// codes.
#include "Fakes.h"
#include "core/TextIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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
    // The data folder through a link (as a junction or a substituted drive), and the current
    // BGruppen.dat linked elsewhere: the files themselves are compared, not the paths.
    std::filesystem::create_directory_symlink(data.path(), downloads.path() / "Link");
    std::filesystem::create_hard_link(data.path() / "BGruppen.dat",
                                      downloads.path() / "BGruppen.dat");
    const auto inData = [](const std::string& path) {
        return std::pair(path, "'" + path + "' already lies in the data folder.");
    };
    const std::pair<std::string, std::string> refused[] = {
        {downloads.shown() + "missing.dat",
         "Unable to find '" + downloads.shown() + "missing.dat'."},
        {Download("big.dat", std::string(1024 * 1024 + 1, 'x')),
         "'" + downloads.shown() + "big.dat' is larger than 1 MiB: it is no BGruppen.dat variant."},
        {Download("binary.dat", std::string(";KZA\r\n\0x", 7)),
         "'" + downloads.shown() + "binary.dat' is no text file: it is no BGruppen.dat variant."},
        {Download("empty.dat", ""),
         "'" + downloads.shown() + "empty.dat' is empty: it is no BGruppen.dat variant."},
        inData(data.shown() + "BGruppen_AddOn.dat"),
        inData(downloads.shown() + "Link\\BGruppen.dat"),
        inData(downloads.shown() + "BGruppen.dat"),
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
    // The offer's text: the window's drop test and the end-to-end tests.
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

    for (FsStep step : {FsStep::WriteBytes, FsStep::RenameFile}) {
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

TEST_F(AddVariantTest, WhatIsCheckedIsWhatIsWrittenWhileTheFileGrows) {
    // A download still being written: it grows by `growth` at each look at it, from the first
    // (while it is read) or after it.
    struct Case {
        std::string content, growth;
        bool whileRead;
        AddResult result;
    };
    const std::string limit(ADD_SIZE_LIMIT, 'x');
    const Case cases[] = {
        {";Harbour\r\n", std::string(4, '\0'), false, AddResult::Added},
        {limit, "x", false, AddResult::Added},
        {limit.substr(1), "xx", true, AddResult::NoVariant},
    };
    for (const Case& c : cases) {
        const std::string source = Download("BGruppen_Growing.dat", c.content);
        int looks = 0;
        h.files.meanwhile = [&](FsStep, const std::string& path) {
            if (path == source && (c.whileRead || looks++ > 0)) {
                std::ofstream(test::ToNative(path), std::ios::app | std::ios::binary) << c.growth;
            }
        };
        EXPECT_EQ(Add(source), c.result) << c.content.size();
        EXPECT_EQ(data.Has("BGruppen_Growing.dat") ? data.Read("BGruppen_Growing.dat") : "<none>",
                  c.result == AddResult::Added ? c.content : "<none>");
        h.files.meanwhile = nullptr;
        std::filesystem::remove(data.path() / "BGruppen_Growing.dat");
    }
}

TEST_F(AddVariantTest, ANameTakenMeanwhileIsNeverReplaced) {
    // Another program makes the chosen name's file between the choice and the rename.
    const std::string theirs = ";Theirs\r\n";
    h.files.meanwhile = [&](FsStep step, const std::string& path) {
        if (step == FsStep::RenameFile &&
            path.find("BGruppen_Added.dat.tmp") != std::string::npos) {
            data.Write("BGruppen_Harbour.dat", theirs);
        }
    };
    EXPECT_EQ(Add(Download("BGruppen_Harbour.dat", ";Harbour\r\n")), AddResult::Failed);
    EXPECT_EQ(data.Read("BGruppen_Harbour.dat"), theirs);
    EXPECT_FALSE(data.Has("BGruppen_Added.dat.tmp"));
    EXPECT_NE(LastMessage().find("Cannot create a file when that file already exists."),
              std::string::npos);
}

TEST_F(AddVariantTest, CommandLineAddsWithoutAskingAndTellsByItsExitCode) {
    RecordedOutput output;
    auto run = [&](const std::string& line) { return h.Run(output, line); };
    const std::string plain = QuoteArgument(Download("BGruppen.dat", ";Harbour\r\n"));
    // Its message, and a missing or empty file's exit code: the end-to-end FromCommandLine test.
    EXPECT_EQ(run("/add " + plain), EXIT_FAILED); // it would have to ask for a name
    EXPECT_EQ(run("/add " + plain + " /as \"Harbour 2\" /quiet"), EXIT_DONE);
    EXPECT_EQ(data.Read("BGruppen_Harbour 2.dat"), ";Harbour\r\n");
    EXPECT_EQ(run("/add " + plain), EXIT_DONE); // already there
    // A name given ends up holding the file: already so, taken by other bytes (the backup's name
    // is taken even without a backup), or copied though the bytes lie under another name.
    const std::pair<const char*, int> named[] = {{"\"Harbour 2\"", EXIT_DONE},
                                                 {"Classic", EXIT_FAILED},
                                                 {"Original", EXIT_FAILED},
                                                 {"Copy", EXIT_DONE}};
    for (const auto& [name, code] : named) {
        EXPECT_EQ(run("/add " + plain + " /as " + name + " /quiet"), code) << name;
    }
    EXPECT_EQ(data.Read("BGruppen_Copy.dat"), ";Harbour\r\n");
    EXPECT_EQ(data.Read("BGruppen_Classic.dat"), classic);
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
    EXPECT_EQ(run("/add " + QuoteArgument(Download("BGruppen_Pier.dat", ";Pier\r\n"))), EXIT_DONE);
    EXPECT_EQ(output.messages.back().text,
              "'" + downloads.shown() +
                  "BGruppen_Pier.dat' is added to the data folder as\r\n\r\n" + data.shown() +
                  "BGruppen_Pier.dat");
    EXPECT_EQ(data.Read("BGruppen.dat"), classic); // nothing activated
    EXPECT_EQ(h.ui.events.end(), std::find(h.ui.events.begin(), h.ui.events.end(), "name dialog"));
}
