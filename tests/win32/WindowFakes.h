// What the window tests hand the window in place of the outside world: settings in memory, a
// folder picker that is never answered, no launcher, the system's clock, and a demo installation;
// and their helpers: the message pump, a control's rectangle in its window, the design's picture
// and the redrawn window to compare with it, the width of an icon or cursor, a caption's needs
// in a font, and the window saved as a bitmap.
#pragma once

#include "app/Images.h"
#include "app/frmVarnholt.h"
#include "app/resource.h"
#include "core/Ports.h"
#include "platform/Handles.h"
#include "platform/Win32Clock.h"
#include "tests/driver/Driver.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varnholt::test {

struct MemorySettings : SettingsStore {
    explicit MemorySettings(std::map<std::string, std::string> initial)
        : values(std::move(initial)) {}
    std::map<std::string, std::string> values;
    bool GetSetting(const std::string& key, const std::string& def, std::string& out) override {
        auto it = values.find(key);
        out = it == values.end() ? def : it->second;
        return true;
    }
    bool SaveSetting(const std::string& key, const std::string& value) override {
        values[key] = value;
        return true;
    }
};
struct NoPicker : FolderPicker {
    std::string BrowseForFolder(const std::string&, const std::string&) override { return ""; }
};
// A registry without the game's key.
struct NoRegistry : RegistryReader {
    bool GetRegValue(std::uint32_t, const std::string&, const std::string&, int,
                     std::string&) override {
        return false;
    }
};

// Nothing else runs: the window never takes a program for the game.
struct NoProcesses : ProcessList {
    std::vector<RunningProgram> OtherPrograms() override { return {}; }
    bool BringToFront(std::uint32_t) override { return false; }
};

struct NoLaunchers : LauncherFactory {
    std::unique_ptr<Launcher> CreateLauncher() override { return nullptr; }
    std::string SystemProgram(const std::string& name) override { return name; }
    std::string FullPath(const std::string& path) override { return path; }
    std::string WhereFileLies(const std::string& path) override { return path; }
};

// Handles the messages of this thread for `ms` milliseconds.
inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// The control's rectangle in the client coordinates of `parent`.
inline RECT RectIn(HWND control, HWND parent) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The main window opened in this process with the program's resources, wired to `Registry`,
// `Files`, settings that start as `initial`, and the fakes above; made once for a test suite.
template <typename Registry, typename Files> struct OpenedWindow {
    explicit OpenedWindow(std::map<std::string, std::string> initial)
        : settings(std::move(initial)) {}
    // Creates and shows the window and lets it settle in the foreground.
    bool Open() {
        if (!form.Create()) {
            return false;
        }
        SetForegroundWindow(form.Handle());
        Pump(300);
        return true;
    }
    Registry registry;
    MemorySettings settings;
    Files files;
    NoPicker picker;
    NoLaunchers launchers;
    modVarnholt folders;
    Win32Clock clock;
    NoProcesses processes;
    frmVarnholt form{
        GetModuleHandleW(nullptr),
        SystemServices{registry, settings, files, picker, launchers, folders, clock, processes}};
};

