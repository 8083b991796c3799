// What the baseline windows share with each other: the class name, the safety timer that closes
// them after a minute, the messages that end them, and their message loop.
#pragma once

#include <windows.h>

namespace varnholt::baseline {

inline const wchar_t WINDOW_CLASS[] = L"VhBaselineWindow";

// The messages every baseline handles alike: the safety timer closes the window, and its end
// ends the program. Everything else goes to the default procedure.
inline LRESULT CALLBACK Closing(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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

// Starts the safety timer and handles messages until the window ends; with `dialog`, its
// keyboard navigation too, as a window of controls does.
inline int Run(HWND hwnd, bool dialog) {
    constexpr UINT_PTR SAFETY_TIMER = 1;
    constexpr UINT SAFETY_MS = 60000;
    SetTimer(hwnd, SAFETY_TIMER, SAFETY_MS, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!dialog || !IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

} // namespace varnholt::baseline
