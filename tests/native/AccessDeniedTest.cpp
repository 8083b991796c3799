// A failed first-run backup leaves no part of it. A data folder that Windows refuses explains
// itself in the backup and activation messages; while the game runs, a refusal or a file in use
// names the game instead; every other failure keeps the system's own description.
#include "Fakes.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string DENIED =
    "Access is denied. If the game lies below Program Files, Windows protects its data folder: "
    "use the 32-bit varnholt.exe without 'Run as administrator', or move the game out of "
    "Program Files.";
const std::string GAME_RUNS = " ANNO 1503 is running and may hold the file open: quit the game "
                              "first, then try again. The game's program: C:\\Games\\ANNO "
                              "1503\\1503.exe";

struct Case {
    FsStep step;
    FileError failure;
    std::string description;
    std::string whileTheGameRuns; // in the activation's messages
};

// Access denied at each step, and other failures at the same steps.
std::vector<Case> Cases(FsStep check, FsStep copy, FsStep rename) {
    const std::string denied = AccessDenied().description;
    const std::string inUse = SharingViolation().description;
    return {
        {check, AccessDenied(), DENIED, denied + GAME_RUNS},
        {copy, AccessDenied(), DENIED, denied + GAME_RUNS},
        {rename, AccessDenied(), DENIED, denied + GAME_RUNS},
        {check, SharingViolation(), inUse, inUse + GAME_RUNS},
        {rename, SharingViolation(), inUse, inUse + GAME_RUNS},
        {copy, DiskFull(), DiskFull().description, DiskFull().description},
        {rename, NotFound(), NotFound().description, NotFound().description},
    };
}

} // namespace

TEST(AccessDenied, AFailedBackupLeavesNoPartOfItAndSaysWhatHelps) {
    TempFolder data;
    data.Write("BGruppen.dat", ";Classic\r\n");
    for (const Case& c : Cases(FsStep::CopyFileTo, FsStep::CopyHalfway, FsStep::RenameFile)) {
        SCOPED_TRACE(c.description);
        Harness h;
        h.Installed(data);
        h.settings.values.erase("FirstRun");
        h.files.failAt = c.step;
        h.files.failure = c.failure;
        EXPECT_FALSE(h.logic.Form_Load());
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].text, "Unable to create backup copy: " + c.description +
                                             "\r\n\r\nCheck installation and start this tool "
                                             "again...");
        EXPECT_EQ(data.Names(), std::vector<std::string>{"BGruppen.dat"}); // no scratch file
        EXPECT_EQ(data.Read("BGruppen.dat"), ";Classic\r\n");
    }
    // The next start repeats the whole safeguard and succeeds.
    Harness again;
    again.Installed(data);
    again.settings.values.erase("FirstRun");
    ASSERT_TRUE(again.logic.Form_Load());
    EXPECT_EQ(data.Read("BGruppen_Original.dat"), ";Classic\r\n");
}

TEST(AccessDenied, ActivationMessagesSayWhatHelps) {
    TempFolder data;
    data.Write("BGruppen.dat", ";Classic\r\n");
    data.Write("BGruppen_Classic.dat", ";Classic\r\n");
    data.Write("BGruppen_AddOn.dat", ";AddOn\r\n");
    for (const bool gameRuns : {false, true}) {
        for (const Case& c :
             Cases(FsStep::CheckDeletable, FsStep::CopyFileTo, FsStep::RenameFile)) {
            SCOPED_TRACE(c.description + (gameRuns ? ", the game running" : ""));
            Harness h;
            h.Installed(data, "2.01");
            ASSERT_TRUE(h.logic.InitProg());
            if (gameRuns) {
                h.processes.programs = {{42, "C:\\Games\\ANNO 1503\\1503.exe"}};
                h.ui.answerWarningYes = true; // activate all the same
            }
            h.files.failAt = c.step;
            h.files.failure = c.failure;
            h.logic.btnActivate_Click();
            ASSERT_EQ(h.ui.messages.size(), gameRuns ? 2u : 1u);
            const std::string start =
                c.step == FsStep::CheckDeletable
                    ? "Unable to delete current BGruppen.dat file: "
                    : "Unable to copy ' " + data.shown() +
                          "BGruppen_AddOn.dat' to current BGruppen.dat file: ";
            EXPECT_EQ(h.ui.messages.back().text,
                      start + (gameRuns ? c.whileTheGameRuns : c.description) +
                          "\r\n\r\nCheck installation and try again...");
            EXPECT_EQ(data.Read("BGruppen.dat"), ";Classic\r\n");
        }
    }
}
