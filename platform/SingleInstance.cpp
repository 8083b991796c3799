#include "SingleInstance.h"

#include <string>

namespace varnholt {

SingleInstance::SingleInstance(const wchar_t* name) {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (std::wstring(L"Local\\") + name).c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    // A mark that exists but may not be opened is held by another Varnholt all the same. The
    // system removes the mark with the last process that holds it, also after a crash.
    anotherRuns_ =
        error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED);
}

bool BringWindowForward(const wchar_t* windowClass) {
    const HWND window = FindWindowW(windowClass, nullptr);
    if (window == nullptr) {
        return false;
    }
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    // The window's last active popup is its message box or picker while one is open.
    SetForegroundWindow(GetLastActivePopup(window));
    return true;
}

} // namespace varnholt
