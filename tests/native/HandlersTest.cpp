// The list's handlers, game launch, viewing a variant, the folder change, the credits link and
// the caption rule.
#include "Fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace varnholt;
using namespace varnholt::test;

namespace {

struct Handlers : FolderTest {
    void SetUp() override {
        h.Installed(data, "1.04");
        data.Write("BGruppen.dat", ";KE\r\n");
        data.Write("BGruppen_Mine.dat", ";Mine\r\n");
        ASSERT_TRUE(h.logic.InitProg());
        h.ui.messages.clear();
        h.ui.events.clear();
    }
    // The parameters handed to each program launched, in turn.
    std::vector<std::string> Handed() const {
        std::vector<std::string> paras;
        for (const LaunchRecord& launch : h.launchers.launches) {
            paras.push_back(launch.paras);
        }
        return paras;
    }
};

} // namespace

TEST_F(Handlers, SelectingRelabelsAndDisablesOnTheCurrentVariant) {
    h.ui.index = 3;
    h.logic.lstDATs_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate),
              "Activate BGruppen.dat for 1503 'K\xC3\xB6nigs-Edition' v3.xx");
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));
    h.ui.index = 5;
    h.logic.lstDATs_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), "Activate BGruppen_Mine.dat (Mine)");
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
    // The current variant is recognised in the label's own letter case only.
    h.ui.captions[Ctl::lblCurrDAT] = "bgruppen.dat for 1503 'k\xC3\xB6nigs-edition' v3.xx";
    h.ui.index = 3;
    h.logic.lstDATs_Click();
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Handlers, DoubleClickTellsTheVariantFilesLocation) {
    h.ui.index = 3;
    h.logic.lstDATs_DblClick();
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text,
              "Location of 'BGruppen.dat for 1503 'K\xC3\xB6nigs-Edition' v3.xx':\r\n\r\n" +
                  data.shown() + "BGruppen_KE.dat");
    EXPECT_EQ(h.ui.messages[0].flags, MB_OK_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, "Varnholt");
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"beep", "message"}));

    h.ui.captions[Ctl::lblDATPath] = "C:\\Copy";
    h.ui.index = 5;
    h.logic.lstDATs_DblClick();
    EXPECT_EQ(h.ui.messages[1].text,
              "Location of 'BGruppen_Mine.dat (Mine)':\r\n\r\nC:\\Copy\\BGruppen_Mine.dat");

    h.ui.index = -1;
    h.logic.lstDATs_DblClick();
    EXPECT_EQ(h.ui.messages[2].text, "Location of '':\r\n\r\n");
}

TEST_F(Handlers, StartMinimisesLaunchesTheStarterAndEndsAndReportsAFailure) {
    // The starter's path and folder: the CommandLineRun test of /start checks them.
    h.logic.btnANNOStart_Click();
    ASSERT_EQ(h.launchers.launches.size(), 1u);
    const LaunchRecord& launch = h.launchers.launches[0];
    EXPECT_TRUE(launch.executed);
    EXPECT_EQ(launch.winMode, 1);
    EXPECT_TRUE(launch.released);
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"minimize", "doevents", "doevents", "end"}));
    EXPECT_EQ(h.ui.formCaption, "Varnholt");

    h.ui.events.clear();
    h.launchers.failLaunch = true;
    h.folders.strANNOPath = "D:\\ANNO"; // no trailing backslash
    h.logic.btnANNOStart_Click();
    EXPECT_EQ(h.launchers.launches.at(1).progName, "D:\\ANNO\\1503startup.exe");
    // Without an installation folder the starter still comes by a full path, in its own folder:
    // a bare name would be looked for beside Varnholt and along the search path.
    Harness bare;
    bare.logic.btnANNOStart_Click();
    const LaunchRecord& starter = bare.launchers.launches[0];
    EXPECT_EQ(starter.progName.substr(1, 2), ":\\");
    EXPECT_EQ(starter.progName, starter.workDir + "\\1503startup.exe");
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, "Can't start ANNO 1503...");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, "!!! Problem !!!");
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"minimize", "doevents", "beep", "message",
                                                     "doevents", "end"}));
}

TEST_F(Handlers, ViewOpensNotepadOnTheSelectedVariantAndReportsAFailure) {
    h.ui.index = 3;
    h.logic.btnView_Click();
    h.ui.captions[Ctl::lblDATPath] = "C:\\My Games\\Data"; // blanks passed unquoted
    h.ui.index = 5;
    h.logic.btnView_Click();
    ASSERT_TRUE(h.ui.messages.empty());
    h.launchers.failLaunch = true;
    h.ui.index = -1; // nothing selected: an empty editor
    h.logic.btnView_Click();
    const LaunchRecord& launch = h.launchers.launches.at(0);
    EXPECT_TRUE(launch.executed);
    EXPECT_EQ(launch.progName, "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(launch.workDir, "C:\\WINDOWS");
    EXPECT_EQ(launch.winMode, 3);
    EXPECT_EQ(Handed(), (std::vector<std::string>{data.shown() + "BGruppen_KE.dat",
                                                  "C:\\My Games\\Data\\BGruppen_Mine.dat", ""}));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, "Error starting notepad.exe...");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONEXCLAMATION_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, TITLE_TEXT);
}

