// The shell's folder-browse dialog.
#pragma once

#include "../core/Ports.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace varnholt {

// Shows the dialog with `prompt`, the folder `startFolder` preselected, and returns the chosen
// folder's file-system path (a drive root ends in a backslash, other folders do not), or the
// empty text when the user cancelled or chose an item that is not a file-system folder.
std::string BrowseForFolder(const std::string& prompt, const std::string& startFolder);

// The dialog's callback: selects the start folder once the dialog has been created.
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
