// A file dropped on the main window, opened in this process: a real WM_DROPFILES, as the system
// delivers it, adds the file as a variant, and the question after it is answered.
#include "../../platform/Win32FileSystem.h"
#include "WindowFakes.h"
#include "tests/driver/Driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// A drop of `path` on `window` as the shell makes one: the files in global memory that the
// window's process owns, handed over with the message.
void DropFile(HWND window, const std::wstring& path) {
    const std::size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

} // namespace

TEST(WindowDrop, ADroppedFileIsAddedAsAVariantAndTheQuestionFollows) {
    TempFolder game("vh-drop");
    ASSERT_TRUE(game.created());
    CreateDirectoryW(Widen(game / "Data").c_str(), nullptr);
    const std::string data = game / "Data\\";
    WriteFileBytes(Widen(data + "BGruppen.dat"), ";Classic\r\n");
    WriteFileBytes(Widen(game / "BGruppen_Harbour.dat"), ";More harbour workers\r\n");

    OpenedWindow<NoRegistry, Win32FileSystem> window(
        {{"ANNOPath", game.path()}, {"DATPath", data}, {"FirstRun", "1"}});
    ASSERT_TRUE(window.Open());

    // The question after the adding is answered No from another thread, as a player would.
    std::atomic<bool> done{false};
    std::string question;
    std::thread player([&] {
        drive::Box box;
        while (!done) {
            if (drive::FindBox(GetCurrentProcessId(), box)) {
                Sleep(100);
                drive::FindBox(GetCurrentProcessId(), box);
                question = box.text;
                drive::Answer(box, IDNO);
                done = true;
            }
            Sleep(25);
        }
    });
    DropFile(window.form.Handle(), Widen(game / "BGruppen_Harbour.dat"));
    for (int i = 0; i < 400 && !done; ++i) {
        Pump(25);
    }
    done = true;
    player.join();
    Pump(100);

    EXPECT_EQ(question, "'" + game.path() +
                            "BGruppen_Harbour.dat' is added to the data folder "
                            "as\r\n\r\n" +
                            data + "BGruppen_Harbour.dat\r\n\r\nActivate it now?");
    EXPECT_EQ(ReadFileBytes(Widen(data + "BGruppen_Harbour.dat")), ";More harbour workers\r\n");
    EXPECT_EQ(ReadFileBytes(Widen(data + "BGruppen.dat")), ";Classic\r\n");
    const int selected = window.form.ListIndex();
    EXPECT_EQ(window.form.ListText(selected), "BGruppen_Harbour.dat (More harbour workers)");
    window.form.EndProgram();
}
