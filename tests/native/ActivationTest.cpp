// Activation: BGruppen.dat is replaced by the selected variant, and whatever fails, the file
// holds either its old or its complete new content.
#include "Fakes.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string OLD = ";Classic\r\nold groups\r\n";

struct Activation : AddOnSwitch {
    void SetUp() override {
        Install(OLD);
        data.Write("BGruppen_Classic.dat", OLD); // the current content is held: nothing to keep
        ASSERT_TRUE(h.logic.InitProg());
        ASSERT_EQ(h.ui.index, 2); // the installed edition's variant is preselected
        h.ui.messages.clear();
        h.ui.events.clear();
    }
};

} // namespace

TEST_F(Activation, ReplacesTheFileByteForByteAndRefreshes) {
    std::string identificationWhileShown;
    h.ui.onMessage = [&](const Message&) {
        identificationWhileShown = h.ui.Caption(Ctl::lblCurrDAT);
    };
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON_GROUPS);
    EXPECT_EQ(data.Read("BGruppen_AddOn.dat"), ADDON_GROUPS);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, Copied());
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, TITLE_TEXT);
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"beep", "message"}));
    // The refresh comes after the message.
    EXPECT_EQ(identificationWhileShown, "BGruppen.dat for 1503 Classic version v1.xx");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 AddOn version v2.xx");
    EXPECT_EQ(h.ui.index, 4);
    EXPECT_EQ(data.Names(), (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                                      "BGruppen_Classic.dat"}));
}

TEST_F(Activation, FurtherFileIsActivatedByItsOwnName) {
    data.Write("BGruppen_Mod.dat", ";KE\r\nmod");
    ASSERT_TRUE(h.logic.InitProg());
    h.ui.index = 5;
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), ";KE\r\nmod");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 'K\xC3\xB6nigs-Edition' v3.xx");
}

TEST_F(Activation, MissingCurrentFileIsPutInPlace) {
    std::filesystem::remove(data.path() / "BGruppen.dat");
    ASSERT_TRUE(h.logic.InitProg());
    ASSERT_EQ(h.ui.index, 2);
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON_GROUPS);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, Copied());
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 AddOn version v2.xx");
    // Nothing was there to keep, and no scratch file is left.
    EXPECT_EQ(data.Names(), (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                                      "BGruppen_Classic.dat"}));
}

TEST_F(Activation, MissingVariantNamesItsPathAndKeepsTheCurrentFile) {
    h.ui.index = 3;
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), OLD);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text,
              "Unable to copy ' " + data.shown() +
                  "BGruppen_KE.dat' to current BGruppen.dat file: The system cannot find the "
                  "file specified.\r\n\r\nCheck installation and try again...");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 Classic version v1.xx");
    EXPECT_EQ(data.Names(), (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                                      "BGruppen_Classic.dat"}));
}

TEST_F(Activation, EveryFailingStepLeavesTheCurrentFileWhole) {
    struct Case {
        FsStep step;
        const char* messageStart;
    };
    const Case cases[] = {
        {FsStep::CheckDeletable, "Unable to delete current BGruppen.dat file: "},
        {FsStep::CopyFileTo, "Unable to copy ' "},
        {FsStep::CopyHalfway, "Unable to copy ' "},
        {FsStep::RenameFile, "Unable to copy ' "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messageStart);
        h.ui.messages.clear();
        h.files.failAt = c.step;
        h.logic.btnActivate_Click();
        EXPECT_EQ(data.Read("BGruppen.dat"), OLD);
        EXPECT_EQ(data.Names(), (std::vector<std::string>{"BGruppen.dat", "BGruppen_AddOn.dat",
                                                          "BGruppen_Classic.dat"}));
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].text.rfind(c.messageStart, 0), 0u);
        EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 Classic version v1.xx");
    }
    h.files.failAt = FsStep::None;
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON_GROUPS);
}

TEST_F(Activation, StaleScratchFileFromAnInterruptedRunIsOverwritten) {
    data.Write("BGruppen.dat.tmp", "half a file");
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), ADDON_GROUPS);
    EXPECT_FALSE(data.Has("BGruppen.dat.tmp"));
}

TEST_F(Activation, UsesTheFolderShownNowAndAddsTheBackslash) {
    TempFolder other;
    other.Write("BGruppen.dat", OLD);
    other.Write("BGruppen_AddOn.dat", ";AddOn\r\nother");
    h.ui.captions[Ctl::lblDATPath] = other.path().string(); // no trailing backslash
    h.logic.btnActivate_Click();
    EXPECT_EQ(other.Read("BGruppen.dat"), ";AddOn\r\nother");
    EXPECT_EQ(data.Read("BGruppen.dat"), OLD);
}

TEST_F(Activation, NothingSelectedCopiesNothing) {
    h.ui.index = -1;
    h.logic.btnActivate_Click();
    EXPECT_EQ(data.Read("BGruppen.dat"), OLD);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text.rfind("Unable to copy ' ' to current BGruppen.dat file: ", 0),
              0u);
}
