#include "ShellOnDemand.h"

namespace varnholt {

namespace {

enum class ComState { NotTried, Ready, ReadyElsewhere, Failed };
ComState g_com = ComState::NotTried;

} // namespace

bool EnsureCom() {
    if (g_com == ComState::NotTried) {
        using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
        const auto initialize = SystemFunctionOf<Initialize>(COM_LIBRARY, "CoInitializeEx");
        const HRESULT result =
            initialize != nullptr
                ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                : E_NOTIMPL;
        // Started by someone else in the other threading model: usable, but not ours to end.
        g_com = SUCCEEDED(result)              ? ComState::Ready
                : result == RPC_E_CHANGED_MODE ? ComState::ReadyElsewhere
                                               : ComState::Failed;
    }
    return g_com == ComState::Ready || g_com == ComState::ReadyElsewhere;
}

void ReleaseCom() {
    if (g_com == ComState::Ready) {
        using Uninitialize = void(WINAPI*)();
        if (const auto uninitialize =
                SystemFunctionOf<Uninitialize>(COM_LIBRARY, "CoUninitialize")) {
            uninitialize();
        }
    }
    g_com = ComState::NotTried;
}

BOOL LaunchThroughShell(decltype(&::ShellExecuteExW) launch, SHELLEXECUTEINFOW* record) {
    if (launch == nullptr) {
        record->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
        return FALSE;
    }
    EnsureCom(); // the shell may hand the launch to an extension; it reports its own failures
    return launch(record);
}

BOOL WINAPI ShellExecuteExOnDemand(SHELLEXECUTEINFOW* record) {
    static const auto launch =
        SystemFunctionOf<decltype(&::ShellExecuteExW)>(SHELL_LIBRARY, "ShellExecuteExW");
    return LaunchThroughShell(launch, record);
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    static const auto query =
        SystemFunctionOf<decltype(&::DragQueryFileW)>(SHELL_LIBRARY, "DragQueryFileW");
    static const auto finish =
        SystemFunctionOf<decltype(&::DragFinish)>(SHELL_LIBRARY, "DragFinish");
    std::vector<std::wstring> files;
    const UINT count = query != nullptr ? query(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = query(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(query(drop, i, &path[0], length + 1));
        if (!path.empty()) {
            files.push_back(path);
        }
    }
    if (finish != nullptr) {
        finish(drop);
    }
    return files;
}

FolderDialogFunctions FolderDialogOnDemand() {
    static const FolderDialogFunctions functions = [] {
        FolderDialogFunctions f;
        f.browse = SystemFunctionOf<decltype(f.browse)>(SHELL_LIBRARY, "SHBrowseForFolderW");
        f.pathFromList =
            SystemFunctionOf<decltype(f.pathFromList)>(SHELL_LIBRARY, "SHGetPathFromIDListW");
        f.freeList = SystemFunctionOf<decltype(f.freeList)>(COM_LIBRARY, "CoTaskMemFree");
        return f;
    }();
    EnsureCom();
    return functions;
}

} // namespace varnholt
