// varnholt.exe started in a prepared installation and data folder, driven through window
// messages, with the files and the settings checked afterwards.
#include "tests/e2e/EndToEnd.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

TEST_F(EndToEnd, StartShowsTheInstallationAndLookingChangesNothing) {
    HWND main = InstalledAndShown();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Text(main), TITLE);
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblANNOPath)), GameFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblDATPath)), DataFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblANNOVers)), "2.01/Deutsch");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)),
              "BGruppen.dat for 1503 Classic version v1.xx");
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblHint)),
              "This is probably NOT the appropriated BGruppen.dat file\r\n for your 1503 "
              "installation...");
    EXPECT_EQ(ListItems(main).size(), 5u);
    EXPECT_EQ(ListSelection(main), 2);
    EXPECT_EQ(Setting(L"DATPath"), DataFolder());
    EXPECT_EQ(Setting(L"GAMESPath"), GameFolder() + "SaveGame\\");
    EXPECT_EQ(Setting(L"ANNOPath"), "<absent>");

    // The caption follows minimise and restore.
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(Text(main), "Varnholt");
    ShowWindow(main, SW_RESTORE);
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(Text(main), TITLE);

    // The selection relabels Activate; a double click tells where the variant lies.
    EXPECT_EQ(
        ActivateAfterSelecting(main, 1),
        std::make_pair(std::string("Activate BGruppen.dat for 1503 Classic version v1.xx"), false));
    EXPECT_TRUE(ActivateAfterSelecting(main, 2).second);
    DoubleClickList(main);
    Box box = ExpectBox();
    EXPECT_EQ(box.title, "Varnholt");
    EXPECT_EQ(box.text, "Location of 'BGruppen.dat for 1503 AddOn version v2.xx':\r\n\r\n" +
                            DataFolder() + "BGruppen_AddOn.dat");
    ASSERT_TRUE(Answer(box));

    // View opens the Editor on the selected variant, maximised.
    SelectAndClick(main, 1, Ctl::btnView);
    ASSERT_TRUE(Settle(main));
    HWND notepad = AwaitNotepadOn("BGruppen_Classic.dat");
    ASSERT_NE(notepad, nullptr);
    EXPECT_TRUE(IsZoomed(notepad));
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    ExpectNoBox();

    // A cancelled folder change changes nothing.
    Click(main, Ctl::btnChooseDir);
    Box picker = ExpectBox();
    ASSERT_TRUE(Answer(picker, IDCANCEL));
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblDATPath)), DataFolder());
    EXPECT_EQ(Setting(L"DATPath"), DataFolder());
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)),
              "BGruppen.dat for 1503 Classic version v1.xx");
    ExpectNoBox();

    Click(main, Ctl::btnDone);
    ExpectEnded();
    ExpectNoBox();
}

TEST_F(EndToEnd, WithoutAnyInstallationCancellingThePickerEndsUnseen) {
    ASSERT_TRUE(Start(app));
    Box picker = ExpectBox();
    EXPECT_EQ(VisibleMainWindow(app.process.dwProcessId), nullptr);
    ASSERT_TRUE(Answer(picker, IDCANCEL));
    Box sorry = ExpectBox();
    EXPECT_EQ(sorry.title, TITLE);
    EXPECT_EQ(sorry.text, "Sorry, can't work without this infos...");
    EXPECT_EQ(VisibleMainWindow(app.process.dwProcessId), nullptr);
    ASSERT_TRUE(Answer(sorry));
    ExpectEnded();
    EXPECT_EQ(Setting(L"ANNOPath"), "<absent>");
}

TEST_F(EndToEnd, OversizedCurrentFileEndsTheProgram) {
    Installation(false);
    const std::string big = CLASSIC + std::string(13312 - CLASSIC.size(), 'x');
    WriteFileBytes(DataFile(L"BGruppen.dat"), big);
    ASSERT_TRUE(Start(app));
    Box box = ExpectBox();
    EXPECT_EQ(box.text.rfind("Looks like your current BGruppen.dat is NOT the original", 0), 0u);
    ASSERT_TRUE(Answer(box));
    ExpectEnded();
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Original.dat")), "");
    EXPECT_EQ(Setting(L"FirstRun"), "<absent>");
}

