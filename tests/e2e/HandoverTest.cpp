// Files handed to a running Varnholt by a later start ("Open with", a drop on the exe): they
// arrive in its window, or the later start says which were not added and why and ends with 1.
// And the name dialog that asks about such a file, also while the window is minimised.
#include "tests/e2e/InstalledGame.h"

#include <string>

using namespace varnholt;
using namespace varnholt::drive;
using namespace varnholt::test;

namespace {

class Handover : public InstalledGame {
  protected:
    Handover() : InstalledGame("vh-handover") {}

    // The two downloaded variants.
    const std::string pier = ";Pier\r\npier groups\r\n";
    const std::string quay = ";Quay\r\nquay groups\r\n";

    void SetUp() override {
        InstalledGame::SetUp();
        Download(L"BGruppen_Pier.dat", pier);
        Download(L"BGruppen_Quay.dat", quay);
    }

    // Starts a later Varnholt with `file` in the folder of downloads; its exit code once it
    // ends, or -1.
    int HandOver(const std::wstring& file, Box* message = nullptr) {
        if (!Start(later, std::wstring(), downloads, L"\"" + file + L"\"")) {
            return -1;
        }
        if (message != nullptr && WaitForBox(later, WAIT_MS, *message)) {
            Answer(*message);
        }
        DWORD code = 0;
        return WaitForExit(later, WAIT_MS, &code) ? static_cast<int>(code) : -1;
    }

    std::string NotAdded(const std::wstring& file, const std::string& why) const {
        return "These files were not added:\r\n\r\n" + Narrow(downloads) + "\\" + Narrow(file) +
               "\r\n\r\n" + why;
    }

    // A later start with `file` that says the file was not added, and `why`, and ends with 1.
    void ExpectNotAddedByALaterStart(const std::wstring& file, const std::string& why) {
        Box message;
        EXPECT_EQ(HandOver(file, &message), 1);
        EXPECT_EQ(message.text, NotAdded(file, why));
    }
};

} // namespace

TEST_F(Handover, DuringACommandLineRunTheLaterStartSaysSoAndEndsWithOne) {
    Installation();
    ASSERT_TRUE(Start(app, std::wstring(), std::wstring(), L"/activate AddOn"));
    Box success;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, success)); // the run waits on its message
    ExpectNotAddedByALaterStart(L"BGruppen_Pier.dat",
                                "Varnholt is at work without its window (from a shortcut or the "
                                "command line). Add them when it has finished.");
    Answer(success);
    EXPECT_TRUE(WaitForExit(app, WAIT_MS));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), "");
}

TEST_F(Handover, NoFileIsTakenBeforeTheWindowShowsAndThoseTakenAsItEndsAreNamed) {
    Installation(false);
    // The window runs in the game's folder, where a file of the same name lies.
    WriteFileBytes(game + L"\\BGruppen_Pier.dat", ";Another pier\r\n");
    ASSERT_TRUE(Start(app, std::wstring(), game));
    Box firstRun;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, firstRun)); // the window not shown yet
    ExpectNotAddedByALaterStart(L"BGruppen_Pier.dat",
                                "The running Varnholt did not open its window in time; it may be "
                                "waiting for an answer to a message. Drop them on its window when "
                                "it shows.");
    Answer(firstRun);
    ASSERT_NE(WaitForMainWindow(app, WAIT_MS), nullptr);
    // Once the window is there, it takes them, by the later start's own folder.
    EXPECT_EQ(HandOver(L"BGruppen_Pier.dat"), 0);
    Box added;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, added));
    EXPECT_EQ(added.text, "'" + Narrow(downloads) +
                              "\\BGruppen_Pier.dat' is added to the data folder as\r\n\r\n" +
                              Narrow(DataFile(L"BGruppen_Pier.dat")) + "\r\n\r\nActivate it now?");
    Answer(added, IDNO);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), pier);

    // Start without the game's starter: the window says so, minimised, and ends after the
    // answer; a file taken meanwhile is named as not added.
    const HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    Click(main, Ctl::btnANNOStart);
    Box cantStart;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, cantStart));
    EXPECT_EQ(cantStart.title, "!!! Problem !!!");
    EXPECT_EQ(cantStart.text, "Can't start ANNO 1503...");
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(Text(main), "Varnholt");
    EXPECT_EQ(HandOver(L"BGruppen_Quay.dat"), 0);
    Answer(cantStart);
    Box closing;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, closing));
    EXPECT_EQ(closing.text, NotAdded(L"BGruppen_Quay.dat",
                                     "Varnholt is closing. Add them when you start it again."));
    Answer(closing);
    EXPECT_TRUE(WaitForExit(app, WAIT_MS));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Quay.dat")), "");
}

