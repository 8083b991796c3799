#include "ProcessWindows.h"

namespace varnholt {

namespace {

struct WindowSearch {
    DWORD process;
    bool (*accepts)(HWND window);
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM data) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process && IsWindowVisible(window) && search.accepts(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FirstWindowOf(DWORD process, bool (*accepts)(HWND window)) {
    WindowSearch search{process, accepts, nullptr};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace varnholt
