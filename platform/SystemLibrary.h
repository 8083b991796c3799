// Functions of the system's own libraries, looked up at run time: for functions that older
// Windows lacks, and for libraries a normal start should not load.
#pragma once

#include <windows.h>

namespace varnholt {

// The address of `function` in the system library `library` (a bare name such as
// L"shell32.dll"), which is loaded from the system folder at the first call and stays loaded;
// nullptr when the library or the function is missing.
FARPROC SystemFunction(const wchar_t* library, const char* function);

template <typename Function>
Function SystemFunctionOf(const wchar_t* library, const char* function) {
    // Through the generic function pointer type, which converts to any other without warning.
    using Generic = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Generic>(SystemFunction(library, function)));
}

} // namespace varnholt
