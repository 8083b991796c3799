#include "Win32Processes.h"

#include "../core/Marker.h"
#include "Handles.h"
#include "ProcessWindows.h"
#include "Text.h"

#include <windows.h>

#include <tlhelp32.h>

namespace varnholt {

namespace {

// The longest path the system gives, in characters.
constexpr DWORD LONGEST_PATH = 32768;

// The file name of `path`, as file names compare.
std::string FileNameOf(const std::wstring& path) {
    return LowerName(Narrow(path.substr(path.find_last_of(L"\\/") + 1)));
}

} // namespace

std::vector<RunningProgram> Win32ProcessList::OtherPrograms() {
    std::vector<RunningProgram> programs;
    // The snapshot, like CreateFileW, marks its failure with INVALID_HANDLE_VALUE.
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return programs;
    }
    const DWORD self = GetCurrentProcessId();
    std::wstring path(LONGEST_PATH, L'\0');
    // Another Varnholt (one handing files over, or one telling that this one runs) is no game,
    // even a copy kept in the installation folder.
    const std::string varnholt =
        FileNameOf(path.substr(0, GetModuleFileNameW(nullptr, &path[0], LONGEST_PATH)));
    std::wstring longPath(LONGEST_PATH, L'\0');
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more != FALSE;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == self || entry.th32ProcessID == 0) {
            continue;
        }
        // The limited right is granted for a process of a higher integrity level too, so an
        // elevated game is seen by an ordinary Varnholt. A process that refuses even that (the
        // system's own protected ones) is no game.
        const KernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        DWORD length = LONGEST_PATH;
        if (!process || QueryFullProcessImageNameW(process.get(), 0, &path[0], &length) == FALSE) {
            continue;
        }
        // A program started by its 8.3 short name: by its long name, as the window shows folders.
        const DWORD longLength = GetLongPathNameW(path.c_str(), &longPath[0], LONGEST_PATH);
        const std::wstring image = longLength > 0 && longLength < LONGEST_PATH
                                       ? longPath.substr(0, longLength)
                                       : path.substr(0, length);
        if (FileNameOf(image) != varnholt) {
            programs.push_back({entry.th32ProcessID, Narrow(image)});
        }
    }
    return programs;
}

bool Win32ProcessList::BringToFront(std::uint32_t id) {
    // Its main window: one that no other window owns.
    const HWND found =
        FirstWindowOf(id, [](HWND window) { return GetWindow(window, GW_OWNER) == nullptr; });
    if (found == nullptr) {
        return false;
    }
    if (IsIconic(found)) {
        ShowWindow(found, SW_RESTORE);
    }
    // The window's last active popup is its dialog while one is open.
    SetForegroundWindow(GetLastActivePopup(found));
    return true;
}

} // namespace varnholt
