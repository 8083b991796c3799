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

} // namespace

VirtualStoreView SystemVirtualStoreView() {
    return VirtualStoreView{ProcessVirtualized, [] { return EnvironmentValue(L"LOCALAPPDATA"); },
                            IsFile};
}

std::string VirtualStorePath(const std::string& localAppData, const std::string& fullPath) {
    std::string path = fullPath;
    if (path.rfind("\\\\?\\", 0) == 0) {
        path.erase(0, 4);
    }
    const bool onDrive = path.size() > 3 && path[1] == ':' && path[2] == '\\' &&
                         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!onDrive || localAppData.empty()) {
        return std::string();
    }
    const bool slash = localAppData.back() == '\\';
    return localAppData + (slash ? "" : "\\") + "VirtualStore" + path.substr(2);
}

std::string ActualLocation(const std::string& fullPath, const VirtualStoreView& view) {
    if (!view.virtualized()) {
        return fullPath;
    }
    const std::string copy = VirtualStorePath(view.localAppData(), fullPath);
    return !copy.empty() && view.fileExists(copy) ? copy : fullPath;
}

} // namespace varnholt
