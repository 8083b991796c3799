// The Windows-side helpers of the tests, the demo driver and the benchmark: temporary folders and
// whole files, registry keys of a test's own, the game's key and Varnholt's settings as an
// installation has them, the demo's data folder, and the search for top-level windows. Texts
// are UTF-8, converted by the program's own platform/Text.h.
#pragma once

#include "platform/Handles.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnholt::test {

// The root key handle as GetRegValue takes it.
inline std::uint32_t HiveValue(HKEY root) {
    return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(root));
}

// A number that differs between the calls of one process and between processes.
std::string UniqueSuffix();

// True when the system's ANSI code page holds the German umlaut ä as one byte, as the Western
// code page 1252 does; the tests of the ANSI conversion need such a code page.
bool AnsiHasUmlauts();

// Empty when Windows shows its texts in German, as the German tests need (under Wine: a German
// locale, LANG=de_DE.UTF-8, generated on the host); otherwise why the German tests cannot run.
std::string GermanDisplayMissing();

// The folder of the running executable, with a trailing backslash.
std::wstring ExeFolder();

// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Removes a folder with everything in it, read-only files included.
void RemoveTree(const std::wstring& folder);

// A fresh folder below `parent` (by default the system's temporary folder), removed with
// everything in it at the end. Paths are UTF-8, as the program's own.
class TempFolder {
  public:
    explicit TempFolder(const std::string& tag = "varnholt", const std::string& parent = "")
        : folder_(parent) {
        if (folder_.empty()) {
            wchar_t temp[MAX_PATH + 1] = {};
            folder_ = Narrow(std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)));
        }
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
        WriteFileBytes(Widen(folder_ + name), bytes);
        return folder_ + name;
    }
    // The whole content of the file `name`, or "<missing>" when it does not exist.
    std::string Read(const std::string& name) const { return ReadPath(folder_ + name); }
    static std::string ReadPath(const std::string& path) {
        const std::wstring wide = Widen(path);
        return GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES ? "<missing>"
                                                                           : ReadFileBytes(wide);
    }

    bool Has(const std::string& name) const { return Attributes(name) != INVALID_FILE_ATTRIBUTES; }
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
                                  nullptr, key_.receive(), &disposition);
        createdNew_ = status_ == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    }
    ~TestKey() {
        if (createdNew_) {
            RegDeleteTreeW(key_.get(), nullptr);
        }
        for (const std::wstring& name : written_) {
            RegDeleteValueW(key_.get(), name.c_str());
        }
        key_.reset();
        if (createdNew_) {
            RegDeleteKeyExW(root_, path_.c_str(), view_, 0);
        }
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    bool ok() const { return status_ == ERROR_SUCCESS; }
    LONG status() const { return status_; }
    HKEY handle() const { return key_.get(); }

    // Stores `data` byte for byte under `name` (UTF-8) with the type `type`.
    LONG SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        written_.push_back(Widen(name));
        return RegSetValueExW(key_.get(), written_.back().c_str(), 0, type,
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
        return RegSetValueExA(key_.get(), Utf8ToAnsi(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(bytes.c_str()), size);
    }
    LONG SetNumber(const std::string& name, DWORD number) {
        return SetRaw(name, REG_DWORD, &number, sizeof number);
    }

  private:
    HKEY root_;
    std::wstring path_;
    REGSAM view_;
    RegistryKey key_;
    LONG status_ = ERROR_SUCCESS;
    bool createdNew_ = false;
    std::vector<std::wstring> written_;
};

// The game's key below HKEY_LOCAL_MACHINE (in the 32-bit view, where its installer writes it),
// the key of the family of tools Varnholt belongs to below HKEY_CURRENT_USER, and Varnholt's own
// settings key in it.
constexpr const wchar_t* GAME_KEY_PATH = L"Software\\Max-Design\\ANNO1503";
constexpr const wchar_t* TOOLS_KEY_PATH = L"Software\\Marrik's ANNO 1503-Tools";
constexpr const wchar_t* SETTINGS_KEY_PATH = L"Software\\Marrik's ANNO 1503-Tools\\Varnholt";

// The mark scripts/wine-prefix leaves in a prefix it made, and the mark's first line.
constexpr const wchar_t* PREFIX_MARK_PATH = L"C:\\varnholt-prefix.txt";
constexpr const char* PREFIX_MARK_LINE =
    "A Wine prefix made by Varnholt's scripts for its tests, demo and benchmark.";

// True when this process runs under Wine: its ntdll has Wine's own export.
bool UnderWine();
// Empty when the test tools may write and delete the game's key and Varnholt's settings: under
// Wine, in a prefix whose mark at `markPath` says the project's scripts made it. Otherwise one
// line that says why not: the test tools never touch the registry of a player's Windows or of
// a player's own Wine prefix.
std::string RegistryRefusal(bool underWine, const std::wstring& markPath);
inline std::string RegistryRefusal() {
    return RegistryRefusal(UnderWine(), PREFIX_MARK_PATH);
}

// The game's key and Varnholt's settings as the end-to-end tests, the demo and the benchmark set
// them up. It does nothing where RegistryRefusal() is not empty. It removes only what the test
// tools write: Varnholt's settings key, the game's values that WriteGameKey writes, and the keys
// above them that did not exist when this object was made and are left empty. The settings of
// the family's other tools are never touched.
class InstallationKeys {
  public:
    explicit InstallationKeys(const std::wstring& gameKey = GAME_KEY_PATH,
                              const std::wstring& toolsKey = TOOLS_KEY_PATH);

    // Empty, or why this object leaves the registry alone.
    const std::string& refusal() const { return refusal_; }
    // Writes the game's key as its installer would: GAMEPATH `game`, VERSION 1.04,
    // ADDON_VERSION 2.01, LANGUAGE Deutsch.
    bool WriteGameKey(const std::wstring& game);
    // Writes one of Varnholt's settings.
    bool WriteSetting(const wchar_t* name, const std::wstring& value);
    // Removes what the test tools write, as said above; a run that was killed is tidied up too.
    void Clear();

  private:
    std::string refusal_;
    std::wstring gameKey_, makerKey_, toolsKey_, settingsKey_;
    bool makerExisted_ = false, gameExisted_ = false, toolsExisted_ = false;
};

// A synthetic group table: a first line with the variant's marker, then made-up rows.
std::string GroupFile(const std::string& marker, int rows);
// The demo installation's data files: BGruppen.dat as the game installed it, and five variants.
struct DemoFile {
    const wchar_t* name;
    const char* marker;
    int rows;
};
inline constexpr DemoFile DEMO_FILES[] = {
    {L"BGruppen.dat", "Classic", 120},     {L"BGruppen_Classic.dat", "Classic", 120},
    {L"BGruppen_AddOn.dat", "AddOn", 140}, {L"BGruppen_KE.dat", "KE", 160},
    {L"BGruppen_KZA.dat", "KZA", 180},     {L"BGruppen_Harbour.dat", "More harbour workers", 90},
};
// Writes the demo's data files into the folder `data` (without a trailing backslash).
bool WriteDemoFiles(const std::wstring& data);

std::wstring ClassOf(HWND window);
// The first top-level window for which `match` is true, or nullptr.
HWND FindTopLevelWindow(const std::function<bool(HWND)>& match);
// The visible top-level window of the process with the given class, or nullptr.
HWND VisibleWindowOf(DWORD pid, const wchar_t* windowClass);

} // namespace varnholt::test
