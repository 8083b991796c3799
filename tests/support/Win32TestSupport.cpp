#include "Win32TestSupport.h"

#include <cstdio>

namespace varnholt::test {

std::string UniqueSuffix() {
    static unsigned counter = 0;
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

bool AnsiHasUmlauts() {
    BOOL lossy = FALSE;
    char converted[8] = {};
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u00e4", 1, converted,
                                           sizeof converted, nullptr, &lossy);
    return length == 1 && !lossy;
}

std::string GermanDisplayMissing() {
    const LANGID shown = GetUserDefaultUILanguage();
    if (PRIMARYLANGID(shown) == LANG_GERMAN) {
        return std::string();
    }
    char number[16];
    std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(shown));
    return std::string("Windows shows its texts in language ") + number +
           ", not German: under Wine, run with LANG=de_DE.UTF-8, a locale the host has "
           "generated (scripts/setup does so)";
}

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::string ReadFileBytes(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find.get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string RegistryRefusal(bool underWine, const std::wstring& markPath) {
    const std::string refusing = "refusing to touch the registry: ";
    const std::string made = " the test tools write the game's key and Varnholt's settings only in "
                             "a Wine prefix that Varnholt's scripts made (scripts/wine-prefix)";
    if (!underWine) {
        return refusing + "this is not Wine;" + made;
    }
    const std::string mark = Narrow(markPath);
    if (GetFileAttributesW(markPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return refusing + "this Wine prefix has no " + mark + ";" + made;
    }
    const std::string text = ReadFileBytes(markPath);
    if (text.substr(0, text.find_first_of("\r\n")) != PREFIX_MARK_LINE) {
        return refusing + mark + " does not mark this Wine prefix as Varnholt's;" + made;
    }
    return std::string();
}

namespace {

constexpr const wchar_t* GAME_VALUES[] = {L"GAMEPATH", L"VERSION", L"ADDON_VERSION", L"LANGUAGE"};

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view) {
    RegistryKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS;
}

// Deletes the key when it holds neither values nor subkeys.
void DeleteIfEmpty(HKEY root, const std::wstring& path, REGSAM view) {
    RegistryKey key;
    DWORD subkeys = 1, values = 1;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS &&
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        subkeys == 0 && values == 0) {
        key.reset();
        RegDeleteKeyExW(root, path.c_str(), view, 0);
    }
}

bool SetRegText(HKEY root, const std::wstring& path, REGSAM view, const wchar_t* name,
                const std::wstring& value) {
    RegistryKey key;
    return RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                           key.receive(), nullptr) == ERROR_SUCCESS &&
           RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
}

} // namespace

InstallationKeys::InstallationKeys(const std::wstring& gameKey, const std::wstring& toolsKey)
    : refusal_(RegistryRefusal()), gameKey_(gameKey),
      makerKey_(gameKey.substr(0, gameKey.rfind(L'\\'))), toolsKey_(toolsKey),
      settingsKey_(toolsKey + L"\\Varnholt") {
    if (refusal_.empty()) {
        makerExisted_ = KeyExists(HKEY_LOCAL_MACHINE, makerKey_, KEY_WOW64_32KEY);
        gameExisted_ = KeyExists(HKEY_LOCAL_MACHINE, gameKey_, KEY_WOW64_32KEY);
        toolsExisted_ = KeyExists(HKEY_CURRENT_USER, toolsKey_, 0);
    }
}

bool InstallationKeys::WriteGameKey(const std::wstring& game) {
    const wchar_t* values[] = {game.c_str(), L"1.04", L"2.01", L"Deutsch"};
    for (int i = 0; i < 4; ++i) {
        if (!refusal_.empty() ||
            !SetRegText(HKEY_LOCAL_MACHINE, gameKey_, KEY_WOW64_32KEY, GAME_VALUES[i], values[i])) {
            return false;
        }
    }
    return true;
}

bool InstallationKeys::WriteSetting(const wchar_t* name, const std::wstring& value) {
    return refusal_.empty() && SetRegText(HKEY_CURRENT_USER, settingsKey_, 0, name, value);
}

void InstallationKeys::Clear() {
    if (!refusal_.empty()) {
        return;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey_.c_str());
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, gameKey_.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                      key.receive()) == ERROR_SUCCESS) {
        for (const wchar_t* name : GAME_VALUES) {
            RegDeleteValueW(key.get(), name);
        }
    }
    key.reset();
    if (!gameExisted_) {
        DeleteIfEmpty(HKEY_LOCAL_MACHINE, gameKey_, KEY_WOW64_32KEY);
    }
    if (!makerExisted_) {
        DeleteIfEmpty(HKEY_LOCAL_MACHINE, makerKey_, KEY_WOW64_32KEY);
    }
    if (!toolsExisted_) {
        DeleteIfEmpty(HKEY_CURRENT_USER, toolsKey_, 0);
    }
}

std::string GroupFile(const std::string& marker, int rows) {
    std::string text = ";" + marker + "\r\n; Varnholt test data, not the game's\r\n";
    for (int i = 0; i < rows; ++i) {
        text += "Gruppe " + std::to_string(i) + " = " +
                std::to_string((i * 37 + marker.size()) % 97) + "\r\n";
    }
    return text;
}

bool WriteDemoFiles(const std::wstring& data) {
    for (const DemoFile& file : DEMO_FILES) {
        if (!WriteFileBytes(data + L"\\" + file.name, GroupFile(file.marker, file.rows))) {
            return false;
        }
    }
    return true;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

namespace {

struct Search {
    const std::function<bool(HWND)>& match;
    HWND found;
};

BOOL CALLBACK TestTopLevel(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    if (search->match(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindTopLevelWindow(const std::function<bool(HWND)>& match) {
    Search search{match, nullptr};
    EnumWindows(TestTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleWindowOf(DWORD pid, const wchar_t* windowClass) {
    return FindTopLevelWindow([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == pid && IsWindowVisible(window) && ClassOf(window) == windowClass;
    });
}

} // namespace varnholt::test
