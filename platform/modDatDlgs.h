// The shell's folder-browse dialog.
#pragma once

#include "../core/Ports.h"
#include "ShellOnDemand.h"

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace varnholt {

// Shows the dialog with `prompt`, the folder `startFolder` preselected, and returns the chosen
// folder's file-system path (a drive root ends in a backslash, other folders do not), or the
// empty text when the user cancelled or chose an item that is not a file-system folder. The
// thread's active window, if there is one, owns the dialog and takes no input while it is open.
// The shell and COM are loaded at the first call; without the dialog the answer is the empty text.
std::string BrowseForFolder(const std::string& prompt, const std::string& startFolder);
// The same with the dialog's functions given (a test hands in its own); a missing dialog or path
// conversion gives the empty text, a missing release leaves the item list unreleased.
std::string BrowseForFolder(const FolderDialogFunctions& shell, const std::string& prompt,
                            const std::string& startFolder);

// The system's dialog for opening a file, owned by `owner`, showing the files of
// `filters` (pairs of a description and a pattern) in `startFolder` first. The chosen file's
// full path, or the empty text when the player cancelled. The dialog's library is loaded at the
// first call.
std::string ChooseFile(HWND owner, const std::string& title,
                       const std::vector<std::pair<std::string, std::string>>& filters,
                       const std::string& startFolder);

// The dialog's callback: selects the start folder once the dialog has been created, asking
// twice, as Wine's dialog does not always arrive at the first request.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

// Returns the address it is given; the means by which the callback's address is stored.
BFFCALLBACK FarProc(BFFCALLBACK address);

class ShellFolderPicker : public FolderPicker {
  public:
    std::string BrowseForFolder(const std::string& prompt,
                                const std::string& startFolder) override {
        return varnholt::BrowseForFolder(prompt, startFolder);
    }
};

} // namespace varnholt
