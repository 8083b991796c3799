// The small interfaces through which the variant management reaches the outside world:
// the registry reader, the settings store, the file system, the folder picker, the program
// launcher and the controls of the main window. The Win32 implementations live in platform/
// and app/; the native tests supply fakes. All texts are UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varnholt {

// Root key handles as the registry defines them.
constexpr std::uint32_t HKEY_LOCAL_MACHINE_VALUE = 0x80000002u;
// Type selectors of GetRegValue: the registry's codes for REG_SZ and REG_DWORD.
constexpr int REG_TYPE_TEXT = 1;
constexpr int REG_TYPE_NUMBER = 4;

class RegistryReader {
  public:
    virtual ~RegistryReader() = default;
    // True when a value was delivered into `out`; false leaves `out` untouched.
    virtual bool GetRegValue(std::uint32_t hive, const std::string& keyPath,
                             const std::string& valueName, int typeSelector, std::string& out) = 0;
};

// The per-user settings store: application "Marrik's ANNO 1503-Tools", section "Varnholt".
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Delivers the stored value, or `defaultValue` when the key is absent. False when the store
    // could not be read; `out` then keeps its previous content.
    virtual bool GetSetting(const std::string& key, const std::string& defaultValue,
                            std::string& out) = 0;
    virtual bool SaveSetting(const std::string& key, const std::string& value) = 0;
};

// The error state of a checked file operation: number 0 means no failure. The number is the
// platform's error code, the description the platform's text for it.
struct FileError {
    std::uint32_t number = 0;
    std::string description;
    bool failed() const { return number != 0; }
};

// The platform's error code for access that was denied.
constexpr std::uint32_t ERROR_ACCESS_DENIED_VALUE = 5;
// The platform's error code for a file that another program holds open.
constexpr std::uint32_t ERROR_SHARING_VIOLATION_VALUE = 32;

// What tells a file or folder apart from every other, however a path spells it (a short name,
// a "\\?\" prefix, a substituted drive, a junction): its volume's serial number and its index on
// that volume.
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileId& other) const {
        return volume == other.volume && index == other.index;
    }
};

// A file found by a listing: its name (without folder) and its length in bytes.
struct FileEntry {
    std::string name;
    std::uint64_t length = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Length in bytes; false when it cannot be determined.
    virtual bool FileLength(const std::string& path, std::uint64_t& length) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Reads at most `maxBytes` bytes of the file's start, stops before the first carriage
    // return and decodes the 8-bit text of the system's code page. False when the file cannot
    // be opened or read.
    virtual bool ReadFirstLine(const std::string& path, std::size_t maxBytes,
                               std::string& line) = 0;
    // The first line of a file's start `bytes` as ReadFirstLine delivers it: up to the first
    // carriage return, decoded from the system's code page.
    virtual std::string FirstLineOf(const std::string& bytes) = 0;
    // Tells whether the file exists and could be removed now (not read-only, not locked by
    // another program, not a folder), without removing it.
    virtual FileError CheckDeletable(const std::string& path) = 0;
    // Copies `source` to `target`, replacing a file of that name, and flushes the copy to disk.
    virtual FileError CopyFileTo(const std::string& source, const std::string& target) = 0;
    // Writes `bytes` as the whole content of the file `path`, replacing a file of that name, and
    // flushes it to disk.
    virtual FileError WriteBytes(const std::string& path, const std::string& bytes) = 0;
    // Renames `from` to `to` in one step; with `replace` an existing `to` is replaced
    // atomically, without it an existing `to` makes the rename fail.
    virtual FileError RenameFile(const std::string& from, const std::string& to, bool replace) = 0;
    virtual FileError DeleteFileAt(const std::string& path) = 0;
    // Names (without folder) of the ordinary files in `folder` that match `pattern` (a
    // wildcard, matched without regard to case), in the listing's order. False when the
    // listing failed outright; the names found until then stay in `names`.
    virtual bool ListFiles(const std::string& folder, const std::string& pattern,
                           std::vector<std::string>& names) = 0;
    // As ListFiles, with each file's length. This default asks for each length on its own and
    // leaves out a file whose length cannot be read; a listing that carries the lengths
    // anyway overrides it.
    virtual bool ListFilesWithLengths(const std::string& folder, const std::string& pattern,
                                      std::vector<FileEntry>& entries) {
        std::vector<std::string> names;
        const bool complete = ListFiles(folder, pattern, names);
        for (const std::string& name : names) {
            FileEntry entry{name, 0};
            if (FileLength(folder + name, entry.length)) {
                entries.push_back(entry);
            }
        }
        return complete;
    }
    // Reads at most `maxBytes` bytes of the file's start into `bytes`, as they are. False when the
    // file cannot be opened or read; this default reads nothing.
    virtual bool ReadBytes(const std::string& path, std::size_t maxBytes, std::string& bytes) {
        (void)path;
        (void)maxBytes;
        (void)bytes;
        return false;
    }
    // The identity of the file or folder `path`; false when it cannot be told. This default tells
    // none, so that a caller falls back to comparing the paths' spelling.
    virtual bool FileIdentity(const std::string& path, FileId& id) {
        (void)path;
        (void)id;
        return false;
    }
    // True when both files could be read whole and hold the same bytes. This default reads no
    // contents and reports no match, so that a caller that keeps what matches nothing keeps a
    // copy rather than risk losing one.
    virtual bool SameContent(const std::string& first, const std::string& second) {
        (void)first;
        (void)second;
        return false;
    }
};

// A moment in local time, to the minute.
struct LocalTime {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};

