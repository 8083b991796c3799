// varnholt.exe while a program from the game's installation folder runs: the window asks before
// it activates, the command line changes nothing and exits 5, Start launches no second starter;
// and Varnholt itself lying in the installation folder is no running game.
#include "tests/e2e/InstalledGame.h"

#include <string>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

namespace {

class GameRunning : public InstalledGame {
  protected:
    GameRunning() : InstalledGame("vh-game") {}

    App standIn;
    App other; // a second Varnholt
    // Set at the end: the stand-in game waits for it.
    KernelHandle release;

    void TearDown() override {
        if (release) {
            SetEvent(release.get());
        }
        Kill(standIn);
        Kill(other);
        InstalledGame::TearDown();
    }

    // The probe as the running game, in a folder below the installation folder; it waits until
    // the test ends. Its report says it runs.
    void GameRuns() {
        const std::wstring bin = game + L"\\Bin";
        CreateDirectoryW(bin.c_str(), nullptr);
        const std::wstring program = bin + L"\\1503.exe";
        ASSERT_TRUE(
            CopyFileW((ExeFolder() + L"varnholt_probe.exe").c_str(), program.c_str(), FALSE));
        const std::wstring event = L"vh-game-" + std::to_wstring(GetCurrentProcessId());
        release.reset(CreateEventW(nullptr, TRUE, FALSE, event.c_str()));
        ASSERT_TRUE(release);
        const std::wstring report = Widen(root / "game-report.txt");
        ASSERT_TRUE(Start(standIn, program, bin, L"\"" + report + L"\" " + event));
        for (int i = 0; i < 400 && ReadFileBytes(report).empty(); ++i) {
            Sleep(50);
        }
        ASSERT_FALSE(ReadFileBytes(report).empty());
        gamePath = Narrow(program);
    }

    // Runs varnholt.exe (by default the one under test) quietly with `arguments`: its exit code,
    // or -1 when it did not end.
    int RunQuiet(const std::wstring& arguments, const std::wstring& exe = std::wstring()) {
        if (!Start(app, exe, std::wstring(), arguments)) {
            return -1;
        }
        DWORD code = 0;
        return WaitForExit(app, WAIT_MS, &code) ? static_cast<int>(code) : -1;
    }

    std::string Current() const { return ReadFileBytes(DataFile(L"BGruppen.dat")); }
    std::string gamePath;
};

} // namespace

TEST_F(GameRunning, OnlyTheGameCountsAndWhileItRunsNothingChangesAndNothingStarts) {
    Installation();
    Starter();
    // Varnholt itself in the installation folder, as players often keep it, is no game: before
    // the game runs, a run of it activates.
    const std::wstring beside = game + L"\\varnholt.exe";
    ASSERT_TRUE(CopyFileW((ExeFolder() + L"varnholt.exe").c_str(), beside.c_str(), FALSE));
    EXPECT_EQ(RunQuiet(L"/activate AddOn /quiet", beside), 0);
    EXPECT_EQ(Current(), ADDON);
    // The window of a Varnholt in the installation folder, and a second run of it that tells
    // that one runs already: neither is the game, which is named instead.
    ASSERT_TRUE(Start(app, beside));
    HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Start(other, beside, std::wstring(), L"/activate Classic"));
    Box told;
    ASSERT_TRUE(WaitForBox(other, WAIT_MS, told)); // open until the window has ended
    GameRuns();
    Select(main, 1); // the Classic variant, not the current one
    ASSERT_TRUE(Settle(main));

    Click(main, Ctl::btnActivate);
    Box question;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, question));
    EXPECT_EQ(question.title, TITLE);
    EXPECT_NE(question.text.find("ANNO 1503 is running"), std::string::npos) << question.text;
    EXPECT_NE(question.text.find(gamePath), std::string::npos) << question.text;
    // No is the default: the button with the focus, which Enter presses.
    GUITHREADINFO input = {};
    input.cbSize = sizeof input;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(question.hwnd, nullptr), &input));
    EXPECT_EQ(GetDlgCtrlID(input.hwndFocus), IDNO);
    ASSERT_TRUE(Answer(question, IDNO));
    ASSERT_TRUE(Settle(main));
    Box none;
    EXPECT_FALSE(FindBox(app.process.dwProcessId, none));
    EXPECT_EQ(Current(), ADDON);

    // The stand-in shows no window to bring forward: Varnholt says the game runs, starts
    // nothing and ends.
    Click(main, Ctl::btnANNOStart);
    Box running;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, running));
    EXPECT_NE(running.text.find(gamePath), std::string::npos) << running.text;
    ASSERT_TRUE(Answer(running));
    EXPECT_TRUE(WaitForExit(app, WAIT_MS));
    ASSERT_TRUE(Answer(told));
    EXPECT_TRUE(WaitForExit(other, WAIT_MS));

    // The command line changes nothing and exits 5 before any start; with nothing to activate,
    // /start finds the game and starts no second one.
    EXPECT_EQ(RunQuiet(L"/activate Classic /start /quiet", beside), 5);
    EXPECT_EQ(Current(), ADDON);
    EXPECT_EQ(RunQuiet(L"/start /quiet"), 0);
    Sleep(2000); // a starter launched all the same would have written its report by now
    EXPECT_TRUE(ReadFileBytes(game + L"\\probe-report.txt").empty());
}
