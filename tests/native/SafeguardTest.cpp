// The first-run safeguard: an existing backup first (it passes whatever the current file's
// size), then a missing current file or a variant that an activation put in its place (both pass
// without a backup), then the size test, then the backup copy.
#include "Fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace varnholt;
using namespace varnholt::test;

namespace {

struct Safeguard : FolderTest {
    void SetUp() override {
        h.Installed(data);
        h.settings.values.erase("FirstRun");
    }
    std::string Current(std::size_t size) {
        std::string content = ";Classic\r\n";
        content.resize(size, 'g');
        return content;
    }
};

} // namespace

TEST_F(Safeguard, FirstRunBacksUpTheCurrentFileAndSaysWhere) {
    h.settings.values["DATPath"] = data.path().string(); // without its closing backslash
    data.Write("BGruppen.dat", Current(9000));
    // The first run is recorded only once its message is dismissed.
    std::string firstRunWhileShown;
    h.ui.onMessage = [&](const Message&) { firstRunWhileShown = h.settings.values["FirstRun"]; };
    ASSERT_TRUE(h.logic.Form_Load());
    EXPECT_EQ(data.Read("BGruppen_Original.dat"), Current(9000));
    EXPECT_FALSE(data.Has("BGruppen_Original.dat.tmp"));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text,
              "This is the first time you run Varnholt! We've created a backup copy of the "
              "original BGruppen.dat File to \r\n\r\n" +
                  data.shown() +
                  "BGruppen_Original.dat\r\n\r\nIn case there are any problems while running "
                  "1503 re-acivate this file!");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(h.ui.events.front(), "beep");
    EXPECT_EQ(firstRunWhileShown, "");
    EXPECT_EQ(h.settings.values["FirstRun"], "1");
    EXPECT_EQ(h.ui.items.size(), 5u);
}

TEST_F(Safeguard, SizeBoundaries) {
    for (std::size_t size : {12288u, 13311u}) { // a data folder given with its closing backslash
        Harness fresh;
        TempFolder folder;
        fresh.Installed(folder);
        fresh.settings.values.erase("FirstRun");
        folder.Write("BGruppen.dat", Current(size));
        EXPECT_TRUE(fresh.logic.Form_Load()) << size;
        EXPECT_TRUE(folder.Has("BGruppen_Original.dat")) << size;
        ASSERT_EQ(fresh.ui.messages.size(), 1u);
        EXPECT_NE(fresh.ui.messages[0].text.find(folder.shown() + "BGruppen_Original.dat\r\n"),
                  std::string::npos);
    }
}

TEST_F(Safeguard, LargeCurrentFileEndsTheProgramWhenThereIsNoBackup) {
    data.Write("BGruppen.dat", Current(13312));
    EXPECT_FALSE(h.logic.Form_Load());
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text,
              "Looks like your current BGruppen.dat is NOT the original BGruppen.dat that was "
              "installed with ANNO 1503! Please take care that you run this tool with the "
              "original BGruppen.dat file in place!");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONEXCLAMATION_VALUE);
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"beep", "message", "end"}));
    EXPECT_EQ(h.settings.values.count("FirstRun"), 0u);
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
    EXPECT_TRUE(h.ui.items.empty());
}

TEST_F(Safeguard, PresentBackupIsKeptSilentlyAndComesBeforeTheSizeTest) {
    // Settings lost, perhaps after a large variant was activated: the backup is there, so
    // nothing is saved and nothing is refused.
    data.Write("BGruppen_Original.dat", "the real original");
    for (std::size_t size : {100u, 13312u}) {
        Harness fresh;
        fresh.Installed(data);
        fresh.settings.values.erase("FirstRun");
        data.Write("BGruppen.dat", Current(size));
        ASSERT_TRUE(fresh.logic.Form_Load()) << size;
        EXPECT_TRUE(fresh.ui.messages.empty());
        EXPECT_EQ(fresh.settings.values["FirstRun"], "1");
        EXPECT_EQ(data.Read("BGruppen_Original.dat"), "the real original");
        EXPECT_EQ(fresh.ui.items.size(), 5u);
    }
}

TEST_F(Safeguard, AnyValueButALoneZeroSwitchesItOff) {
    data.Write("BGruppen.dat", Current(20000));
    for (const char* value : {"1", "00", " 0", "0 ", "yes"}) {
        h.settings.values["FirstRun"] = value;
        EXPECT_TRUE(h.logic.InitProg()) << value;
    }
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
}

