// The shell and COM are loaded only when an action needs them: a normal start of varnholt.exe
// loads neither, the folder picker loads both.
#include "tests/e2e/InstalledGame.h"

#include <algorithm>
#include <string>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

namespace {

// The shell and what it loads in turn; not shcore.dll, which it loads too, but which the
// window loads for itself to learn the screen's resolution.
const char* const SHELL[] = {"shell32.dll", "shlwapi.dll"};
// COM and what it loads in turn.
const char* const COM[] = {"ole32.dll", "combase.dll", "rpcrt4.dll"};

bool Loaded(const std::vector<std::string>& modules, const std::string& name) {
    return std::find(modules.begin(), modules.end(), name) != modules.end();
}

class OnDemandShell : public InstalledGame {
  protected:
    OnDemandShell() : InstalledGame("vh-shell") {}

    // An installation found through the game's key, its backup made on an earlier run.
    void Installation() {
        ASSERT_TRUE(keys.WriteGameKey(game));
        ASSERT_TRUE(keys.WriteSetting(L"FirstRun", L"1"));
        const std::string classic = GroupFile("Classic", 20);
        ASSERT_TRUE(WriteFileBytes(data + L"\\BGruppen.dat", classic));
        ASSERT_TRUE(WriteFileBytes(data + L"\\BGruppen_Classic.dat", classic));
    }
};

// The modules a bare window of the same toolchain has loaded once it is shown and idle.
std::vector<std::string> BareWindowModules() {
    App bare;
    std::vector<std::string> modules;
    if (!Start(bare, ExeFolder() + L"baseline_window.exe")) {
        return modules;
    }
    for (int waited = 0; waited < 30000; waited += 25) {
        HWND window = FindWindowW(L"VhBaselineWindow", nullptr);
        DWORD pid = 0;
        if (window != nullptr && GetWindowThreadProcessId(window, &pid) != 0 &&
            pid == bare.process.dwProcessId && IsWindowVisible(window) && Settle(window)) {
            modules = LoadedModules(pid);
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(25);
    }
    WaitForExit(bare, 5000);
    Kill(bare);
    return modules;
}

} // namespace

TEST_F(OnDemandShell, NormalStartLoadsNeitherAndThePickerLoadsBoth) {
    // Under Wine a window loads COM as soon as it is shown (for its input methods), so COM counts
    // only where a bare window does without it.
    const std::vector<std::string> bare = BareWindowModules();
    ASSERT_TRUE(Loaded(bare, "user32.dll"));

    Installation();
    ASSERT_TRUE(Start(app));
    HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Settle(main));
    const std::vector<std::string> atStart = LoadedModules(app.process.dwProcessId);
    ASSERT_TRUE(Loaded(atStart, "varnholt.exe")); // the listing itself works
    for (const char* name : SHELL) {
        EXPECT_FALSE(Loaded(atStart, name)) << name << " is loaded at start";
    }
    for (const char* name : COM) {
        EXPECT_FALSE(Loaded(atStart, name) && !Loaded(bare, name))
            << name << " is loaded at start, and a bare window does without it";
    }

    Click(main, Ctl::btnChooseDir);
    Box picker;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, picker));
    const std::vector<std::string> withPicker = LoadedModules(app.process.dwProcessId);
    EXPECT_TRUE(Loaded(withPicker, "shell32.dll"));
    EXPECT_TRUE(Loaded(withPicker, "ole32.dll"));
    ASSERT_TRUE(Answer(picker, IDCANCEL));
    ASSERT_TRUE(Settle(main));
    Click(main, Ctl::btnDone);
    EXPECT_TRUE(WaitForExit(app, WAIT_MS));
}
