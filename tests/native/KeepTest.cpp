// Activation keeps a BGruppen.dat that no other file of the data folder holds before it
// replaces it; a failed activation leaves BGruppen.dat as it was and no scratch file, and
// removes the kept copy it made (only should that removal fail too does the copy stay, a
// duplicate that loses nothing).
#include "Fakes.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string EDITED = ";Classic edited by hand\r\nmy groups\r\n";
const std::string KEPT = "BGruppen_Saved_2026-12-08_1435.dat";

struct Keep : AddOnSwitch {
    void SetUp() override {
        Install(EDITED);
        data.Write("BGruppen_Original.dat", ";Classic\r\noriginal groups\r\n");
        data.Write("BGruppen_Classic.dat", ";Classic\r\noriginal groups\r\n");
    }
    // Runs the start-up, selects the AddOn variant and activates it.
    void Activate() {
        ASSERT_TRUE(h.logic.InitProg());
        h.ui.index = 2;
        h.ui.messages.clear();
        h.logic.btnActivate_Click();
        ASSERT_EQ(h.ui.messages.size(), 1u);
    }
};

} // namespace

TEST_F(Keep, UnmatchedFileIsKeptWholeListedAndNeverKeptTwice) {
    Activate();
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON_GROUPS);
    EXPECT_EQ(data.Read(KEPT), EDITED);
    EXPECT_FALSE(data.Has("BGruppen_Saved.dat.tmp"));
    EXPECT_FALSE(data.Has("BGruppen.dat.tmp"));
    EXPECT_EQ(h.ui.messages[0].text,
              Copied() +
                  "\r\n\r\nThe previous BGruppen.dat matched no file in the data folder. It was "
                  "saved as '" +
                  data.shown() + KEPT + "'.");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    // The refresh lists the kept file with its first line as description.
    ASSERT_EQ(h.logic.aDATFiles().size(), 6u);
    EXPECT_EQ(h.logic.aDATFiles()[5], KEPT);
    EXPECT_EQ(h.ui.items[5], KEPT + " (Classic edited by hand)");

    // Activating the kept file and then the AddOn variant again keeps nothing more: the
    // hand-edited content is found in the kept file.
    h.ui.index = 5;
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), EDITED);
    h.clock.now.minute = 36;
    Activate();
    EXPECT_EQ(h.ui.messages[0].text, Copied());
    EXPECT_EQ(data.Names(),
              (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                        "BGruppen_Classic.dat", "BGruppen_Original.dat", KEPT}));
}

TEST_F(Keep, ContentHeldByAnyOtherFileIsNotKept) {
    for (const char* holder :
         {"BGruppen_Original.dat", "BGruppen_KZA.dat", "BGruppen_Mod.dat", "bgruppen_other.DAT"}) {
        SCOPED_TRACE(holder);
        data.Write("BGruppen.dat", EDITED);
        data.Write(holder, EDITED);
        Activate();
        EXPECT_EQ(h.ui.messages[0].text, Copied());
        EXPECT_FALSE(data.Has(KEPT));
        EXPECT_EQ(data.Read(holder), EDITED);
        std::filesystem::remove(data.path() / holder);
    }
}

TEST_F(Keep, OnlyFilesOfTheSameLengthAreReadAndTheirBytesDecide) {
    std::string sameLength = EDITED;
    sameLength.back() = '!';
    data.Write("BGruppen_SameLength.dat", sameLength);
    data.Write("BGruppen_Longer.dat", EDITED + "more");
    data.Write("BGruppen_Shorter.dat", EDITED.substr(0, 10));
    Activate();
    EXPECT_EQ(data.Read(KEPT), EDITED);
    EXPECT_EQ(h.files.compared,
              (std::vector<std::string>{data.shown() + "BGruppen_SameLength.dat"}));
    // One more listing of the folder: the start-up's, the check's and the refresh's.
    EXPECT_EQ(h.files.listings, 3);
}

TEST_F(Keep, TakenNameGetsASuffixAndNothingIsOverwritten) {
    data.Write(KEPT, ";Other\r\nkept earlier");
    data.Write("BGruppen_Saved_2026-12-08_1435_2.dat", ";Other\r\nkept earlier too");
    Activate();
    EXPECT_EQ(data.Read("BGruppen_Saved_2026-12-08_1435_3.dat"), EDITED);
    EXPECT_EQ(data.Read(KEPT), ";Other\r\nkept earlier");
    EXPECT_EQ(data.Read("BGruppen_Saved_2026-12-08_1435_2.dat"), ";Other\r\nkept earlier too");
    EXPECT_NE(h.ui.messages[0].text.find("BGruppen_Saved_2026-12-08_1435_3.dat'."),
              std::string::npos);
}

TEST_F(Keep, FailedKeepReplacesNothingAndLeavesNoScratchFile) {
    const std::vector<std::string> before = data.Names();
    struct Case {
        FsStep step;
        FileError failure;
        std::string description;
    };
    const Case cases[] = {
        {FsStep::CopyHalfway, DiskFull(), DiskFull().description},
        {FsStep::RenameFile, AccessDenied(),
         "Access is denied. If the game lies below Program Files, Windows protects its data "
         "folder: use the 32-bit varnholt.exe without 'Run as administrator', or move the game "
         "out of Program Files."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        h.files.failAt = c.step;
        h.files.failure = c.failure;
        h.files.onlyFor = "Saved";
        Activate();
        EXPECT_EQ(h.ui.messages[0].text,
                  "Unable to save current BGruppen.dat file as '" + data.shown() + KEPT +
                      "': " + c.description +
                      "\r\n\r\nIt matches no other file in the data folder, so it was not "
                      "replaced.\r\n\r\nCheck installation and try again...");
        EXPECT_EQ(h.ui.messages[0].flags, MB_ICONEXCLAMATION_VALUE);
        EXPECT_EQ(data.Read("BGruppen.dat"), EDITED);
        EXPECT_EQ(data.Names(), before);
    }
}

TEST_F(Keep, FailedVariantCopyOrReplaceLeavesNoKeptCopy) {
    const std::vector<std::string> before = data.Names();
    struct Case {
        FsStep step;
        const char* onlyFor;
    };
    for (const Case& c : {Case{FsStep::CopyHalfway, "BGruppen_AddOn.dat"},
                          Case{FsStep::RenameFile, "BGruppen.dat.tmp"}}) {
        SCOPED_TRACE(c.onlyFor);
        h.files.failAt = c.step;
        h.files.onlyFor = c.onlyFor;
        Activate();
        EXPECT_EQ(h.ui.messages[0].text.rfind("Unable to copy ' " + data.shown() +
                                                  "BGruppen_AddOn.dat' to current BGruppen.dat "
                                                  "file: ",
                                              0),
                  0u);
        EXPECT_EQ(data.Read("BGruppen.dat"), EDITED);
        EXPECT_EQ(data.Names(), before);
    }
    // A missing variant stops before anything is kept as well.
    h.files.failAt = FsStep::None;
    std::filesystem::remove(data.path() / "BGruppen_AddOn.dat");
    Activate();
    EXPECT_EQ(data.Read("BGruppen.dat"), EDITED);
    EXPECT_FALSE(data.Has(KEPT));
}
