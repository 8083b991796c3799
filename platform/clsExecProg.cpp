#include "clsExecProg.h"

#include "Text.h"
#include "VirtualStore.h"

#include <vector>

namespace varnholt {

namespace {

// `name` in the folder that `folderOf` names (GetWindowsDirectoryW or GetSystemDirectoryW);
// empty when there is no such folder.
std::wstring InFolder(UINT(WINAPI* folderOf)(LPWSTR, UINT), const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = folderOf(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring path(folder, length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path + name;
}

// The path the system's `ask(wide, buffer, size)` writes for `path`; `path` itself where it cannot.
template <typename Ask> std::string PathBySystem(const std::string& path, Ask ask) {
    const std::wstring wide = Widen(path);
    const DWORD size = ask(wide.c_str(), nullptr, 0);
    if (size == 0) {
        return path; // an empty or invalid path: the launch fails on it and says so
    }
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = ask(wide.c_str(), buffer.data(), size);
    return length == 0 || length >= size ? path : Narrow(std::wstring(buffer.data(), length));
}

} // namespace

std::string ShellLauncherFactory::SystemProgram(const std::string& name) {
    const std::wstring wide = Widen(name);
    const std::wstring windows = InFolder(GetWindowsDirectoryW, wide);
    const DWORD attributes = GetFileAttributesW(windows.c_str());
    if (!windows.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return Narrow(windows);
    }
    const std::wstring system = InFolder(GetSystemDirectoryW, wide);
    // Where neither holds it, the launch fails on the Windows folder's path and says so.
    return Narrow(system.empty() || GetFileAttributesW(system.c_str()) == INVALID_FILE_ATTRIBUTES
                      ? windows
                      : system);
}

std::string ShellLauncherFactory::FullPath(const std::string& path) {
    return PathBySystem(path, [](const wchar_t* wide, wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wide, size, buffer, nullptr);
    });
}

// The VirtualStore keeps its copies under the long names: a data folder spelt by short names
// (C:\PROGRA~2\...) is first spelt long.
std::string ShellLauncherFactory::WhereFileLies(const std::string& path) {
    return ActualLocation(PathBySystem(path, GetLongPathNameW));
}

clsExecProg::clsExecProg(ShellExecuteFn shell)
    : shell_(shell), workDir_(EnvironmentValue(L"windir")) {}

clsExecProg::~clsExecProg() = default;

void clsExecProg::ExecProg() {
    process_.reset(); // the handle of an earlier launch on this object is no longer asked for
    record_.cbSize = sizeof(SHELLEXECUTEINFOW);
    record_.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    if (!progName_.empty()) {
        wideFile_ = Widen(progName_);
        wideParameters_ = Widen(paras_);
        record_.lpFile = wideFile_.c_str();
        record_.lpParameters = wideParameters_.c_str();
    } else {
        wideFile_ = Widen(paras_);
        record_.lpFile = wideFile_.c_str();
        record_.lpParameters = nullptr;
    }
    wideDirectory_ = Widen(workDir_);
    record_.lpDirectory = wideDirectory_.c_str();
    record_.nShow = winMode_;
    record_.hInstApp = nullptr;
    record_.hProcess = nullptr;
    shell_(&record_); // the outcome is judged by hInstApp
    error_ = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(record_.hInstApp)) <= 32;
    process_.reset(record_.hProcess);
}

bool clsExecProg::IsRunning() {
    switch (WaitForSingleObject(process_.get(), 10)) {
    case WAIT_FAILED:
        error_ = true;
        return false;
    case WAIT_OBJECT_0:
        return false;
    default:
        return true;
    }
}

} // namespace varnholt
