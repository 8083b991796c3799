// The shell (shell32) and COM (ole32), loaded when they are first needed rather than at start:
// a normal start needs neither; only the folder picker and the launches do. A library or
// function that cannot be found makes the action that needs it fail in its usual way.
#pragma once

#include "SystemLibrary.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace varnholt {

// The system libraries of the shell and of COM.
constexpr const wchar_t* SHELL_LIBRARY = L"shell32.dll";
constexpr const wchar_t* COM_LIBRARY = L"ole32.dll";

// Initialises COM on the program's one thread at the first call, apartment-threaded as the
// shell's dialogs want it; later calls answer from the first. True when COM is ready.
bool EnsureCom();
// Ends what EnsureCom began, when it began anything; called once as the program ends.
void ReleaseCom();

// Launches through `launch`, a function of ShellExecuteExW's kind, with COM ready. When `launch`
// is missing, the record's hInstApp gets SE_ERR_DLLNOTFOUND, as from any other failed launch,
// and the answer is FALSE.
BOOL LaunchThroughShell(decltype(&::ShellExecuteExW) launch, SHELLEXECUTEINFOW* record);
// The shell's ShellExecuteExW, loaded at the first call, through LaunchThroughShell.
BOOL WINAPI ShellExecuteExOnDemand(SHELLEXECUTEINFOW* record);

// The paths of the files of a drop on a window (WM_DROPFILES), through the shell's functions
// loaded at the first drop; the drop's memory is given back. Empty when the shell is missing.
std::vector<std::wstring> DroppedFiles(HDROP drop);

// The three functions of the folder-browse dialog; each is nullptr when it is missing.
struct FolderDialogFunctions {
    decltype(&::SHBrowseForFolderW) browse = nullptr;
    decltype(&::SHGetPathFromIDListW) pathFromList = nullptr;
    decltype(&::CoTaskMemFree) freeList = nullptr;
};
// The dialog's functions, loaded at the first call, with COM ready.
FolderDialogFunctions FolderDialogOnDemand();

} // namespace varnholt
