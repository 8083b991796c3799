// While a program of the game's installation folder runs: which programs count as the game, the
// question before an activation in the window, the command line's exit code 5, Start bringing
// the game forward instead of a second starter, and the cause named in a failure.
#include "core/RunningGame.h"
#include "Fakes.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string GAME_EXE = "C:\\Games\\ANNO 1503\\1503.exe";

// The Classic variant current and the AddOn variant beside it, while the game runs.
struct GameRuns : AddOnSwitch {
    const std::string classic = ";Classic\r\nclassic groups\r\n";
    RecordedOutput output;

    void SetUp() override {
        Install(classic);
        data.Write("BGruppen_Classic.dat", classic);
        h.processes.programs = {{7, "C:\\Windows\\explorer.exe"}, {42, GAME_EXE}};
    }
    // The window started, the AddOn variant selected.
    void Shown() {
        ASSERT_TRUE(h.logic.InitProg());
        h.ui.index = 2;
        h.logic.lstDATs_Click();
        h.ui.messages.clear();
    }
    int Run(const std::string& line) { return h.Run(output, line); }
};

} // namespace

TEST(RunningGame, ProgramsInTheInstallationFolderOrBelowItInAnyLetterCase) {
    const std::pair<std::string, bool> cases[] = {
        {"C:\\Games\\ANNO 1503\\1503startup.exe", true},
        {"c:\\games\\anno 1503\\Tools\\Editor.EXE", true},
        {"C:\\Games\\ANNO 1503 Tools\\1503.exe", false}, // a folder beside it, same beginning
        {"C:\\Games\\ANNO 1503.exe", false},
        {"D:\\Games\\ANNO 1503\\1503.exe", false},
        {"1503.exe", false},
        {"\\\\?\\C:\\Games\\ANNO 1503\\1503.exe", true}, // a long path's prefix
    };
    for (const auto& [path, in] : cases) {
        EXPECT_EQ(LiesIn(path, "C:\\Games\\ANNO 1503"), in) << path;
        EXPECT_EQ(LiesIn(path, "C:\\Games\\ANNO 1503\\"), in) << path;
    }
    // Letters beyond ASCII compare as the platform's file names do: ИГРЫ and игры.
    EXPECT_TRUE(LiesIn("D:\\\xD0\x98\xD0\x93\xD0\xA0\xD0\xAB\\1503.exe",
                       "D:\\\xD0\xB8\xD0\xB3\xD1\x80\xD1\x8B"));
    EXPECT_TRUE(LiesIn(GAME_EXE, "\\\\?\\c:\\games\\anno 1503"));
    EXPECT_TRUE(LiesIn("\\\\srv\\games\\1503.exe", "\\\\?\\UNC\\srv\\games"));
    // An empty installation folder names none: nothing counts as the game.
    EXPECT_TRUE(ProgramsIn({{1, "C:\\1503.exe"}, {2, "1503.exe"}}, "").empty());
    // A game in a drive's root: Windows' own programs on that drive are not the game.
    for (const char* root : {"C:\\", "\\\\?\\C:\\"}) {
        const std::vector<RunningProgram> game =
            ProgramsIn({{1, "C:\\Windows\\explorer.exe"}, {2, "C:\\1503.exe"}}, root);
        ASSERT_EQ(game.size(), 1u) << root;
        EXPECT_EQ(game[0].id, 2u);
    }
}

TEST_F(GameRuns, ActivateAsksFirstAndNoChangesNothing) {
    Shown();
    EXPECT_EQ(h.processes.lookups, 0); // the start-up does not look
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        h.ui.messages.clear();
        h.ui.answerWarningYes = yes;
        h.logic.btnActivate_Click();
        ASSERT_FALSE(h.ui.messages.empty());
        // Its title and text, naming the game's program: the end-to-end GameRunning test.
        EXPECT_EQ(h.ui.messages[0].flags, WARNING_QUESTION_TEST);
        EXPECT_EQ(h.ui.messages.size(), yes ? 2u : 1u); // Yes: the activation's message
        EXPECT_EQ(data.Read("BGruppen.dat"), yes ? ADDON_GROUPS : classic);
        h.ui.index = 2;
        h.logic.lstDATs_Click();
        data.Write("BGruppen.dat", classic);
    }
}

TEST_F(GameRuns, ARelativeInstallationFolderAndActivatingAnAddedVariantAskAsWell) {
    // A relative installation folder counts from the working folder (C:\Work for the fakes).
    h.registry.values["GAMEPATH"] = "Games\\ANNO 1503";
    h.processes.programs = {{42, "C:\\Work\\Games\\ANNO 1503\\1503.exe"}};
    Shown();
    h.logic.btnActivate_Click();
    TempFolder downloads;
    downloads.Write("BGruppen_Harbour.dat", ";Harbour\r\n");
    h.ui.answerYes = true; // "Activate it now?"
    EXPECT_EQ(h.logic.AddVariant(downloads.shown() + "BGruppen_Harbour.dat", AddOptions()),
              AddResult::Added);
    ASSERT_EQ(h.ui.messages.size(), 3u);
    EXPECT_EQ(h.ui.messages[0].flags, WARNING_QUESTION_TEST);
    EXPECT_EQ(h.ui.messages[2].flags, WARNING_QUESTION_TEST);
    EXPECT_EQ(data.Read("BGruppen.dat"), classic);
}

TEST_F(GameRuns, CommandLineExitsFiveBeforeAnyStartAndChangesNothing) {
    EXPECT_EQ(Run("/activate AddOn /start"), EXIT_GAME_RUNS);
    ASSERT_EQ(output.messages.size(), 1u);
    EXPECT_NE(output.messages[0].text.find(GAME_EXE), std::string::npos);
    EXPECT_EQ(output.messages[0].flags, MB_ICONEXCLAMATION_VALUE);
    EXPECT_EQ(Run("/activate AddOn /quiet"), EXIT_GAME_RUNS);
    EXPECT_EQ(output.messages.size(), 1u);
    EXPECT_EQ(data.Read("BGruppen.dat"), classic);
    EXPECT_TRUE(h.launchers.launches.empty());
    // Nothing to change: the variant is current already, and /start finds the running game.
    h.processes.withWindow = {42};
    EXPECT_EQ(Run("/activate Classic /start /quiet"), EXIT_DONE);
    EXPECT_EQ(h.processes.broughtToFront, std::vector<std::uint32_t>{42});
    // Adding is no activation.
    TempFolder downloads;
    downloads.Write("BGruppen_Harbour.dat", ";Harbour\r\n");
    EXPECT_EQ(Run("/add \"" + downloads.shown() + "BGruppen_Harbour.dat\" /quiet"), EXIT_DONE);
    EXPECT_TRUE(h.launchers.launches.empty());
}

TEST_F(GameRuns, StartBringsTheGameForwardInsteadOfASecondStarter) {
    Shown();
    h.processes.programs.push_back({43, "C:\\Games\\ANNO 1503\\Bin\\1503.exe"});
    h.processes.withWindow = {43};
    h.logic.btnANNOStart_Click();
    EXPECT_TRUE(h.launchers.launches.empty());
    EXPECT_EQ(h.processes.broughtToFront, std::vector<std::uint32_t>{43});
    EXPECT_EQ(h.ui.events, (std::vector<std::string>{"minimize", "doevents", "doevents", "end"}));
}
