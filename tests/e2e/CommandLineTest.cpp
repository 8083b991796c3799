// varnholt.exe run from the command line and from a desktop shortcut of its list's menu: the
// files, the messages, the exit codes, and never a window.
#include "platform/Handles.h"
#include "tests/e2e/InstalledGame.h"

#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

namespace {

const std::string KZA = ";KZA\r\nkza groups\r\n";
const std::string HARBOUR = ";More harbour workers\r\nharbour groups\r\n";

class FromCommandLine : public InstalledGame {
  protected:
    FromCommandLine() : InstalledGame("vh-cmd") {}

    std::string Current() const { return ReadFileBytes(DataFile(L"BGruppen.dat")); }

    // The question of the window after `source` was added as `file`, answered with `answer`.
    void ExpectAddedQuestion(const std::wstring& source, const std::wstring& file, int answer) {
        Box box;
        ASSERT_TRUE(WaitForBox(app, WAIT_MS, box));
        EXPECT_EQ(box.title, TITLE);
        EXPECT_EQ(box.text, "'" + Narrow(source) + "' is added to the data folder as\r\n\r\n" +
                                Narrow(DataFile(file)) + "\r\n\r\nActivate it now?");
        ASSERT_TRUE(Answer(box, answer));
    }

    // The installation with its backup made, and a KZA and a further variant beside the
    // others.
    void Installation(bool backupMade = true) {
        InstalledGame::Installation(backupMade);
        WriteFileBytes(DataFile(L"BGruppen_KZA.dat"), KZA);
        WriteFileBytes(DataFile(L"BGruppen_Harbour.dat"), HARBOUR);
    }

    // Runs varnholt.exe with `arguments`, answering each message box with OK and collecting
    // their texts, until it ends; its exit code, or -1 when it did not end.
    int Run(const std::wstring& arguments, std::vector<std::string>* messages = nullptr,
            const std::wstring& exe = std::wstring(), const std::wstring& folder = std::wstring()) {
        if (!Start(app, exe, folder, arguments)) {
            return -1;
        }
        const DWORD started = GetTickCount();
        while (app.running() && GetTickCount() - started < WAIT_MS) {
            EXPECT_EQ(VisibleMainWindow(app.process.dwProcessId), nullptr);
            Box box;
            if (FindBox(app.process.dwProcessId, box)) {
                Sleep(50); // let the dialog finish laying out its texts
                FindBox(app.process.dwProcessId, box);
                if (messages != nullptr) {
                    messages->push_back(box.text);
                }
                EXPECT_EQ(box.title, TITLE);
                Answer(box);
            }
            Sleep(25);
        }
        DWORD code = 0;
        return WaitForExit(app, 0, &code) ? static_cast<int>(code) : -1;
    }
};

} // namespace

TEST_F(FromCommandLine, ActivatesByCatalogueNameWithTheButtonsMessage) {
    Installation();
    std::vector<std::string> messages;
    EXPECT_EQ(Run(L"/activate addon", &messages), 0);
    EXPECT_EQ(Current(), ADDON);
    EXPECT_EQ(messages, std::vector<std::string>{"'" + Narrow(data) +
                                                 "\\BGruppen_AddOn.dat' is copied as current "
                                                 "BGruppen.dat file..."});
    // Already current: nothing is copied, and the run succeeds.
    messages.clear();
    EXPECT_EQ(Run(L"-ACTIVATE AddOn", &messages), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("is already the current BGruppen.dat file"), std::string::npos);
}

TEST_F(FromCommandLine, ActivatesAFurtherFileQuietlyAndKeepsAnUnknownCurrentFile) {
    Installation();
    const std::string edited = ";Classic, edited by hand\r\n";
    WriteFileBytes(DataFile(L"BGruppen.dat"), edited);
    EXPECT_EQ(Run(L"/activate BGruppen_Harbour /quiet"), 0);
    EXPECT_EQ(Current(), HARBOUR);
    WIN32_FIND_DATAW found;
    const FindHandle kept{FindFirstFileW(DataFile(L"BGruppen_Saved_*.dat").c_str(), &found)};
    ASSERT_TRUE(kept);
    EXPECT_EQ(ReadFileBytes(DataFile(found.cFileName)), edited);
}

