// Drives a running varnholt.exe from another process through window messages, as a player
// would: reads captions and list items, presses buttons, selects list entries, and finds and
// answers message boxes. Used by the end-to-end tests, the demo and the benchmark.
#pragma once

#include "Win32TestSupport.h"
#include "app/Design.h"

#include <windows.h>

#include <string>
#include <vector>

namespace varnholt::drive {

// Helpers of the test support that callers of the driver have long taken from here.
using test::ExeFolder;
using test::WriteFileBytes;
using varnholt::Narrow;
using varnholt::Widen;

struct App {
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    // The owners of process.hProcess and process.hThread, which close them when the App goes.
    KernelHandle processOwner, threadOwner;
    bool running() const;
};

// Starts `exe` (by default varnholt.exe beside this program) with `folder` as its working folder
// and `arguments` after the program's name on its command line.
bool Start(App& app, const std::wstring& exe = std::wstring(),
           const std::wstring& folder = std::wstring(),
           const std::wstring& arguments = std::wstring());
// Waits until the process ends; false on time-out. The exit code lands in `code`.
bool WaitForExit(App& app, DWORD timeoutMs, DWORD* code = nullptr);
void Kill(App& app);

// The file names of the modules loaded in the process, in lower case ("user32.dll"); empty when
// they cannot be listed.
std::vector<std::string> LoadedModules(DWORD pid);

// The visible main window of the process, waited for.
HWND WaitForMainWindow(App& app, DWORD timeoutMs);
// The main window of the process if it exists and is visible now.
HWND VisibleMainWindow(DWORD pid);

struct Box {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;
};
// A visible dialog (message box or folder picker) of the process, waited for.
bool WaitForBox(const App& app, DWORD timeoutMs, Box& box);
// A visible dialog of the process right now.
bool FindBox(DWORD pid, Box& box);
// Closes a dialog with the given button (OK or Cancel) and waits until it is gone.
bool Answer(const Box& box, int id = IDOK);

HWND ControlOf(HWND main, Ctl control);
std::string Text(HWND window);
std::vector<std::string> ListItems(HWND main);
int ListSelection(HWND main);

// Presses a button or clicks the credits label. Returns at once: the handler may open a
// message box, which WaitForBox then finds.
void Click(HWND main, Ctl control);
// Selects a list entry as a click would.
void Select(HWND main, int index);
void DoubleClickList(HWND main);
// Waits until the window has handled everything sent to it so far, or sits in a modal loop.
bool Settle(HWND main, DWORD timeoutMs = 10000);

} // namespace varnholt::drive
