// The floor for a window's start: one top-level window of Varnholt's size and frame, built with
// the same toolchain and flags, with nothing in it. It stays until it is closed (the benchmark
// closes it once it has seen it shown and idle) and closes itself after a minute in any case.
//
// Built a second time with BASELINE_IMPORTS, it also loads and starts what Varnholt's exe links
// beside user32 and gdi32: the common controls and advapi32 (the shell and COM Varnholt loads
// only when an action needs them). The two tell apart what a window costs and what the libraries
// cost.
#include <windows.h>

#ifdef BASELINE_IMPORTS
#include "platform/Handles.h"

#include <commctrl.h>
#endif

namespace {

const wchar_t WINDOW_CLASS[] = L"VhBaselineWindow";
constexpr UINT_PTR SAFETY_TIMER = 1;
constexpr UINT SAFETY_MS = 60000;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef BASELINE_IMPORTS
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    varnholt::RegistryKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.receive());
#endif
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = WINDOW_CLASS;
    if (RegisterClassExW(&wc) == 0) {
        return 1;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, 640, 312};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, WINDOW_CLASS, L"Baseline", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return 1;
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetTimer(hwnd, SAFETY_TIMER, SAFETY_MS, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