TEST_F(FromCommandLine, StartRunsTheStarterInTheInstallationFolderAfterTheActivation) {
    Installation();
    Starter();
    std::vector<std::string> messages;
    EXPECT_EQ(Run(L"/activate KZA /start", &messages), 0);
    EXPECT_TRUE(messages.empty()); // the game's start is the answer
    EXPECT_EQ(Current(), KZA);
    EXPECT_EQ(StarterFolder(), Narrow(game));
}

TEST_F(FromCommandLine, QuietExitCodesWithoutAnyMessage) {
    Installation();
    EXPECT_EQ(Run(L"/activate Nowhere /quiet"), 2);
    EXPECT_EQ(Run(L"/activate /quiet"), 2);
    EXPECT_EQ(Run(L"/activate KE /quiet"), 1);           // BGruppen_KE.dat is missing
    EXPECT_EQ(Run(L"/activate AddOn /start /quiet"), 3); // no starter
    EXPECT_EQ(Current(), ADDON);
    // The start-up would ask for the installation folder: it fails instead.
    keys.Clear();
    EXPECT_EQ(Run(L"/activate KZA /quiet"), 1);
    EXPECT_EQ(Current(), ADDON);
}

TEST_F(FromCommandLine, UnknownNameShowsTheUsageWithTheDataFoldersNames) {
    Installation();
    std::vector<std::string> messages;
    EXPECT_EQ(Run(L"/activate Nowhere", &messages), 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Unknown variant: Nowhere", 0), 0u);
    EXPECT_NE(messages[0].find("Classic, AddOn, KZA, BGruppen_Harbour.dat"), std::string::npos);
    EXPECT_EQ(Current(), CLASSIC);
}

TEST_F(FromCommandLine, HelpOnAFirstRunWithALargeFileShowsTheUsageAndTouchesNothing) {
    Installation(false);
    const std::string big = CLASSIC + std::string(13312 - CLASSIC.size(), 'x');
    WriteFileBytes(DataFile(L"BGruppen.dat"), big);
    WriteFileBytes(DataFile(L"BGruppen.dat.tmp"), "a scratch file");
    std::vector<std::string> messages;
    EXPECT_EQ(Run(L"/?", &messages), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Usage: varnholt.exe", 0), 0u);
    EXPECT_NE(messages[0].find("In the data folder: Classic, AddOn, KZA, BGruppen_Harbour.dat"),
              std::string::npos);
    EXPECT_EQ(Current(), big);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat.tmp")), "a scratch file");
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Original.dat")), "");
    EXPECT_EQ(Setting(L"FirstRun"), "<absent>");
}

TEST_F(FromCommandLine, AddTellsByItsExitCodeAndNeverAsks) {
    Installation();
    const std::wstring plain = Download(L"BGruppen.dat", ";Pier\r\npier groups\r\n");
    std::vector<std::string> messages;
    // It would have to ask for a name: it fails and says how to give one.
    EXPECT_EQ(Run(L"/add \"" + plain + L"\"", &messages), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "'" + Narrow(plain) + "' needs a name: give it with /as NAME.");
    EXPECT_EQ(Run(L"/add \"" + plain + L"\" /as Pier /quiet"), 0);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), ";Pier\r\npier groups\r\n");
    // A name given ends up holding the file: copied though the same bytes lie under another
    // name, already so, or taken by other bytes.
    EXPECT_EQ(Run(L"/add \"" + plain + L"\" /as Other /quiet"), 0);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Other.dat")), ";Pier\r\npier groups\r\n");
    EXPECT_EQ(Run(L"/add \"" + plain + L"\" /as pier /quiet"), 0);
    EXPECT_EQ(Run(L"/add \"" + plain + L"\" /as KZA /quiet"), 1);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_KZA.dat")), KZA);
    EXPECT_EQ(Run(L"/add \"" + plain + L".none\" /quiet"), 2);
    EXPECT_EQ(Run(L"/add \"" + Download(L"Empty.dat", "") + L"\" /quiet"), 2);
    // A file of the data folder however its path is spelt: by its short name, with a prefix.
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(DataFile(L"BGruppen.dat").c_str(), shortPath, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    EXPECT_NE(shortPath, DataFile(L"BGruppen.dat"));
    for (const std::wstring& path : {DataFile(L"BGruppen_KZA.dat"), std::wstring(shortPath),
                                     L"\\\\?\\" + DataFile(L"BGruppen.dat")}) {
        EXPECT_EQ(Run(L"/add \"" + path + L"\" /as Same /quiet"), 2) << Narrow(path);
    }
    EXPECT_EQ(GetFileAttributesW(DataFile(L"BGruppen_Same.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Current(), CLASSIC);
}

TEST_F(FromCommandLine, AnotherVarnholtsWindowGivesFourAndChangesNothing) {
    Installation();
    ASSERT_TRUE(Start(later));
    HWND main = WaitForMainWindow(later, WAIT_MS);
    ASSERT_NE(main, nullptr);
    std::vector<std::string> messages;
    EXPECT_EQ(Run(L"/activate AddOn /start", &messages), 4);
    EXPECT_EQ(messages, std::vector<std::string>{"Varnholt is already running..."});
    EXPECT_EQ(Run(L"/activate AddOn /quiet"), 4);
    EXPECT_EQ(Current(), CLASSIC);
    Click(main, Ctl::btnDone);
    EXPECT_TRUE(WaitForExit(later, WAIT_MS));
    EXPECT_EQ(Run(L"/activate AddOn /quiet"), 0);
}

namespace {

// The user's desktop folder, as the shell names it.
std::wstring DesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))
               ? std::wstring(path)
               : std::wstring();
}

struct Link {
    std::wstring target, arguments, workDir, icon;
};

// A shortcut read back through the shell's own link object; with `arguments`, its arguments
// are set to them and saved first, as a player edits them in its properties.
bool ReadLink(const std::wstring& path, Link& link, const wchar_t* arguments = nullptr) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool read = false;
    {
        ComRef<IShellLinkW> shell;
        ComRef<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, shell.receive())) &&
            SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.receive())) &&
            SUCCEEDED(file->Load(path.c_str(), STGM_READWRITE)) &&
            (arguments == nullptr ||
             (SUCCEEDED(shell->SetArguments(arguments)) && SUCCEEDED(file->Save(nullptr, TRUE))))) {
            wchar_t text[MAX_PATH * 2] = {};
            int index = 0;
            read = SUCCEEDED(shell->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH));
            link.target = text;
            shell->GetArguments(text, MAX_PATH * 2);
            link.arguments = text;
            shell->GetWorkingDirectory(text, MAX_PATH * 2);
            link.workDir = text;
            shell->GetIconLocation(text, MAX_PATH * 2, &index);
            link.icon = text;
        }
    } // the references go before COM does
    CoUninitialize();
    return read;
}

