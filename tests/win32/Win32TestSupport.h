// Helpers of the Win32 tests: a temporary folder with real files and a registry key of the
// test's own, both removed again when the test ends.
#pragma once

#include "platform/Text.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt::test {

// The root key handle as GetRegValue takes it.
inline std::uint32_t HiveValue(HKEY root) {
    return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(root));
}

// A number that differs between the test runs of one process and between processes.
inline std::string UniqueSuffix() {
    static unsigned counter = 0;
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

// True when the system's ANSI code page holds the German umlaut ä as one byte, as the Western
// code page 1252 does; the tests of the ANSI conversion need such a code page.
inline bool AnsiHasUmlauts() {
    BOOL lossy = FALSE;
    char converted[8] = {};
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u00e4", 1, converted,
                                           sizeof converted, nullptr, &lossy);
    return length == 1 && !lossy;
}

inline void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
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
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// A fresh folder below the system's temporary folder. Paths are UTF-8, as the program's own.
class TempFolder {
  public:
    explicit TempFolder(const std::string& tag = "varnholt") {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        folder_ = Narrow(std::wstring(temp, length));
        if (!folder_.empty() && folder_.back() != '\\') {
            folder_ += '\\';
        }
        folder_ += tag + "-" + UniqueSuffix();
        created_ = CreateDirectoryW(Widen(folder_).c_str(), nullptr) != FALSE;
        folder_ += '\\';
    }
    ~TempFolder() { RemoveTree(Widen(withoutBackslash())); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool created() const { return created_; }
    // The folder with its trailing backslash.
    const std::string& path() const { return folder_; }
    std::string withoutBackslash() const { return folder_.substr(0, folder_.size() - 1); }
    std::string operator/(const std::string& name) const { return folder_ + name; }

    // Writes `bytes` to the file `name` and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = folder_ + name;
        HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        return path;
    }

    // The whole content of the file `name`, or "<missing>" when it cannot be opened.
    std::string Read(const std::string& name) const { return ReadPath(folder_ + name); }

    static std::string ReadPath(const std::string& path) {
        HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return "<missing>";
        }
        std::string content;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            content.append(buffer, read);
        }
        CloseHandle(file);
        return content;
    }

    bool Has(const std::string& name) const {
        return GetFileAttributesW(Widen(folder_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    DWORD Attributes(const std::string& name) const {
        return GetFileAttributesW(Widen(folder_ + name).c_str());
    }
    void MakeReadOnly(const std::string& name) const {
        SetFileAttributesW(Widen(folder_ + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void MakeFolder(const std::string& name) const {
        CreateDirectoryW(Widen(folder_ + name).c_str(), nullptr);
    }

  private:
    std::string folder_;
    bool created_ = false;
};

// A registry key the test creates below `root` in the registry view `view`, and deletes with
// everything in it at the end. A key that existed before keeps its other values: only the
// values written through this object are removed then.
class TestKey {
  public:
    TestKey(HKEY root, const std::string& path, REGSAM view = 0)
        : root_(root), path_(Widen(path)), view_(view) {
        DWORD disposition = 0;
        status_ = RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_,
                                  nullptr, &key_, &disposition);
        createdNew_ = status_ == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    }
    ~TestKey() {
        if (key_ == nullptr) {
            return;
        }
        if (createdNew_) {
            RegDeleteTreeW(key_, nullptr);
            RegCloseKey(key_);
            RegDeleteKeyExW(root_, path_.c_str(), view_, 0);
        } else {
            for (const std::wstring& name : written_) {
                RegDeleteValueW(key_, name.c_str());
            }
            RegCloseKey(key_);
        }
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    bool ok() const { return status_ == ERROR_SUCCESS; }
    LONG status() const { return status_; }
    HKEY handle() const { return key_; }

    // Stores `data` byte for byte under `name` (UTF-8) with the type `type`.
    LONG SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        written_.push_back(Widen(name));
        return RegSetValueExW(key_, written_.back().c_str(), 0, type,
                              static_cast<const BYTE*>(data), size);
    }
    // Stores a text through the wide entry point, with its terminating NUL.
    LONG SetText(const std::string& name, const std::wstring& text, DWORD type = REG_SZ) {
        return SetRaw(name, type, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // Stores single-byte text through the ANSI entry point, `size` bytes of it.
    LONG SetAnsi(const std::string& name, const std::string& bytes, DWORD size) {
        written_.push_back(Widen(name));
        return RegSetValueExA(key_, Utf8ToAnsi(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(bytes.c_str()), size);
    }
    LONG SetNumber(const std::string& name, DWORD number) {
        return SetRaw(name, REG_DWORD, &number, sizeof number);
    }

  private:
    HKEY root_;
    std::wstring path_;
    REGSAM view_;
    HKEY key_ = nullptr;
    LONG status_ = ERROR_SUCCESS;
    bool createdNew_ = false;
    std::vector<std::wstring> written_;
};

} // namespace varnholt::test