TEST_F(Handlers, ExplorerAndTheEditorGetTheFullPathWhereTheFileReallyLies) {
    // A relative data folder counts from Varnholt's working folder (C:\Work for the fakes), not
    // from the Windows folder the launched program starts in.
    const std::string relative = std::filesystem::relative(data.path()).string() + "\\";
    h.ui.captions[Ctl::lblDATPath] = relative;
    h.ui.index = 5;
    h.logic.OpenDataFolder();
    h.logic.btnView_Click();
    h.ui.index = 3; // no file: the folder alone
    h.logic.OpenDataFolder();
    // Virtualized, the selected file lies in the VirtualStore; a missing one has no copy there.
    h.ui.captions[Ctl::lblDATPath] = data.shown();
    const std::string copy = "C:\\Users\\p\\AppData\\Local\\VirtualStore\\Mine.dat";
    h.launchers.virtualStore[data.shown() + "BGruppen_Mine.dat"] = copy;
    h.ui.index = 5;
    h.logic.OpenDataFolder();
    h.logic.btnView_Click();
    EXPECT_EQ(h.launchers.launches.at(0).progName, "C:\\WINDOWS\\explorer.exe");
    const std::string full = "C:\\Work\\" + relative;
    EXPECT_EQ(Handed(), (std::vector<std::string>{"/select,\"" + full + "BGruppen_Mine.dat\"",
                                                  full + "BGruppen_Mine.dat",
                                                  "\"" + full.substr(0, full.size() - 1) + "\"",
                                                  "/select,\"" + copy + "\"", copy}));
}

TEST_F(Handlers, ChosenFolderBecomesTheDataFolderAndTheWindowShowsIt) {
    TempFolder other;
    other.Write("BGruppen.dat", ";AddOn\r\n");
    other.Write("BGruppen_Theirs.dat", ";Theirs\r\n");
    h.picker.answers.push_back(other.path().string());
    h.logic.btnChooseDir_Click();
    ASSERT_EQ(h.picker.calls.size(), 1u);
    EXPECT_EQ(h.picker.calls[0].first, "Choose your 1503 installation to work on:");
    EXPECT_EQ(h.picker.calls[0].second, "C:\\Games\\ANNO 1503");
    EXPECT_EQ(h.ui.Caption(Ctl::lblDATPath), other.shown());
    EXPECT_EQ(h.folders.strDATPath, other.shown());
    EXPECT_EQ(h.settings.values["DATPath"], other.shown());
    // Refreshed as after an activation: identification, hint, list and button of the new folder.
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 AddOn version v2.xx");
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], Rgb(0, 255, 255));
    ASSERT_EQ(h.ui.items.size(), 6u);
    EXPECT_EQ(h.ui.items[5], "BGruppen_Theirs.dat (Theirs)");
    EXPECT_EQ(h.ui.index, 1);
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate),
              "Activate BGruppen.dat for 1503 Classic version v1.xx");
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
    EXPECT_TRUE(h.ui.messages.empty());

    // A drive root keeps its one backslash; a folder without BGruppen.dat is taken as it is.
    h.picker.answers.push_back("E:\\");
    h.logic.btnChooseDir_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::lblDATPath), "E:\\");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "No BGruppen.dat in the data folder");
    EXPECT_EQ(h.ui.items.size(), 5u);
}

TEST_F(Handlers, ChosenInstallationFolderMeansItsDataFolder) {
    // An installation taken for its Data subfolder: the end-to-end Cyrillic folder button test.
    TempFolder game;
    std::filesystem::create_directory(game.path() / "Data");
    game.Write("Data/BGruppen.dat", ";KE\r\n");
    h.picker.answers.push_back(game.path().string());
    h.logic.btnChooseDir_Click();
    EXPECT_EQ(h.folders.strDATPath, game.shown() + "Data\\");

    // A folder that holds BGruppen.dat itself stays the data folder, Data subfolder or not.
    game.Write("BGruppen.dat", ";Classic\r\n");
    h.picker.answers.push_back(game.path().string());
    h.logic.btnChooseDir_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::lblDATPath), game.shown());
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "BGruppen.dat for 1503 Classic version v1.xx");
}

TEST_F(Handlers, CreditsOpenTheWebPage) {
    h.logic.lblCR_Click();
    ASSERT_EQ(h.launchers.launches.size(), 1u);
    const LaunchRecord& launch = h.launchers.launches[0];
    EXPECT_EQ(launch.progName, "");
    EXPECT_EQ(launch.paras.rfind("http://", 0), 0u);
    EXPECT_EQ(launch.paras.substr(launch.paras.size() - 10), "/VEROZavuv");
    EXPECT_EQ(launch.winMode, 1);
    EXPECT_TRUE(h.ui.messages.empty());

    h.launchers.failLaunch = true;
    h.logic.lblCR_Click();
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, "Client konnte nicht gestartet werden...");
    EXPECT_EQ(h.ui.messages[0].flags, MB_ICONINFORMATION_VALUE);
    EXPECT_EQ(h.ui.messages[0].title, "!!! Problem !!!");
    EXPECT_EQ(h.launchers.launches.size(), 2u);
}

TEST_F(Handlers, CaptionFollowsTheWindowState) {
    const std::pair<WindowState, const char*> cases[] = {
        {WindowState::Minimized, "Varnholt"},
        {WindowState::Maximized, "Varnholt"},
        {WindowState::Normal, "Marrik's ANNO 1503 Varnholt v1.00"}};
    for (const auto& [state, caption] : cases) {
        h.ui.state = state;
        h.logic.Form_Resize();
        EXPECT_EQ(h.ui.formCaption, caption) << static_cast<int>(state);
    }
}