// A visible pop-up menu of the process.
HWND PopupMenuOf(DWORD pid) {
    return VisibleWindowOf(pid, L"#32768");
}

void PressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// The context-menu key opens the menu on the list; its last entry makes the shortcut. False
// when no menu opened.
bool ChooseCreateShortcut(HWND list, DWORD pid) {
    PressKey(list, VK_APPS);
    HWND menu = nullptr;
    for (int i = 0; i < 400 && menu == nullptr; ++i) {
        menu = PopupMenuOf(pid);
        Sleep(25);
    }
    if (menu == nullptr) {
        return false;
    }
    PressKey(list, VK_UP);
    PressKey(list, VK_RETURN);
    return true;
}

} // namespace

TEST_F(FromCommandLine, ShortcutFromTheListsMenuActivatesAndStarts) {
    Installation();
    Starter();
    const std::string tag = "Cmd" + UniqueSuffix();
    const std::wstring variant = L"BGruppen_" + Widen(tag) + L".dat";
    WriteFileBytes(DataFile(variant), HARBOUR);
    const std::wstring desktop = DesktopFolder();
    ASSERT_FALSE(desktop.empty());
    const std::wstring shortcut = desktop + L"\\ANNO 1503 - " + Widen(tag) + L".lnk";
    DeleteFileW(shortcut.c_str());

    ASSERT_TRUE(Start(later));
    HWND main = WaitForMainWindow(later, WAIT_MS);
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> items = ListItems(main);
    int index = 0;
    while (index < static_cast<int>(items.size()) &&
           items[static_cast<std::size_t>(index)].rfind(Narrow(variant), 0) != 0) {
        ++index;
    }
    ASSERT_LT(index, static_cast<int>(items.size()));
    Select(main, index);
    ASSERT_TRUE(Settle(main));
    HWND list = ControlOf(main, Ctl::lstDATs);
    ASSERT_TRUE(ChooseCreateShortcut(list, later.process.dwProcessId));
    Box box;
    ASSERT_TRUE(WaitForBox(later, WAIT_MS, box));
    EXPECT_EQ(box.text, "The shortcut is on your desktop:\r\n\r\n" + Narrow(shortcut));
    Answer(box);

    // The player adds "/lang de" to it: made again, the new shortcut gets a name of its own.
    Link link;
    const std::wstring edited = L"/activate " + variant + L" /start /lang de";
    ASSERT_TRUE(ReadLink(shortcut, link, edited.c_str()));
    const std::wstring second = desktop + L"\\ANNO 1503 - " + Widen(tag) + L" (2).lnk";
    DeleteFileW(second.c_str());
    ASSERT_TRUE(ChooseCreateShortcut(list, later.process.dwProcessId));
    ASSERT_TRUE(WaitForBox(later, WAIT_MS, box));
    EXPECT_EQ(box.text, "The shortcut is on your desktop:\r\n\r\n" + Narrow(second));
    Answer(box);
    Click(main, Ctl::btnDone);
    ASSERT_TRUE(WaitForExit(later, WAIT_MS));
    ASSERT_TRUE(ReadLink(shortcut, link));
    EXPECT_EQ(link.arguments, edited);
    ASSERT_TRUE(ReadLink(second, link));
    DeleteFileW(second.c_str());
    EXPECT_EQ(_wcsicmp(link.target.c_str(), (ExeFolder() + L"varnholt.exe").c_str()), 0)
        << Narrow(link.target);
    EXPECT_EQ(link.arguments, L"/activate " + variant + L" /start");
    EXPECT_EQ(link.workDir, game);
    EXPECT_EQ(link.icon, game + L"\\1503startup.exe");

    // The shortcut's double click: its command in its working folder.
    EXPECT_EQ(Run(link.arguments, nullptr, link.target, link.workDir), 0);
    EXPECT_EQ(Current(), HARBOUR);
    EXPECT_EQ(StarterFolder(), Narrow(game));
    DeleteFileW(shortcut.c_str());
}

