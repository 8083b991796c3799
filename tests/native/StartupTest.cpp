// Start-up: finding the installation folder, fixing the save-game and data folders, and the
// version label with the installation mode.
#include "Fakes.h"

#include <gtest/gtest.h>

#include <utility>

using namespace varnholt;
using namespace varnholt::test;

namespace {

struct Startup : FolderTest {
    void SetUp() override { h.settings.values["FirstRun"] = "1"; }
    bool Run() { return h.logic.Form_Load(); }
    // The game's key with its folder and the given values; an empty text leaves a value out.
    void GameKey(const std::string& version, const std::string& addOnVersion,
                 const std::string& language) {
        h.registry.values["GAMEPATH"] = "C:\\A";
        for (const auto& [name, value] : {std::pair{"VERSION", version},
                                          {"ADDON_VERSION", addOnVersion},
                                          {"LANGUAGE", language}}) {
            if (value.empty()) {
                h.registry.values.erase(name);
            } else {
                h.registry.values[name] = value;
            }
        }
    }
};

} // namespace

TEST_F(Startup, GamePathFromTheRegistryWinsOverTheStoredFolder) {
    h.registry.values["GAMEPATH"] = "C:\\Games\\ANNO 1503";
    h.settings.values["ANNOPath"] = "D:\\Elsewhere\\";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.folders.strANNOPath, "C:\\Games\\ANNO 1503\\");
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOPath), "C:\\Games\\ANNO 1503\\");
    EXPECT_EQ(h.folders.strGAMESPath, "C:\\Games\\ANNO 1503\\SaveGame\\");
    EXPECT_EQ(h.folders.strDATPath, "C:\\Games\\ANNO 1503\\Data\\");
    EXPECT_EQ(h.ui.Caption(Ctl::lblDATPath), "C:\\Games\\ANNO 1503\\Data\\");
    EXPECT_EQ(h.settings.writes,
              (std::vector<std::string>{"GAMESPath=C:\\Games\\ANNO 1503\\SaveGame\\",
                                        "DATPath=C:\\Games\\ANNO 1503\\Data\\"}));
    EXPECT_TRUE(h.picker.calls.empty());
}

TEST_F(Startup, EmptyGamePathGivesBareDefaultsWithoutAskingTheSettings) {
    h.registry.values["GAMEPATH"] = "";
    h.settings.values["ANNOPath"] = "D:\\Elsewhere\\";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.folders.strANNOPath, "");
    EXPECT_EQ(h.folders.strGAMESPath, "SaveGame\\");
    EXPECT_EQ(h.folders.strDATPath, "Data\\");
    EXPECT_TRUE(h.picker.calls.empty());
}

TEST_F(Startup, StoredFolderIsUsedUnchangedWhenTheRegistryHasNone) {
    h.settings.values["ANNOPath"] = "D:\\ANNO 1503";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOPath), "D:\\ANNO 1503");
    EXPECT_EQ(h.folders.strGAMESPath, "D:\\ANNO 1503\\SaveGame\\");
    EXPECT_EQ(h.folders.strDATPath, "D:\\ANNO 1503\\Data\\");
    EXPECT_TRUE(h.picker.calls.empty());
}

TEST_F(Startup, StoredFoldersAreUsedAsStoredAndNotRewritten) {
    h.registry.values["GAMEPATH"] = "C:\\Games\\ANNO 1503\\";
    h.settings.values["GAMESPath"] = "E:\\Saves";
    h.settings.values["DATPath"] = "F:\\Copy";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.folders.strGAMESPath, "E:\\Saves");
    EXPECT_EQ(h.folders.strDATPath, "F:\\Copy");
    EXPECT_EQ(h.ui.Caption(Ctl::lblDATPath), "F:\\Copy");
    EXPECT_TRUE(h.settings.writes.empty());
}

TEST_F(Startup, AskedFolderIsCompletedAndRemembered) {
    h.picker.answers.push_back("C:\\Spiele\\ANNO 1503");
    ASSERT_TRUE(Run());
    ASSERT_EQ(h.picker.calls.size(), 1u);
    EXPECT_EQ(h.picker.calls[0].first, "Please locate ANNO 1503 installation folder:");
    EXPECT_EQ(h.picker.calls[0].second, "");
    EXPECT_EQ(h.folders.strANNOPath, "C:\\Spiele\\ANNO 1503\\");
    EXPECT_EQ(h.settings.values["ANNOPath"], "C:\\Spiele\\ANNO 1503\\");
    EXPECT_EQ(h.settings.writes.front(), "ANNOPath=C:\\Spiele\\ANNO 1503\\");
}

