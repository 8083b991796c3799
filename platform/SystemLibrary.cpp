#include "SystemLibrary.h"

#include <string>

namespace varnholt {

FARPROC SystemFunction(const wchar_t* library, const char* function) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) {
        // From the system folder only, never from the program's own or the current folder.
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return nullptr;
        }
        const std::wstring path = std::wstring(folder, length) + L"\\" + library;
        module = LoadLibraryW(path.c_str());
    }
    return module != nullptr ? GetProcAddress(module, function) : nullptr;
}

} // namespace varnholt
