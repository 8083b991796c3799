#include "SingleInstance.h"

namespace varnholt {

bool WindowOfAnotherProcess(const wchar_t* windowClass) {
    const DWORD self = GetCurrentProcessId();
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        if (GetWindowThreadProcessId(window, &owner) != 0 && owner != self) {
            return true;
        }
    }
    return false;
}

} // namespace varnholt
