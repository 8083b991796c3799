// The screen's dots per inch as the window needs them, on every Windows from 7 on: the newer
// per-monitor functions where the system has them, the system-wide values where it does not.
#pragma once

#include <windows.h>

namespace varnholt {

// The dots per inch of the screen the window is on.
int DpiOfWindow(HWND window);
// The dots per inch of the primary screen, where the window opens.
int DpiOfPrimaryScreen();
// A system metric (SM_CXICON, SM_CXCURSOR, ...) as the system gives it at `dpi`.
int SystemMetricAtDpi(int index, int dpi);
// The outer size of a window with the given styles whose client area is `width` x `height`
// pixels at `dpi`.
SIZE FrameSizeAtDpi(int width, int height, DWORD style, DWORD exStyle, int dpi);

} // namespace varnholt