TEST_F(EndToEnd, ActivationStopsBeforeAnyLossThenReplacesTheFileAndRefreshes) {
    HWND main = InstalledAndShown();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ListSelection(main), 2);
    // A read-only BGruppen.dat, or one the game holds open without sharing its deletion, stops
    // the activation before anything is copied.
    SetFileAttributesW(DataFile(L"BGruppen.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    Click(main, Ctl::btnActivate);
    Box box = ExpectBox();
    EXPECT_EQ(box.text.rfind("Unable to delete current BGruppen.dat file: ", 0), 0u);
    EXPECT_NE(box.text.find("\r\n\r\nCheck installation and try again..."), std::string::npos);
    ASSERT_TRUE(Answer(box));
    SetFileAttributesW(DataFile(L"BGruppen.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        FileHandle lock(CreateFileW(DataFile(L"BGruppen.dat").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        Click(main, Ctl::btnActivate);
        box = ExpectBox();
        EXPECT_EQ(box.text.rfind("Unable to delete current BGruppen.dat file: ", 0), 0u);
        ASSERT_TRUE(Answer(box));
    }
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), CLASSIC);

    // A variant whose file is missing: reported, and nothing lost.
    SelectAndClick(main, 3, Ctl::btnActivate);
    box = ExpectBox();
    EXPECT_EQ(box.text.rfind("Unable to copy ' " + DataFolder() +
                                 "BGruppen_KE.dat' to current BGruppen.dat file: ",
                             0),
              0u);
    ASSERT_TRUE(Answer(box));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), CLASSIC);
    EXPECT_EQ(GetFileAttributesW(DataFile(L"BGruppen.dat.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblCurrDAT)),
              "BGruppen.dat for 1503 Classic version v1.xx");

    Select(main, 2);
    ASSERT_TRUE(Settle(main));
    ActivateAddOn(main);
    EXPECT_EQ(Text(ControlOf(main, Ctl::lblHint)),
              "This is the appropriated BGruppen.dat file\r\n for your 1503 installation...");
    EXPECT_EQ(ListSelection(main), 4);
    EXPECT_EQ(GetFileAttributesW(DataFile(L"BGruppen.dat.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EndToEnd, EnterRightAfterStartPressesDone) {
    HWND main = InstalledAndShown();
    ASSERT_NE(main, nullptr);
    HWND done = ControlOf(main, Ctl::btnDone);
    PostMessageW(done, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(done, WM_KEYUP, VK_RETURN, 0xC0000001);
    ExpectEnded();
    ExpectNoBox();
}

namespace {

// The names of the kept files in `data`.
std::vector<std::string> KeptFiles(const std::wstring& data) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    if (const FindHandle find{FindFirstFileW((data + L"\\BGruppen_Saved_*.dat").c_str(), &found)}) {
        do {
            names.push_back(Narrow(found.cFileName));
        } while (FindNextFileW(find.get(), &found));
    }
    return names;
}

// The local time as the names of kept files give it: "YYYY-MM-DD_HHMM".
std::string Stamp(const SYSTEMTIME& t) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u_%02u%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute);
    return stamp;
}

} // namespace

TEST_F(EndToEnd, HandEditedFileIsKeptByteIdenticalListedAndNeverKeptTwice) {
    Installation();
    const char bytes[] = ";Classic, edited by hand\r\nGruppe \xE4\xF6 = 1\r\n\0\xFF\n";
    const std::string edited(bytes, sizeof bytes - 1);
    WriteFileBytes(DataFile(L"BGruppen.dat"), edited);
    HWND main = StartAndShow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ListSelection(main), 2);
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Click(main, Ctl::btnActivate);
    Box box = ExpectBox();
    GetLocalTime(&after);
    const std::vector<std::string> kept = KeptFiles(data);
    ASSERT_EQ(kept.size(), 1u);
    // Named by the local time of keeping.
    const std::string stamp = kept[0].substr(15, 15);
    EXPECT_EQ(kept[0], "BGruppen_Saved_" + stamp + ".dat");
    EXPECT_LE(Stamp(before), stamp);
    EXPECT_GE(Stamp(after), stamp);
    EXPECT_EQ(box.text, "'" + DataFolder() +
                            "BGruppen_AddOn.dat' is copied as current BGruppen.dat file...\r\n\r\n"
                            "The previous BGruppen.dat matched no file in the data folder. It was "
                            "saved as '" +
                            DataFolder() + kept[0] + "'.");
    ASSERT_TRUE(Answer(box));
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), ADDON);
    EXPECT_EQ(ReadFileBytes(data + L"\\" + Widen(kept[0])), edited);
    const std::vector<std::string> items = ListItems(main);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[5], kept[0] + " (Classic, edited by hand)");

    // Back to the kept file, then the AddOn variant again: the hand-edited content is found in
    // the kept file, so nothing more is kept.
    SelectAndClick(main, 5, Ctl::btnActivate);
    box = ExpectBox();
    EXPECT_EQ(box.text,
              "'" + DataFolder() + kept[0] + "' is copied as current BGruppen.dat file...");
    ASSERT_TRUE(Answer(box));
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), edited);
    SelectAndClick(main, 2, Ctl::btnActivate);
    box = ExpectBox();
    EXPECT_EQ(box.text,
              "'" + DataFolder() + "BGruppen_AddOn.dat' is copied as current BGruppen.dat file...");
    ASSERT_TRUE(Answer(box));
    ASSERT_TRUE(Settle(main));
    EXPECT_EQ(KeptFiles(data), kept);
    EXPECT_EQ(GetFileAttributesW(DataFile(L"BGruppen_Saved.dat.tmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

namespace {

// Starts Varnholt a second time while the first runs; it ends by itself with 0.
void SecondStart() {
    App second;
    ASSERT_TRUE(Start(second));
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(second, WAIT_MS, &code));
    EXPECT_EQ(code, 0u);
    Kill(second);
}

} // namespace

TEST_F(EndToEnd, SecondStartBringsTheRunningWindowForwardAndTouchesNothing) {
    HWND main = InstalledAndShown();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(Settle(main));
    // What a second full start would change: it removes leftover scratch files and writes the
    // settings it finds missing.
    WriteFileBytes(DataFile(L"BGruppen.dat.tmp"), "scratch");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, L"GAMESPath");

    SecondStart();
    ASSERT_TRUE(Settle(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(app.running());
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat.tmp")), "scratch");
    EXPECT_EQ(Setting(L"GAMESPath"), "<absent>");

    // The first goes on undisturbed.
    EXPECT_EQ(Text(main), TITLE);
    Click(main, Ctl::btnDone);
    ExpectEnded();
}

TEST_F(EndToEnd, SecondStartBringsTheFirstRunMessageForward) {
    // The first shows only its first-run message, which names the backup, its window still
    // hidden.
    Installation(false);
    ASSERT_TRUE(Start(app));
    Box box = ExpectBox();
    EXPECT_EQ(box.title, TITLE);
    EXPECT_NE(box.text.find("This is the first time you run Varnholt! "), std::string::npos);
    EXPECT_NE(box.text.find(DataFolder() + "BGruppen_Original.dat"), std::string::npos);
    EXPECT_EQ(VisibleMainWindow(app.process.dwProcessId), nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"in front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    SecondStart();
    ASSERT_TRUE(Settle(box.hwnd)); // the first has handled what the second asked of it
    EXPECT_EQ(GetForegroundWindow(), box.hwnd);
    DestroyWindow(other);
    ASSERT_TRUE(Answer(box));
    ASSERT_NE(WaitForMainWindow(app, WAIT_MS), nullptr);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Original.dat")), CLASSIC);
    EXPECT_EQ(Setting(L"FirstRun"), "1");
}
