// A small program the launcher tests start. It writes what it was started with into the file
// named by its first argument (without arguments: probe-report.txt beside itself, for the
// tests that start it as the game's starter), in UTF-8, one item a line:
//   the current folder
//   STARTUPINFO.wShowWindow, or -1 when STARTF_USESHOWWINDOW is not set
//   the show code WinMain received
// and then, when a second argument names an event, waits until that event is set (at most one
// minute) before it ends. The file appears complete or not at all.
#include "Win32TestSupport.h"

#include <shellapi.h>

#include <string>
#include <vector>

using namespace varnholt;
using namespace varnholt::test;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    LocalMemory argsMemory(args);
    if (args == nullptr) {
        return 2;
    }
    std::wstring output;
    if (count >= 2) {
        output = args[1];
    } else {
        output = ExeFolder() + L"probe-report.txt";
    }
    const std::wstring eventName = count >= 3 ? args[2] : L"";
    argsMemory.reset();

    std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int shown =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? static_cast<int>(startup.wShowWindow) : -1;

    const std::string report = Narrow(std::wstring(folder.data(), length)) + "\n" +
                               std::to_string(shown) + "\n" + std::to_string(nCmdShow) + "\n";
    const std::wstring scratch = output + L".part";
    if (!WriteFileBytes(scratch, report) ||
        !MoveFileExW(scratch.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return 3;
    }
    if (!eventName.empty()) {
        if (const KernelHandle release{OpenEventW(SYNCHRONIZE, FALSE, eventName.c_str())}) {
            WaitForSingleObject(release.get(), 60000);
        }
    }
    return 0;
}
