// The end-to-end tests of the window: Varnholt started on the installed game with its window
// shown, its message boxes awaited and answered, and the AddOn variant activated through it.
#pragma once

#include "tests/e2e/InstalledGame.h"

#include <string>
#include <utility>

namespace varnholt::test {

class EndToEnd : public InstalledGame {
  protected:
    EndToEnd() : InstalledGame("vh-e2e") {}

    std::string GameFolder() const { return drive::Narrow(game) + "\\"; }
    std::string DataFolder() const { return drive::Narrow(data) + "\\"; }

    // Presses Activate on the selected AddOn variant, answers its success message and checks
    // that BGruppen.dat holds the variant and the window says so: the message and the
    // identification of BGruppen.dat as given, or else in English.
    void ActivateAddOn(HWND main) {
        ActivateAddOn(main,
                      "'" + DataFolder() +
                          "BGruppen_AddOn.dat' is copied as current BGruppen.dat file...",
                      "BGruppen.dat for 1503 AddOn version v2.xx");
    }
    void ActivateAddOn(HWND main, const std::string& message, const std::string& identified) {
        drive::Click(main, Ctl::btnActivate);
        drive::Box box = ExpectBox();
        EXPECT_EQ(box.title, TITLE);
        EXPECT_EQ(box.text, message);
        ASSERT_TRUE(drive::Answer(box));
        ASSERT_TRUE(drive::Settle(main));
        EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), ADDON);
        EXPECT_EQ(drive::Text(drive::ControlOf(main, Ctl::lblCurrDAT)), identified);
    }

    HWND StartAndShow() {
        EXPECT_TRUE(drive::Start(app));
        HWND main = drive::WaitForMainWindow(app, WAIT_MS);
        EXPECT_NE(main, nullptr);
        return main;
    }

    // The installation with its backup made, and Varnholt started on it with its window shown.
    HWND InstalledAndShown() {
        Installation();
        return StartAndShow();
    }

    drive::Box ExpectBox() {
        drive::Box box;
        EXPECT_TRUE(drive::WaitForBox(app, WAIT_MS, box));
        return box;
    }

    // No message box is open.
    void ExpectNoBox() {
        drive::Box none;
        EXPECT_FALSE(drive::FindBox(app.process.dwProcessId, none));
    }

    void ExpectEnded() {
        DWORD code = 1;
        EXPECT_TRUE(drive::WaitForExit(app, WAIT_MS, &code));
    }
};

// Selects the list entry `index` and tells Activate's caption then, and whether it is enabled.
inline std::pair<std::string, bool> ActivateAfterSelecting(HWND main, int index) {
    drive::Select(main, index);
    EXPECT_TRUE(drive::Settle(main));
    HWND button = drive::ControlOf(main, Ctl::btnActivate);
    return {drive::Text(button), IsWindowEnabled(button) != FALSE};
}

// Selects the list entry `index` and presses `button` for it.
inline void SelectAndClick(HWND main, int index, Ctl button) {
    drive::Select(main, index);
    EXPECT_TRUE(drive::Settle(main));
    drive::Click(main, button);
}

} // namespace varnholt::test