TEST_F(Safeguard, MissingCurrentFileOpensTheWindowAndTheOriginalIsSavedWhereItIsFound) {
    // Settings gone and the game's key naming a folder without BGruppen.dat: nothing is saved,
    // nothing shown, nothing ended, and the window names the missing file.
    data.Write("BGruppen_AddOn.dat", ";AddOn\r\n");
    ASSERT_TRUE(h.logic.Form_Load());
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(h.ui.ended);
    EXPECT_EQ(h.settings.values.count("FirstRun"), 0u);
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
    EXPECT_EQ(h.ui.captions[Ctl::lblCurrDAT], "No BGruppen.dat in the data folder");

    // A variant put into the empty place is not taken for the original at the next start.
    h.ui.index = 2;
    ASSERT_TRUE(h.logic.ActivateSelected(false));
    Harness next;
    next.Installed(data);
    next.settings.values = h.settings.values;
    ASSERT_TRUE(next.logic.Form_Load());
    EXPECT_TRUE(next.ui.messages.empty());
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
    EXPECT_EQ(next.settings.values.count("FirstRun"), 0u);

    // The folder button finds the game's folder: its BGruppen.dat is the original, saved with
    // the first-run message.
    TempFolder game;
    game.Write("BGruppen.dat", Current(9000));
    next.picker.answers.push_back(game.shown());
    next.logic.btnChooseDir_Click();
    EXPECT_EQ(game.Read("BGruppen_Original.dat"), Current(9000));
    ASSERT_EQ(next.ui.messages.size(), 1u);
    EXPECT_EQ(next.ui.messages[0].text.rfind("This is the first time you run Varnholt!", 0), 0u);
    EXPECT_EQ(next.settings.values["FirstRun"], "1");
}

TEST_F(Safeguard, WhatAFilledPlaceHoldsIsKeptButNeverSavedAsTheOriginal) {
    // An activation filled the empty place (as a one-folder value records it), then the file was
    // edited or copied over: what no other file holds is kept under a kept copy's name, once,
    // and no first-run backup claims it. The folder was reached through a link then (as a
    // junction or a substituted drive).
    TempFolder elsewhere;
    std::filesystem::create_directory_symlink(data.path(), elsewhere.path() / "Link");
    h.settings.values[FILLED_SETTING] = elsewhere.shown() + "Link";
    data.Write("BGruppen_AddOn.dat", ";AddOn\r\n");
    data.Write("BGruppen.dat", Current(9000));
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(h.logic.InitProg());
    }
    EXPECT_EQ(data.Names(), (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                                      "BGruppen_Saved_2026-12-08_1435.dat"}));
    EXPECT_EQ(data.Read("BGruppen_Saved_2026-12-08_1435.dat"), Current(9000));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text,
              "BGruppen.dat in the data folder is not the game's original: Varnholt put a variant "
              "in its place. What it holds now matches no other file in the data folder, so it "
              "was saved as\r\n\r\n" +
                  data.shown() + "BGruppen_Saved_2026-12-08_1435.dat");
    EXPECT_EQ(h.settings.values.count("FirstRun"), 0u);
    // Elsewhere, the same bytes as a variant are no reason to skip the ordinary first run.
    Harness other;
    TempFolder folder;
    other.Installed(folder);
    other.settings.values.erase("FirstRun");
    other.settings.values[FILLED_SETTING] = data.shown();
    folder.Write("BGruppen.dat", ";AddOn\r\n");
    folder.Write("BGruppen_AddOn.dat", ";AddOn\r\n");
    ASSERT_TRUE(other.logic.Form_Load());
    EXPECT_EQ(folder.Read("BGruppen_Original.dat"), ";AddOn\r\n");
}

TEST_F(Safeguard, FoldersFilledInTurnAreAllRemembered) {
    // Into the empty place of one folder, then of another, then back to the first: neither
    // variant is ever taken for the original.
    TempFolder second;
    for (const TempFolder* folder : {&data, &second, &data}) {
        folder->Write("BGruppen_AddOn.dat", ";AddOn\r\n");
        h.settings.values["DATPath"] = folder->shown();
        ASSERT_TRUE(h.logic.InitProg());
        h.ui.index = 2;
        h.logic.lstDATs_Click();
        ASSERT_TRUE(h.logic.ActivateSelected(false));
    }
    EXPECT_FALSE(data.Has("BGruppen_Original.dat"));
    EXPECT_FALSE(second.Has("BGruppen_Original.dat"));
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(h.settings.values.count("FirstRun"), 0u);
    EXPECT_EQ(h.settings.values[FILLED_SETTING], data.shown() + "|" + second.shown());

    // Where the record cannot be written, the activation says so, and its own refresh still
    // knows.
    TempFolder third;
    third.Write("BGruppen_AddOn.dat", ";AddOn\r\n");
    h.settings.values["DATPath"] = third.shown();
    ASSERT_TRUE(h.logic.InitProg());
    h.settings.failWrites = true;
    h.ui.index = 2;
    ASSERT_TRUE(h.logic.ActivateSelected(false));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONEXCLAMATION_VALUE);
    EXPECT_EQ(h.ui.messages[0].text,
              "Unable to record in the settings that BGruppen.dat in this "
              "data folder is a variant that Varnholt put in place:\r\n\r\n" +
                  third.shown() +
                  "\r\n\r\nA later first start of Varnholt could take it "
                  "for the original BGruppen.dat.");
    EXPECT_FALSE(third.Has("BGruppen_Original.dat"));
}
