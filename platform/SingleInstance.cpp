#include "SingleInstance.h"

namespace varnholt {

namespace {

struct ShownWindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM data) {
    ShownWindowSearch& search = *reinterpret_cast<ShownWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window of `process` that takes input, in the order of the screen:
// its message box or folder picker.
HWND ShownWindowOf(DWORD process) {
    ShownWindowSearch search{process, nullptr};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

SingleInstance::SingleInstance(const wchar_t* name) : name_(name) {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (std::wstring(L"Local\\") + name).c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    // A mark that exists but may not be opened is held by another Varnholt all the same. The
    // system removes the mark with the last process that holds it, also after a crash.
    anotherRuns_ =
        error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED);
}

void SingleInstance::MarkRunWithoutWindow() {
    // The system's static class needs no registration; a message-only window is never shown.
    runMark_.reset(CreateWindowExW(0, L"STATIC", name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, GetModuleHandleW(nullptr), nullptr));
}

bool BringWindowForward(const wchar_t* windowClass, const wchar_t* markName) {
    const HWND window = FindWindowW(windowClass, nullptr);
    if (window != nullptr && IsWindowVisible(window)) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        // The window's last active popup is its message box or picker while one is open.
        SetForegroundWindow(GetLastActivePopup(window));
        return true;
    }
    // A message box or picker without an owner: of the hidden window's process, or of a run's.
    const HWND mark =
        window != nullptr ? window : FindWindowExW(HWND_MESSAGE, nullptr, L"STATIC", markName);
    DWORD process = 0;
    if (mark == nullptr || GetWindowThreadProcessId(mark, &process) == 0) {
        return false;
    }
    const HWND shown = ShownWindowOf(process);
    if (shown == nullptr) {
        return false;
    }
    SetForegroundWindow(shown);
    return true;
}

bool HandFilesToWindow(const wchar_t* windowClass, const std::vector<std::wstring>& files) {
    const HWND window = FindWindowW(windowClass, nullptr);
    if (window == nullptr) {
        return false;
    }
    std::wstring block;
    for (const std::wstring& file : files) {
        block += file + L'\0';
    }
    // The running one may bring its dialogs to the front, which Windows allows only to the
    // process that the player last used or one it names.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {};
    data.dwData = FILES_TO_ADD;
    data.cbData = static_cast<DWORD>(block.size() * sizeof(wchar_t));
    data.lpData = &block[0];
    DWORD_PTR answer = 0;
    // A window that hangs is not waited for without end.
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 10000, &answer) != 0 &&
           answer == TRUE;
}

} // namespace varnholt
