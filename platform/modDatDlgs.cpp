#include "modDatDlgs.h"

#include "Handles.h"
#include "ShellOnDemand.h"
#include "Text.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

namespace varnholt {

BFFCALLBACK FarProc(BFFCALLBACK address) {
    return address;
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM /*lParam*/, LPARAM lpData) {
    if (uMsg == BFFM_INITIALIZED) {
        // Asked twice: Wine's dialog, walking its tree down to the folder for the first time,
        // at times stops part-way (at the user's profile folder) and leaves the desktop
        // selected; the second walk, through the branches the first one filled, reaches it.
        // Where the first walk arrives, the second selects the same folder again.
        for (int attempt = 0; attempt < 2; ++attempt) {
            SendMessageW(hwnd, BFFM_SETSELECTIONW, 1, lpData);
        }
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
    wchar_t path[MAX_PATH] = {};
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring widePrompt = Widen(prompt);
    const std::wstring wideStart = Widen(startFolder);

    // The start folder travels to the callback in a zero-filled block of its own, NUL included.
    const std::size_t blockSize = (wideStart.size() + 1) * sizeof(wchar_t);
    const LocalMemory block(LocalAlloc(LMEM_ZEROINIT, blockSize));
    if (block) {
        std::memcpy(block.get(), wideStart.c_str(), blockSize);
    }

    BROWSEINFOW info = {};
    // Owned by this thread's active window (the main window, when its folder button asks), which
    // the dialog disables while it is open: no click reaches Activate, Start or a second picker
    // meanwhile. Before the window is shown nothing is active, and the dialog stands alone.
    info.hwndOwner = GetActiveWindow();
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = widePrompt.c_str();
    info.ulFlags = 0;
    info.lpfn = FarProc(BrowseCallbackProc);
    info.lParam = reinterpret_cast<LPARAM>(block.get());
    info.iImage = 0;

    PIDLIST_ABSOLUTE list = shell.browse(&info);
    std::string result;
    if (list != nullptr && shell.pathFromList(list, path)) {
        result = Narrow(std::wstring(path, wcsnlen(path, MAX_PATH)));
    }
    // Through the function found with the dialog's: CoTaskMemory would make ole32 an import.
    if (shell.freeList != nullptr) {
        shell.freeList(list);
    }
    return result;
}

std::string ChooseFile(HWND owner, const std::string& title,
                       const std::vector<std::pair<std::string, std::string>>& filters,
                       const std::string& startFolder) {
    static const auto open =
        SystemFunctionOf<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (open == nullptr) {
        return std::string();
    }
    std::wstring filter;
    for (const auto& [description, pattern] : filters) {
        filter += Widen(description) + L'\0' + Widen(pattern) + L'\0';
    }
    filter += L'\0';
    const std::wstring wideTitle = Widen(title);
    const std::wstring wideStart = Widen(startFolder);
    // Room for a long path: the dialog fails rather than cut one.
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = &path[0];
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = wideStart.empty() ? nullptr : wideStart.c_str();
    dialog.lpstrTitle = wideTitle.c_str();
    // The working folder stays as it is: relative folders count from it.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    EnsureCom();
    if (!open(&dialog)) {
        return std::string();
    }
    return Narrow(std::wstring(path.c_str()));
}

} // namespace varnholt
