// The folder picker with the shell's dialog functions handed in: the title and the start
// folder's block it gives the dialog, the release of the item list, and what happens when the
// shell's functions are missing. Also the loading of system functions at first use.
#include "Win32TestSupport.h"
#include "platform/modDatDlgs.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

// What the fake dialog saw, and what it answers.
struct DialogCall {
    int browsed = 0;
    std::string title;
    std::string startBlock; // the callback's data, read while the dialog is open
    SIZE_T blockSize = 0;
    PIDLIST_ABSOLUTE answer = nullptr;
    std::string path; // what the path conversion writes; empty: not a file-system folder
    int freed = 0;
    PCIDLIST_ABSOLUTE freedList = nullptr;
};
DialogCall dialog;

// Stands in for the item list the shell would return.
ITEMIDLIST_ABSOLUTE chosenItem = {};

PIDLIST_ABSOLUTE WINAPI FakeBrowse(LPBROWSEINFOW info) {
    ++dialog.browsed;
    dialog.title = info->lpszTitle != nullptr ? Narrow(info->lpszTitle) : "<null>";
    const wchar_t* block = reinterpret_cast<const wchar_t*>(info->lParam);
    dialog.startBlock = block != nullptr ? Narrow(block) : "<null>";
    dialog.blockSize = LocalSize(reinterpret_cast<HLOCAL>(info->lParam));
    return dialog.answer;
}

BOOL WINAPI FakePathFromList(PCIDLIST_ABSOLUTE, LPWSTR path) {
    if (dialog.path.empty()) {
        return FALSE;
    }
    lstrcpynW(path, Widen(dialog.path).c_str(), MAX_PATH);
    return TRUE;
}

void WINAPI FakeFree(LPVOID list) {
    ++dialog.freed;
    dialog.freedList = static_cast<PCIDLIST_ABSOLUTE>(list);
}

FolderDialogFunctions FakeShell() {
    FolderDialogFunctions f;
    f.browse = FakeBrowse;
    f.pathFromList = FakePathFromList;
    f.freeList = FakeFree;
    return f;
}

struct FolderDialog : ::testing::Test {
    void SetUp() override { dialog = DialogCall(); }
};

} // namespace

TEST_F(FolderDialog, AsksWithTheTitleFromTheStartFolderAndReturnsTheChosenOne) {
    dialog.answer = &chosenItem;
    dialog.path = "C:\\Games\\ANNO 1503";
    const std::string chosen = BrowseForFolder(
        FakeShell(), "Choose your 1503 installation to work on:", "C:\\Games\\ANNO 1503");

    EXPECT_EQ(chosen, "C:\\Games\\ANNO 1503");
    ASSERT_EQ(dialog.browsed, 1);
    EXPECT_EQ(dialog.title, "Choose your 1503 installation to work on:");
    EXPECT_EQ(dialog.startBlock, "C:\\Games\\ANNO 1503");
    EXPECT_GE(dialog.blockSize, sizeof L"C:\\Games\\ANNO 1503");
    EXPECT_EQ(dialog.freed, 1);
    EXPECT_EQ(dialog.freedList, &chosenItem);
}

TEST_F(FolderDialog, FoldersBeyondTheAnsiCodePageGoBothWaysWhole) {
    const std::string game = "C:\\\u0418\u0433\u0440\u044b\\ANNO 1503 \u00e4";
    dialog.answer = &chosenItem;
    dialog.path = game + "\\Data";
    EXPECT_EQ(BrowseForFolder(FakeShell(), "Prompt \u00e4", game), game + "\\Data");
    EXPECT_EQ(dialog.startBlock, game);
    EXPECT_EQ(dialog.title, "Prompt \u00e4");
}

TEST_F(FolderDialog, CancelOrAVirtualItemGivesTheEmptyTextAndStillReleasesTheList) {
    // Cancelled: no list, which is released all the same.
    EXPECT_EQ(BrowseForFolder(FakeShell(), "Please locate ANNO 1503 installation folder:", ""), "");
    EXPECT_EQ(dialog.startBlock, "");
    EXPECT_EQ(dialog.freed, 1);
    EXPECT_EQ(dialog.freedList, nullptr);

    // An item without a file-system path.
    dialog = DialogCall();
    dialog.answer = &chosenItem;
    EXPECT_EQ(BrowseForFolder(FakeShell(), "Prompt", "C:\\"), "");
    EXPECT_EQ(dialog.freed, 1);
    EXPECT_EQ(dialog.freedList, &chosenItem);
}

TEST_F(FolderDialog, MissingShellFunctionsGiveTheEmptyTextInsteadOfAFault) {
    EXPECT_EQ(BrowseForFolder(FolderDialogFunctions(), "Prompt", "C:\\"), "");

    FolderDialogFunctions withoutConversion = FakeShell();
    withoutConversion.pathFromList = nullptr;
    EXPECT_EQ(BrowseForFolder(withoutConversion, "Prompt", "C:\\"), "");
    EXPECT_EQ(dialog.browsed, 0); // no dialog whose answer could not be read

    // Without the release the chosen folder still comes back; the list is left to the process.
    FolderDialogFunctions withoutRelease = FakeShell();
    withoutRelease.freeList = nullptr;
    dialog.answer = &chosenItem;
    dialog.path = "D:\\";
    EXPECT_EQ(BrowseForFolder(withoutRelease, "Prompt", ""), "D:\\");
    EXPECT_EQ(dialog.freed, 0);
}

TEST(SystemFunction, LoadsFromTheSystemFolderOrAnswersNull) {
    EXPECT_NE(SystemFunction(L"shell32.dll", "SHBrowseForFolderW"), nullptr);
    EXPECT_NE(GetModuleHandleW(L"shell32.dll"), nullptr);
    EXPECT_EQ(SystemFunction(L"shell32.dll", "NoSuchFunctionInTheShell"), nullptr);
    EXPECT_EQ(SystemFunction(L"varnholt-no-such-library.dll", "Anything"), nullptr);

    const FolderDialogFunctions shell = FolderDialogOnDemand();
    EXPECT_NE(shell.browse, nullptr);
    EXPECT_NE(shell.pathFromList, nullptr);
    EXPECT_NE(shell.freeList, nullptr);
}
