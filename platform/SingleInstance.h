// Whether another Varnholt has its window open.
#pragma once

#include <windows.h>

namespace varnholt {

// True when a top-level window of the class `windowClass`, shown or not, belongs to another
// process.
bool WindowOfAnotherProcess(const wchar_t* windowClass);

} // namespace varnholt
