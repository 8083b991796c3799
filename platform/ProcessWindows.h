// The windows of another process, as the second start and the running game's check look for
// them.
#pragma once

#include <windows.h>

namespace varnholt {

// The first visible top-level window of `process`, in the order of the screen, that `accepts`;
// null when there is none.
HWND FirstWindowOf(DWORD process, bool (*accepts)(HWND window));

} // namespace varnholt
