// What the end-to-end tests share: a game's installation and data folder in a temporary folder,
// the game's key and Varnholt's settings cleared before and after each test, the varnholt.exe
// under test ended after it, and the probe standing in for the game's starter.
#pragma once

#include "tests/driver/Driver.h"

#include <gtest/gtest.h>

#include <string>

namespace varnholt::test {

constexpr DWORD WAIT_MS = 30000;
const std::string TITLE = "Marrik's ANNO 1503 Varnholt v1.00";
const std::string CLASSIC = ";Classic\r\nclassic groups\r\n";
const std::string ADDON = ";AddOn\r\naddon groups\r\n";

// One of Varnholt's settings, or "<absent>".
inline std::string Setting(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
        return "<absent>";
    }
    return Narrow(value);
}

class InstalledGame : public ::testing::Test {
  protected:
    explicit InstalledGame(const char* rootName) : root(rootName) {}

    TempFolder root;
    std::wstring game = Widen(root / "ANNO 1503");
    std::wstring data = game + L"\\Data";
    InstallationKeys keys;
    drive::App app;
    // A later start of Varnholt beside `app`, or a window beside a command-line run.
    drive::App later;
    // Where the player's downloaded files lie, made by the first Download.
    std::wstring downloads = Widen(root / "Downloads");

    // A downloaded file `name` holding `content`, and its path.
    std::wstring Download(const std::wstring& name, const std::string& content) {
        CreateDirectoryW(downloads.c_str(), nullptr);
        WriteFileBytes(downloads + L"\\" + name, content);
        return downloads + L"\\" + name;
    }

    void SetUp() override {
        ASSERT_TRUE(keys.refusal().empty()) << keys.refusal();
        keys.Clear();
        MakeFolders();
    }

    void TearDown() override {
        drive::Kill(later);
        drive::Kill(app);
        keys.Clear();
    }

    // The installation moved into `folder` below the temporary folder, made first.
    void MoveInto(const std::string& folder) {
        CreateDirectoryW(Widen(root / folder).c_str(), nullptr);
        game = Widen(root / folder) + L"\\ANNO 1503";
        data = game + L"\\Data";
        MakeFolders();
    }

    std::wstring DataFile(const std::wstring& name) const { return data + L"\\" + name; }

    // The game's key as its installer writes it, and a data folder with BGruppen.dat, the
    // Classic and AddOn variants, and the backup already made unless `backupMade` is false.
    void Installation(bool backupMade = true) {
        ASSERT_TRUE(keys.WriteGameKey(game));
        WriteFileBytes(DataFile(L"BGruppen.dat"), CLASSIC);
        WriteFileBytes(DataFile(L"BGruppen_Classic.dat"), CLASSIC);
        WriteFileBytes(DataFile(L"BGruppen_AddOn.dat"), ADDON);
        if (backupMade) {
            ASSERT_TRUE(keys.WriteSetting(L"FirstRun", L"1"));
        }
    }

    // The probe as the game's starter: it reports the folder it runs in and its window mode.
    void Starter() {
        ASSERT_TRUE(CopyFileW((ExeFolder() + L"varnholt_probe.exe").c_str(),
                              (game + L"\\1503startup.exe").c_str(), FALSE));
    }
    // The starter's report once it has written one (empty when it never does): its folder on
    // the first line, its window mode on the next.
    std::string StarterReport() const {
        std::string lines;
        for (int i = 0; i < 400 && lines.empty(); ++i) {
            lines = ReadFileBytes(game + L"\\probe-report.txt");
            Sleep(50);
        }
        return lines;
    }
    std::string StarterFolder() const {
        const std::string lines = StarterReport();
        return lines.substr(0, lines.find('\n'));
    }

  private:
    void MakeFolders() {
        CreateDirectoryW(game.c_str(), nullptr);
        CreateDirectoryW(data.c_str(), nullptr);
    }
};

// The visible Notepad window whose caption names `file`, once one is open; null when none
// opens.
inline HWND AwaitNotepadOn(const std::string& file) {
    HWND notepad = nullptr;
    for (int i = 0; i < 400 && notepad == nullptr; ++i) {
        notepad = FindTopLevelWindow([&file](HWND window) {
            return _wcsicmp(ClassOf(window).c_str(), L"Notepad") == 0 && IsWindowVisible(window) &&
                   drive::Text(window).find(file) != std::string::npos;
        });
        Sleep(50);
    }
    return notepad;
}

} // namespace varnholt::test
