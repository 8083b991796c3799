// varnholt.exe in other languages and alphabets: with a German display language it speaks
// German (the test e2e_german runs it under a German locale), and a game folder in Cyrillic
// letters works throughout, also when the folder button chooses it.
#include "tests/e2e/EndToEnd.h"

#include <commctrl.h>

#include <string>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

// With a German display language Varnholt speaks German, and its comparisons hold: it
// identifies the current file, labels and disables Activate, and reports the activation in
// German; "/lang en" brings the English back. The test e2e_german runs it under a German locale.
TEST_F(EndToEnd, GermanDisplayLanguageShowsGerman) {
    const std::string missing = GermanDisplayMissing();
    if (!missing.empty()) {
        GTEST_SKIP() << missing;
    }
    Installation();
    HWND main = StartAndShow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Text(main), TITLE);
    EXPECT_EQ(Text(ControlOf(main, Ctl::btnDone)), "Schlie\u00dfen");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)), "BGruppen.dat f\u00fcr 1503 Classic v1.xx");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblANNOVers)), "2.01/Deutsch"); // data stays as it is
    EXPECT_EQ(
        ActivateAfterSelecting(main, 1),
        std::make_pair(
            std::string("\u201eBGruppen.dat f\u00fcr 1503 Classic v1.xx\u201c aktivieren"), false));
    ASSERT_TRUE(ActivateAfterSelecting(main, 2).second);

    ActivateAddOn(
        main,
        "\u201e" + DataFolder() +
            "BGruppen_AddOn.dat\u201c wurde nach BGruppen.dat kopiert und ist jetzt aktiv.",
        "BGruppen.dat f\u00fcr 1503 AddOn v2.xx");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblHint)),
              "Dies ist die passende BGruppen.dat\r\n f\u00fcr Ihre Installation von ANNO 1503.");
    Click(main, Ctl::btnDone);
    ExpectEnded();

    ASSERT_TRUE(Start(app, std::wstring(), std::wstring(), L"/lang en"));
    main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Text(ControlOf(main, Ctl::btnDone)), "Done");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)), "BGruppen.dat for 1503 AddOn version v2.xx");
    Click(main, Ctl::btnDone);
    ExpectEnded();
}

namespace {

// "Игры": a folder name in letters that no Western code page holds.
const std::string CYRILLIC = "\u0418\u0433\u0440\u044b";

BOOL CALLBACK FindTree(HWND window, LPARAM found) {
    if (ClassOf(window) == WC_TREEVIEWW) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Waits until the folder picker's tree has moved its selection from the desktop, where it
// starts, to the start folder that Varnholt gave it.
bool WaitForPreselection(HWND picker) {
    HWND tree = nullptr;
    EnumChildWindows(picker, FindTree, reinterpret_cast<LPARAM>(&tree));
    for (int i = 0; tree != nullptr && i < 100; ++i) {
        const LRESULT root = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        const LRESULT caret = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        if (caret != 0 && caret != root) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

} // namespace

TEST_F(EndToEnd, GameFolderInCyrillicLettersWorksThroughout) {
    MoveInto(CYRILLIC);
    Installation(false);
    Starter();

    // The game's key names the folder; the first-run backup is made there and named.
    ASSERT_TRUE(Start(app));
    Box box = ExpectBox();
    EXPECT_NE(box.text.find(DataFolder() + "BGruppen_Original.dat"), std::string::npos) << box.text;
    ASSERT_TRUE(Answer(box));
    HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Original.dat")), CLASSIC);
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblANNOPath)), GameFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblDATPath)), DataFolder());
    EXPECT_EQ(Setting(L"DATPath"), DataFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)),
              "BGruppen.dat for 1503 Classic version v1.xx");

    // The location message, activation and View/Edit.
    ASSERT_EQ(ListSelection(main), 2);
    DoubleClickList(main);
    box = ExpectBox();
    EXPECT_EQ(box.text, "Location of 'BGruppen.dat for 1503 AddOn version v2.xx':\r\n\r\n" +
                            DataFolder() + "BGruppen_AddOn.dat");
    ASSERT_TRUE(Answer(box));
    ActivateAddOn(main);

    SelectAndClick(main, 1, Ctl::btnView);
    ASSERT_TRUE(Settle(main));
    HWND notepad = AwaitNotepadOn("BGruppen_Classic.dat");
    ASSERT_NE(notepad, nullptr);
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    ExpectNoBox();

    // Start runs the game's starter in its folder.
    Click(main, Ctl::btnANNOStart);
    ExpectEnded();
    // In the installation folder, without its trailing backslash, in a normal window.
    const std::string lines = StarterReport();
    EXPECT_EQ(lines.substr(0, lines.find('\n')), Narrow(game));
    EXPECT_NE(lines.find("\n1\n"), std::string::npos);
}

TEST_F(EndToEnd, FolderButtonTakesACyrillicInstallationAsItsDataFolder) {
    MoveInto(CYRILLIC);
    Installation();
    // Varnholt works on another, empty folder until the installation is chosen.
    const std::wstring elsewhere = Widen(root / "Elsewhere");
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    ASSERT_TRUE(keys.WriteSetting(L"DATPath", elsewhere + L"\\"));
    HWND main = StartAndShow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)), "No BGruppen.dat in the data folder");

    // The picker opens on the installation folder; accepting it gives its Data folder.
    Click(main, Ctl::btnChooseDir);
    Box picker = ExpectBox();
    // While it is open the window takes no input: no Activate, no Start, no second picker.
    EXPECT_FALSE(IsWindowEnabled(main));
    if (!WaitForPreselection(picker.hwnd)) {
        // Accepting would choose the desktop, which says nothing about the installation folder.
        Answer(picker, IDCANCEL);
        FAIL() << "the folder picker did not select its start folder";
    }
    ASSERT_TRUE(Answer(picker, IDOK));
    ASSERT_TRUE(Settle(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblDATPath)), DataFolder());
    EXPECT_EQ(Setting(L"DATPath"), DataFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)),
              "BGruppen.dat for 1503 Classic version v1.xx");
    EXPECT_EQ(ListSelection(main), 2);
    EXPECT_TRUE(IsWindowEnabled(ControlOf(main, Ctl::btnActivate)));
    ExpectNoBox();
}