class FolderPicker {
  public:
    virtual ~FolderPicker() = default;
    // The chosen folder's path, or the empty text when the user cancelled.
    virtual std::string BrowseForFolder(const std::string& prompt,
                                        const std::string& startFolder) = 0;
};

// One program launch, as the launcher class offers it.
class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual bool EPError() const = 0;
    virtual void ExecProg() = 0;
    virtual bool IsRunning() = 0;
    virtual std::string ProgName() const = 0;
    virtual void WinMode(std::int32_t lngWinMode) = 0;
    virtual void WorkDir(const std::string& szWD) = 0;
    virtual void ProgName(const std::string& strProgName) = 0;
    virtual void ProgParas(const std::string& strParas) = 0;
};

class LauncherFactory {
  public:
    virtual ~LauncherFactory() = default;
    virtual std::unique_ptr<Launcher> CreateLauncher() = 0;
    // The full path of the system's own program `name` (such as "notepad.exe"): in the Windows
    // folder, else in the system folder; never one found in the working or the program's folder.
    virtual std::string SystemProgram(const std::string& name) = 0;
    // The full path of the file `path`: a relative one is resolved against the working folder,
    // as the file system resolves a relative data folder, so that a program launched by it is
    // never looked for along the system's search order.
    virtual std::string FullPath(const std::string& path) = 0;
    // Where the file `path` (a full path) really lies, for another program to show or open it.
    // Under the system's file virtualization (the 32-bit exe, which requests no execution level,
    // with the game below Program Files) this process reads and writes its own copy in the
    // VirtualStore, which Explorer and the editor, not virtualized, do not see at `path`: that
    // copy's path where one exists; else `path`.
    virtual std::string WhereFileLies(const std::string& path) = 0;
};

// A running program: its process's number and the full path of its program file.
struct RunningProgram {
    std::uint32_t id = 0;
    std::string path;
};

// The programs running on this computer. Asked only when the player acts, never at start-up.
class ProcessList {
  public:
    virtual ~ProcessList() = default;
    // Every process but this one and other Varnholts whose program file can be told, by its long
    // name, also one that runs elevated, in the system's order.
    virtual std::vector<RunningProgram> OtherPrograms() = 0;
    // Brings the main window of the process `id` to the front, restored if minimised. False
    // when the process shows none.
    virtual bool BringToFront(std::uint32_t id) = 0;
};

// Show-window codes handed to the launcher.
constexpr std::int32_t SW_SHOWNORMAL_VALUE = 1;
constexpr std::int32_t SW_SHOWMAXIMIZED_VALUE = 3;

// Message box flags as the platform defines them.
constexpr int MB_OK_VALUE = 0;
constexpr int MB_ICONSTOP_VALUE = 16;
constexpr int MB_ICONEXCLAMATION_VALUE = 48;
constexpr int MB_ICONINFORMATION_VALUE = 64;

// The controls of the main window, in the order of its design.
enum class Ctl {
    btnANNOStart,
    btnChooseDir,
    btnActivate,
    lstDATs,
    btnView,
    btnDone,
    lblHint,
    lblCurrDAT,
    Label2,
    Label1,
    lblCR,
    lblANNOVers,
    lblDATPath,
    lblANNOPath,
};

enum class WindowState { Normal, Minimized, Maximized };

// How the name dialog ended: a name given, cancelled by the player, or the dialog could not open.
enum class NameAnswer { Given, Cancelled, NotShown };

// What the variant management and the handlers need of the main window: the captions, colours
// and enabled states of its controls, the list, message boxes, the beep and the window itself.
class FormControls {
  public:
    virtual ~FormControls() = default;
    virtual std::string Caption(Ctl control) const = 0;
    virtual void SetCaption(Ctl control, const std::string& text) = 0;
    virtual void SetForeColor(Ctl control, std::uint32_t rgb) = 0;
    virtual void SetEnabled(Ctl control, bool enabled) = 0;

    // Switches the list's drawing off while it is refilled, and back on (redrawing it) after.
    virtual void SetListRedraw(bool on) = 0;
    virtual void ListClear() = 0;
    virtual void ListAdd(const std::string& text) = 0;
    virtual int ListCount() const = 0;
    // The selected position, or -1 when nothing is selected.
    virtual int ListIndex() const = 0;
    // Selects a position inside the list; raises no event of its own.
    virtual void SetListIndex(int index) = 0;
    virtual std::string ListText(int index) const = 0;

    virtual void Beep() = 0;
    // A modal message box with an OK button; `flags` carries the icon.
    virtual void MsgBox(const std::string& text, int flags, const std::string& title) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // A modal question with Yes and No, the warning icon and No as the default button; true for
    // Yes.
    virtual bool AskYesNoWarning(const std::string& text, const std::string& title) = 0;
    // The modal dialog that asks for the name X of a new variant file BGruppen_X.dat for the
    // file `source`, its field prefilled with `name`. It shows the file's full path and, where
    // not empty, its `firstLine`, so that a player who added several files knows which one it
    // asks about. `problemOf` tells why a name cannot be taken (empty when it can); the dialog
    // shows that and keeps asking. Given with the accepted name in `name`.
    virtual NameAnswer
    AskVariantName(std::string& name, const std::string& source, const std::string& firstLine,
                   const std::function<std::string(const std::string&)>& problemOf) = 0;

    virtual void SetFormCaption(const std::string& text) = 0;
    virtual WindowState FormWindowState() const = 0;
    virtual void MinimizeForm() = 0;
    // Lets the window process its pending events.
    virtual void DoEvents() = 0;
    // Ends the program: the window closes and no further handler runs. The caller returns
    // straight after this call.
    virtual void EndProgram() = 0;
};

// RGB colours in the platform's COLORREF layout (red in the lowest byte).
constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

} // namespace varnholt
