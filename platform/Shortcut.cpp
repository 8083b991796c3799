#include "Shortcut.h"

#include "Handles.h"
#include "ShellOnDemand.h"
#include "Text.h"

#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace varnholt {

namespace {

// The class and interfaces of the shell's link object, and the desktop's known folder, as the
// system defines them.
const CLSID CLSID_SHELL_LINK = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_SHELL_LINK_W = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_PERSIST_FILE = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID FOLDER_DESKTOP = {
    0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};

// The shell's link object and its file interface, with COM ready; the failure otherwise.
HRESULT MakeLink(ComRef<IShellLinkW>& link, ComRef<IPersistFile>& file) {
    using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    const auto create = SystemFunctionOf<Create>(COM_LIBRARY, "CoCreateInstance");
    if (create == nullptr || !EnsureCom()) {
        return HRESULT_FROM_WIN32(ERROR_DLL_NOT_FOUND);
    }
    HRESULT result =
        create(CLSID_SHELL_LINK, nullptr, CLSCTX_INPROC_SERVER, IID_SHELL_LINK_W, link.receive());
    if (SUCCEEDED(result)) {
        result = link->QueryInterface(IID_PERSIST_FILE, file.receive());
    }
    return result;
}

FileError FailureOf(HRESULT result) {
    FileError error;
    error.number = static_cast<std::uint32_t>(result);
    error.description = ErrorText(static_cast<DWORD>(result)); // "Error N" where none is known
    return error;
}

std::string FromBuffer(const std::vector<wchar_t>& buffer) {
    return Narrow(std::wstring(buffer.data()));
}

} // namespace

std::string Win32ShortcutShell::DesktopFolder() {
    using KnownFolder = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
    using FreeMemory = void(WINAPI*)(LPVOID);
    const auto known = SystemFunctionOf<KnownFolder>(SHELL_LIBRARY, "SHGetKnownFolderPath");
    const auto free = SystemFunctionOf<FreeMemory>(COM_LIBRARY, "CoTaskMemFree");
    if (known != nullptr && free != nullptr) {
        PWSTR path = nullptr;
        const HRESULT result = known(FOLDER_DESKTOP, 0, nullptr, &path);
        std::string folder = SUCCEEDED(result) && path != nullptr ? Narrow(path) : std::string();
        free(path);
        if (!folder.empty()) {
            return folder;
        }
    }
    using FolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    if (const auto folderPath = SystemFunctionOf<FolderPath>(SHELL_LIBRARY, "SHGetFolderPathW")) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(folderPath(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))) {
            return Narrow(path);
        }
    }
    return std::string();
}

bool Win32ShortcutShell::FileExists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32ShortcutShell::ReadLink(const std::string& path, ShortcutLink& out) {
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    if (FAILED(MakeLink(link, file)) || FAILED(file->Load(Widen(path).c_str(), STGM_READ))) {
        return false;
    }
    // The longest a link's texts may be.
    constexpr int LIMIT = 32768;
    std::vector<wchar_t> buffer(LIMIT, L'\0');
    if (FAILED(link->GetPath(buffer.data(), LIMIT, nullptr, SLGP_RAWPATH))) {
        return false;
    }
    out.target = FromBuffer(buffer);
    buffer.assign(LIMIT, L'\0');
    link->GetArguments(buffer.data(), LIMIT);
    out.arguments = FromBuffer(buffer);
    buffer.assign(LIMIT, L'\0');
    link->GetWorkingDirectory(buffer.data(), LIMIT);
    out.workDir = FromBuffer(buffer);
    buffer.assign(LIMIT, L'\0');
    int index = 0;
    link->GetIconLocation(buffer.data(), LIMIT, &index);
    out.icon = FromBuffer(buffer);
    out.iconIndex = index;
    return true;
}

FileError Win32ShortcutShell::WriteLink(const std::string& path, const ShortcutLink& in) {
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    HRESULT result = MakeLink(link, file);
    if (SUCCEEDED(result)) {
        result = link->SetPath(Widen(in.target).c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->SetArguments(Widen(in.arguments).c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->SetWorkingDirectory(Widen(in.workDir).c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->SetIconLocation(Widen(in.icon).c_str(), in.iconIndex);
    }
    if (SUCCEEDED(result)) {
        result = file->Save(Widen(path).c_str(), TRUE);
    }
    return SUCCEEDED(result) ? FileError{} : FailureOf(result);
}

std::string ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return Narrow(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace varnholt