TEST_F(FromCommandLine, FileAloneOpensTheWindowToNameItAndASecondStartHandsItsFileOver) {
    Installation();
    const std::wstring plain = Download(L"BGruppen.dat", ";Pier\r\npier groups\r\n");
    ASSERT_TRUE(Start(app, std::wstring(), std::wstring(), L"\"" + plain + L"\""));
    HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);

    // A plain BGruppen.dat of no catalogue variant: the name dialog, its field empty.
    Box dialog;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, dialog));
    EXPECT_EQ(dialog.title, "Add a variant");
    HWND field = GetDlgItem(dialog.hwnd, 203);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(Text(field), "");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.hwnd, IDOK)));
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"addon"));
    EXPECT_EQ(Text(GetDlgItem(dialog.hwnd, 205)),
              "BGruppen_addon.dat is already in the data folder.");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.hwnd, IDOK)));
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Pier"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.hwnd, IDOK)));
    ASSERT_TRUE(Answer(dialog, IDOK));
    ExpectAddedQuestion(plain, L"BGruppen_Pier.dat", IDNO);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), ";Pier\r\npier groups\r\n");
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen.dat")), CLASSIC);

    // A second start with a file: the open window adds it.
    const std::wstring quay = Download(L"BGruppen_Quay.dat", ";Quay\r\n");
    App second;
    ASSERT_TRUE(Start(second, std::wstring(), std::wstring(), L"\"" + quay + L"\""));
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(second, WAIT_MS, &code));
    EXPECT_EQ(code, 0u);
    Kill(second);
    ExpectAddedQuestion(quay, L"BGruppen_Quay.dat", IDNO);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Quay.dat")), ";Quay\r\n");
}