// The design's background picture as the program's resources hold it, at 96 dots per inch;
// null when it cannot be loaded. A Picture takes it and selects it into a DC of its own.
inline HBITMAP LoadDesignPicture() {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

// The window redrawn with its children, once the drawing is done, and beside it the design's
// picture: the window's client area and the picture as two DCs, to compare pixel by pixel.
class RedrawnWindow {
  public:
    explicit RedrawnWindow(HWND window)
        : redrawn_(Redraw(window)), bitmap_(LoadDesignPicture()), picture_(bitmap_),
          screen_(window, GetDC(window)) {}
    // Whether the design's picture could be loaded.
    bool loaded() const { return bitmap_ != nullptr; }
    HDC picture() const { return picture_.dc(); }
    HDC screen() const { return screen_.get(); }

  private:
    static bool Redraw(HWND window) {
        const bool done = RedrawWindow(
            window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(200);
        return done;
    }
    bool redrawn_;   // first: the window is drawn before the DCs are taken
    HBITMAP bitmap_; // owned by picture_
    Picture picture_;
    WindowDc screen_;
};

// The width in pixels of an icon's or cursor's image, and its hot spot; 0 for none.
inline int IconWidth(HICON icon, POINT* hotSpot = nullptr) {
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    const GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bm = {};
    GetObjectW(colour ? colour.get() : mask.get(), sizeof bm, &bm);
    if (hotSpot != nullptr) {
        *hotSpot = POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    }
    return static_cast<int>(bm.bmWidth);
}

// The demo installation: the game at version 2.01 (AddOn), its data folder holding the five
// catalogue variants and one further file, and the Classic variant active, which does not fit
// the installation: the longest hint the program shows.
struct GameRegistry : RegistryReader {
    bool GetRegValue(std::uint32_t, const std::string&, const std::string& name, int,
                     std::string& out) override {
        static const std::map<std::string, std::string> values = {
            {"GAMEPATH", "C:\\Games\\ANNO 1503"},
            {"VERSION", "1.04"},
            {"ADDON_VERSION", "2.01"},
            {"LANGUAGE", "Deutsch"}};
        auto it = values.find(name);
        if (it == values.end()) {
            return false;
        }
        out = it->second;
        return true;
    }
};
struct DemoFiles : FileSystem {
    // File name in the data folder -> the marker on its first line.
    const std::map<std::string, std::string> markers{
        {"BGruppen.dat", "Classic"},
        {"BGruppen_Original.dat", "Classic"},
        {"BGruppen_Classic.dat", "Classic"},
        {"BGruppen_AddOn.dat", "AddOn"},
        {"BGruppen_KE.dat", "KE"},
        {"BGruppen_KZA.dat", "KZA"},
        {"BGruppen_Harbour.dat", "More harbour workers"}};
    static std::string NameOf(const std::string& path) {
        return path.substr(path.find_last_of('\\') + 1);
    }
    bool FileLength(const std::string& path, std::uint64_t& length) override {
        length = 4000;
        return markers.count(NameOf(path)) != 0;
    }
    bool FileExists(const std::string& path) override { return markers.count(NameOf(path)) != 0; }
    bool ReadFirstLine(const std::string& path, std::size_t, std::string& line) override {
        auto it = markers.find(NameOf(path));
        if (it == markers.end()) {
            return false;
        }
        line = ";" + it->second;
        return true;
    }
    FileError CheckDeletable(const std::string&) override { return FileError(); }
    FileError CopyFileTo(const std::string&, const std::string&) override { return FileError(); }
    FileError WriteBytes(const std::string&, const std::string&) override { return FileError(); }
    std::string FirstLineOf(const std::string& bytes) override {
        return bytes.substr(0, bytes.find('\r'));
    }
    FileError RenameFile(const std::string&, const std::string&, bool) override {
        return FileError();
    }
    FileError DeleteFileAt(const std::string&) override { return FileError(); }
    bool ListFiles(const std::string&, const std::string&,
                   std::vector<std::string>& names) override {
        for (const auto& entry : markers) {
            names.push_back(entry.first);
        }
        return true;
    }
};

inline LOGFONTW FontOf(HWND control) {
    LOGFONTW lf = {};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

// The caption's needs in `font`, measured as the label draws it: the widest line, the height
// and the lines, in a label `width` pixels wide.
struct Needs {
    int width = 0, height = 0, lines = 0;
    std::wstring face;
    int averageWidth = 0;
};
inline Needs Measure(HFONT font, const std::wstring& text, int width) {
    Needs needs;
    const MemoryDc memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.get();
    const ScopedSelect use(dc, font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    needs.face = face;
    needs.averageWidth = tm.tmAveCharWidth;
    RECT rc = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
              DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_CALCRECT);
    needs.width = rc.right - rc.left;
    needs.height = rc.bottom - rc.top;
    needs.lines = (needs.height + tm.tmHeight - 1) / tm.tmHeight;
    return needs;
}

inline int LinesOf(const std::wstring& text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' ||
            (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'))) {
            ++lines;
        }
    }
    return lines;
}

// Writes the window with its frame, as the screen shows it, to a 24-bit bitmap file.
inline void SaveScreenshot(HWND window, const std::string& path) {
    RECT rc;
    GetWindowRect(window, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const WindowDc screen(window, GetWindowDC(window));
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        const ScopedSelect use(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(pixels.data(), pixels.size());
    drive::WriteFileBytes(drive::Widen(path), bytes);
}

} // namespace varnholt::test
