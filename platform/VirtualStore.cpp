#include "VirtualStore.h"

#include "Handles.h"
#include "Text.h"

#include <windows.h>

namespace varnholt {

namespace {

bool ProcessVirtualized() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return false;
    }
    const KernelHandle token(raw);
    DWORD enabled = 0;
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenVirtualizationEnabled, &enabled, sizeof enabled,
                               &size) &&
           enabled != 0;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemDrive() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
    return length >= 2 && length <= MAX_PATH && folder[1] == L':' ? Narrow(std::wstring(folder, 2))
                                                                  : std::string();
}

char UpperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

VirtualStoreView SystemVirtualStoreView() {
    return VirtualStoreView{ProcessVirtualized, [] { return EnvironmentValue(L"LOCALAPPDATA"); },
                            SystemDrive, IsFile};
}

std::string VirtualStorePath(const std::string& localAppData, const std::string& systemDrive,
                             const std::string& fullPath) {
    std::string path = fullPath;
    if (path.rfind("\\\\?\\", 0) == 0) {
        path.erase(0, 4);
    }
    const bool onSystemDrive = path.size() > 3 && path[1] == ':' && path[2] == '\\' &&
                               systemDrive.size() == 2 && systemDrive[1] == ':' &&
                               UpperLetter(path[0]) == UpperLetter(systemDrive[0]) &&
                               UpperLetter(path[0]) >= 'A' && UpperLetter(path[0]) <= 'Z';
    if (!onSystemDrive || localAppData.empty()) {
        return std::string();
    }
    const bool slash = localAppData.back() == '\\';
    return localAppData + (slash ? "" : "\\") + "VirtualStore" + path.substr(2);
}

std::string ActualLocation(const std::string& fullPath, const VirtualStoreView& view) {
    if (!view.virtualized()) {
        return fullPath;
    }
    const std::string copy = VirtualStorePath(view.localAppData(), view.systemDrive(), fullPath);
    return !copy.empty() && view.fileExists(copy) ? copy : fullPath;
}

} // namespace varnholt
