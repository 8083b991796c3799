// What the window tests hand the window in place of the outside world: settings in memory, a
// folder picker that is never answered and no launcher, and two helpers: the message pump and a
// control's rectangle in its window.
#pragma once

#include "core/Ports.h"

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
struct NoLaunchers : LauncherFactory {
    std::unique_ptr<Launcher> CreateLauncher() override { return nullptr; }
    std::string SystemProgram(const std::string& name) override { return name; }
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

} // namespace varnholt::test