TEST_F(Handover, AStartUpThatFailsEndsTheWaitWithTheTrueCause) {
    Installation(false);
    WriteFileBytes(DataFile(L"BGruppen.dat"), std::string(13 * 1024, 'x')); // no original
    ASSERT_TRUE(Start(app));
    Box notOriginal;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, notOriginal));
    ASSERT_TRUE(Start(later, std::wstring(), downloads, L"BGruppen_Pier.dat"));
    Sleep(3000); // the later start finds the window at its start-up, which then fails
    Answer(notOriginal);
    Box message;
    ASSERT_TRUE(WaitForBox(later, 4000, message)); // not after the whole wait
    EXPECT_EQ(message.text, NotAdded(L"BGruppen_Pier.dat",
                                     "The running Varnholt did not take them: it is closing, or "
                                     "could not read them."));
}

TEST_F(Handover, TwoFilesOpenedAtOnceBothArrive) {
    Installation();
    // Two starts at once: one opens the window, the other waits for it and hands its file over.
    ASSERT_TRUE(Start(app, std::wstring(), downloads, L"BGruppen_Pier.dat"));
    ASSERT_TRUE(Start(later, std::wstring(), downloads, L"BGruppen_Quay.dat"));
    DWORD code = 99;
    const DWORD started = GetTickCount();
    while (app.running() && later.running() && GetTickCount() - started < WAIT_MS) {
        Sleep(25);
    }
    App& window = app.running() ? app : later;
    App& handing = app.running() ? later : app;
    ASSERT_TRUE(WaitForExit(handing, 0, &code));
    EXPECT_EQ(code, 0u);
    for (int i = 0; i < 2; ++i) {
        Box box;
        ASSERT_TRUE(WaitForBox(window, WAIT_MS, box));
        Answer(box, IDNO);
    }
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), pier);
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Quay.dat")), quay);
}

TEST_F(Handover, TheNameDialogOfAMinimisedWindowComesUpAndNamesItsFile) {
    Installation();
    // The second file deep down, its path longer than the dialog's lines for it.
    std::wstring plain = downloads;
    for (int i = 0; i < 5; ++i) {
        plain += L"\\Ein recht langer Ordnername f\u00fcr Mods " + std::to_wstring(i);
        CreateDirectoryW(plain.c_str(), nullptr);
    }
    plain += L"\\BGruppen.dat";
    WriteFileBytes(plain, pier);
    // Two files: the first takes its own name and asks whether to activate it; meanwhile the
    // window is minimised, and the second needs the name dialog.
    ASSERT_TRUE(Start(app, std::wstring(), downloads, L"BGruppen_Quay.dat \"" + plain + L"\""));
    Box question;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, question));
    const HWND main = WaitForMainWindow(app, WAIT_MS);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(Answer(question, IDNO));

    // It stands on its own, where a minimised owner would hide it, and the window waits.
    Box dialog;
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, dialog));
    EXPECT_EQ(dialog.title, "Add a variant");
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(GetWindow(dialog.hwnd, GW_OWNER), nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    // Its beginning and the file's own name, which tells dropped files apart.
    const std::string shown = Text(GetDlgItem(dialog.hwnd, 206));
    EXPECT_EQ(shown.find("File: " + Narrow(downloads) + "\\Ein"), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 16), "...\\BGruppen.dat") << shown;
    EXPECT_EQ(Text(GetDlgItem(dialog.hwnd, 207)), "First line: ;Pier");
    SendDlgItemMessageW(dialog.hwnd, 203, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Pier"));
    ASSERT_TRUE(Answer(dialog, IDOK));
    ASSERT_TRUE(WaitForBox(app, WAIT_MS, question));
    Answer(question, IDNO);
    for (int i = 0; i < 400 && !IsWindowEnabled(main); ++i) {
        Sleep(25); // the window takes input again once the question's box has returned
    }
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(ReadFileBytes(DataFile(L"BGruppen_Pier.dat")), pier);
}
