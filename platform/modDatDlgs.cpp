#include "modDatDlgs.h"

#include "Handles.h"
#include "ShellOnDemand.h"
#include "Text.h"

#include <shlobj.h>

#include <cstring>

namespace varnholt {

BFFCALLBACK FarProc(BFFCALLBACK address) {
    return address;
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM /*lParam*/, LPARAM lpData) {
    if (uMsg == BFFM_INITIALIZED) {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, 1, lpData);
    }
    return 0;
}

std::string BrowseForFolder(const std::string& prompt, const std::string& startFolder) {
    return BrowseForFolder(FolderDialogOnDemand(), prompt, startFolder);
}

std::string BrowseForFolder(const FolderDialogFunctions& shell, const std::string& prompt,
                            const std::string& startFolder) {
    // Without the dialog there is no folder to choose.
    if (shell.browse == nullptr || shell.pathFromList == nullptr) {
        return std::string();
    }
    char path[MAX_PATH] = {};
    char displayName[MAX_PATH] = {};
    const std::string ansiPrompt = Utf8ToAnsi(prompt);
    const std::string ansiStart = Utf8ToAnsi(startFolder);

    // The start folder travels to the callback in a zero-filled block of its own, NUL included.
    const LocalMemory block(LocalAlloc(LMEM_ZEROINIT, ansiStart.size() + 1));
    if (block) {
        std::memcpy(block.get(), ansiStart.c_str(), ansiStart.size() + 1);
    }

    BROWSEINFOA info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = ansiPrompt.c_str();
    info.ulFlags = 0;
    info.lpfn = FarProc(BrowseCallbackProc);
    info.lParam = reinterpret_cast<LPARAM>(block.get());
    info.iImage = 0;

    PIDLIST_ABSOLUTE list = shell.browse(&info);
    std::string result;
    if (list != nullptr && shell.pathFromList(list, path)) {
        result = AnsiToUtf8(std::string(path, strnlen(path, MAX_PATH)));
    }
    // Through the function found with the dialog's: CoTaskMemory would make ole32 an import.
    if (shell.freeList != nullptr) {
        shell.freeList(list);
    }
    return result;
}

} // namespace varnholt