TEST_F(Startup, CancelledPickerEndsTheProgramBeforeAnythingElse) {
    EXPECT_FALSE(Run());
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, "Sorry, can't work without this infos...");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONSTOP_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, "Marrik's ANNO 1503 Varnholt v1.00");
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"message", "end"}));
    EXPECT_TRUE(h.settings.writes.empty());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOPath), "lblANNOPath");
    EXPECT_TRUE(h.ui.items.empty());
}

TEST_F(Startup, AddOnVersionTakesPrecedenceAndGivesTheMode) {
    GameKey("1.04", "2.01", "Deutsch");
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOVers), "2.01/Deutsch");
    EXPECT_EQ(h.logic.intANNOMode(), 2);
}

TEST_F(Startup, MissingVersionOrLanguageLeavesTheLabelAndModeZero) {
    GameKey("", "2.01", "Deutsch");
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOVers), "lblANNOVers");
    EXPECT_EQ(h.logic.intANNOMode(), 0);

    GameKey("3.0", "2.01", "");
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOVers), "lblANNOVers");
}

TEST_F(Startup, ASecondRunKeepsTheOldVersionLabelButRecomputesTheMode) {
    h.registry.values["GAMEPATH"] = "C:\\A";
    h.registry.values["VERSION"] = "3.0";
    h.registry.values["LANGUAGE"] = "English";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.logic.intANNOMode(), 3);
    h.registry.values.erase("VERSION");
    h.registry.values.erase("LANGUAGE");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOVers), "3.0/English");
    EXPECT_EQ(h.logic.intANNOMode(), 0);
}

TEST_F(Startup, FailingSettingsStoreIsSkipped) {
    h.registry.values["GAMEPATH"] = "C:\\A";
    h.settings.failReads = {"GAMESPath", "DATPath"};
    h.settings.failWrites = true;
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.folders.strDATPath, "C:\\A\\Data\\");
    EXPECT_EQ(h.folders.strGAMESPath, "C:\\A\\SaveGame\\");
}

TEST_F(Startup, UnusualValuesNeitherCrashNorHang) {
    const std::string huge(4096, 'x');
    h.registry.values["GAMEPATH"] = "C:\\Sp\xC3\xAD"
                                    "ele\\" +
                                    huge;
    h.registry.values["VERSION"] = huge;
    h.registry.values["LANGUAGE"] = "\xE6\x97\xA5\xE6\x9C\xAC";
    ASSERT_TRUE(Run());
    EXPECT_EQ(h.logic.intANNOMode(), 0);
    EXPECT_EQ(h.ui.Caption(Ctl::lblANNOVers), huge + "/\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(h.ui.items.size(), 5u);
}

TEST_F(Startup, LeftoverScratchFilesOfAKilledRunAreRemovedAndNothingElse) {
    h.Installed(data);
    h.settings.values.erase("FirstRun");
    data.Write("BGruppen.dat", ";Classic\r\n");
    data.Write("BGruppen.dat.tmp", "half a variant");
    data.Write("BGruppen_Original.dat.tmp", "half a backup");
    data.Write("BGruppen_Saved.dat.tmp", "half a kept file");
    const char* const others[] = {"BGruppen_AddOn.dat.tmp", "BGruppen.tmp", "BGruppen.dat.tmp.1",
                                  "BGruppen_Saved_2026-12-08_1435.dat", "Other.tmp"};
    for (const char* name : others) {
        data.Write(name, "the player's");
    }
    ASSERT_TRUE(Run());
    EXPECT_FALSE(data.Has("BGruppen.dat.tmp"));
    EXPECT_FALSE(data.Has("BGruppen_Original.dat.tmp"));
    EXPECT_FALSE(data.Has("BGruppen_Saved.dat.tmp"));
    for (const char* name : others) {
        EXPECT_EQ(data.Read(name), "the player's") << name;
    }
    // The first-run backup was made from the current file, not from the leftover.
    EXPECT_EQ(data.Read("BGruppen_Original.dat"), ";Classic\r\n");
    EXPECT_EQ(data.Read("BGruppen.dat"), ";Classic\r\n");
}
