#include "Dpi.h"

#include "../platform/Handles.h"
#include "../platform/SystemLibrary.h"

namespace varnholt {

namespace {

// Functions of Windows 8.1 and 10, looked up at run time so that the program starts on
// Windows 7 too.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int MDT_EFFECTIVE_DPI_VALUE = 0;

// user32 is loaded in every window program. shcore.dll (Windows 8.1 on) is loaded from the
// system folder only, never a file of that name beside the program (Windows 7 has none of its
// own), and stays loaded for the life of the process, as the system's own libraries do.
struct DpiFunctions {
    GetDpiForWindowFn getDpiForWindow =
        SystemFunctionOf<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    GetSystemMetricsForDpiFn getSystemMetricsForDpi =
        SystemFunctionOf<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi =
        SystemFunctionOf<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    GetDpiForMonitorFn getDpiForMonitor =
        SystemFunctionOf<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions;
    return functions;
}

// The system-wide dots per inch: what Windows 7 gives a program that declares itself aware.
int SystemDpi() {
    const WindowDc screen(nullptr, GetDC(nullptr));
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int DpiOfMonitor(HMONITOR monitor) {
    UINT x = 0, y = 0;
    if (monitor != nullptr && Functions().getDpiForMonitor != nullptr &&
        SUCCEEDED(Functions().getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI_VALUE, &x, &y)) &&
        y > 0) {
        return static_cast<int>(y);
    }
    return SystemDpi();
}

} // namespace

int DpiOfWindow(HWND window) {
    if (Functions().getDpiForWindow != nullptr) {
        const UINT dpi = Functions().getDpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiOfPrimaryScreen() {
    return DpiOfMonitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

int SystemMetricAtDpi(int index, int dpi) {
    if (Functions().getSystemMetricsForDpi != nullptr) {
        return Functions().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    // Before Windows 10 the metrics are those of the system-wide resolution.
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

SIZE FrameSizeAtDpi(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    RECT frame = {0, 0, width, height};
    if (Functions().adjustWindowRectExForDpi == nullptr ||
        !Functions().adjustWindowRectExForDpi(&frame, style, FALSE, exStyle,
                                              static_cast<UINT>(dpi))) {
        frame = RECT{0, 0, width, height};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace varnholt
