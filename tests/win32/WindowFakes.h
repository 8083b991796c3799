// What the window tests hand the window in place of the outside world: settings in memory, a
// folder picker that is never answered, no launcher and the system's clock; and their helpers:
// the message pump, a control's rectangle in its window, the design's picture and the redrawn
// window to compare with it, and the width of an icon or cursor.
#pragma once

#include "app/Images.h"
#include "app/frmVarnholt.h"
#include "app/resource.h"
#include "core/Ports.h"
#include "platform/Handles.h"
#include "platform/Win32Clock.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

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

} // namespace varnholt::test
