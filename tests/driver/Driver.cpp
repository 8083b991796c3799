#include "Driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>

#include <fstream>
#include <iterator>
#include <sstream>

namespace varnholt::drive {

namespace {

constexpr DWORD POLL_MS = 25;

struct Longest {
    std::string text;
};

BOOL CALLBACK FindLongestStatic(HWND child, LPARAM param) {
    Longest* longest = reinterpret_cast<Longest*>(param);
    if (_wcsicmp(test::ClassOf(child).c_str(), L"Static") == 0) {
        const std::string text = Text(child);
        if (text.size() > longest->text.size()) {
            longest->text = text;
        }
    }
    return TRUE;
}

} // namespace

bool App::running() const {
    return process.hProcess != nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Start(App& app, const std::wstring& exe, const std::wstring& folder,
           const std::wstring& arguments) {
    const std::wstring program = exe.empty() ? ExeFolder() + L"varnholt.exe" : exe;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    app = App();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &app.process)) {
        return false;
    }
    app.processOwner.reset(app.process.hProcess);
    app.threadOwner.reset(app.process.hThread);
    return true;
}

bool WaitForExit(App& app, DWORD timeoutMs, DWORD* code) {
    if (app.process.hProcess == nullptr) {
        return true;
    }
    if (WaitForSingleObject(app.process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    if (code != nullptr) {
        GetExitCodeProcess(app.process.hProcess, code);
    }
    return true;
}

void Kill(App& app) {
    if (app.running()) {
        TerminateProcess(app.process.hProcess, 99);
        WaitForSingleObject(app.process.hProcess, 5000);
    }
    app = App();
}

std::vector<std::string> LoadedModules(DWORD pid) {
    std::vector<std::string> names;
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    if (!snapshot) {
        return names;
    }
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
         more = Module32NextW(snapshot.get(), &entry)) {
        std::wstring name = entry.szModule;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
        names.push_back(Narrow(name));
    }
    return names;
}

HWND VisibleMainWindow(DWORD pid) {
    return test::VisibleWindowOf(pid, L"frmVarnholt");
}

HWND WaitForMainWindow(App& app, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND main = VisibleMainWindow(app.process.dwProcessId);
        if (main != nullptr && Settle(main)) {
            app.main = main;
            return main;
        }
        if (!app.running()) {
            return nullptr;
        }
        Sleep(POLL_MS);
    }
    return nullptr;
}

bool FindBox(DWORD pid, Box& box) {
    HWND dialog = test::VisibleWindowOf(pid, L"#32770");
    if (dialog == nullptr) {
        return false;
    }
    box.hwnd = dialog;
    box.title = Text(dialog);
    // The message text is the dialog's longest static text.
    Longest longest;
    EnumChildWindows(dialog, FindLongestStatic, reinterpret_cast<LPARAM>(&longest));
    box.text = longest.text;
    return true;
}

bool WaitForBox(const App& app, DWORD timeoutMs, Box& box) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (FindBox(app.process.dwProcessId, box)) {
            Sleep(POLL_MS); // let the dialog finish laying out its texts
            FindBox(app.process.dwProcessId, box);
            return true;
        }
        if (!app.running()) {
            return false;
        }
        Sleep(POLL_MS);
    }
    return false;
}

bool Answer(const Box& box, int id) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, id)));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (!IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd)) {
            return true;
        }
        Sleep(POLL_MS);
    }
    return false;
}

HWND ControlOf(HWND main, Ctl control) {
    return GetDlgItem(main, CONTROL_ID_BASE + static_cast<int>(control));
}

std::string Text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return std::string();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return Narrow(text);
}

std::vector<std::string> ListItems(HWND main) {
    HWND list = ControlOf(main, Ctl::lstDATs);
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        items.push_back(Narrow(text));
    }
    return items;
}

int ListSelection(HWND main) {
    const LRESULT index = SendMessageW(ControlOf(main, Ctl::lstDATs), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Click(HWND main, Ctl control) {
    HWND window = ControlOf(main, control);
    const WORD code = control == Ctl::lblCR ? STN_CLICKED : BN_CLICKED;
    SendNotifyMessageW(main, WM_COMMAND,
                       MAKEWPARAM(CONTROL_ID_BASE + static_cast<int>(control), code),
                       reinterpret_cast<LPARAM>(window));
}

void Select(HWND main, int index) {
    HWND list = ControlOf(main, Ctl::lstDATs);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendNotifyMessageW(main, WM_COMMAND,
                       MAKEWPARAM(CONTROL_ID_BASE + static_cast<int>(Ctl::lstDATs), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
}

void DoubleClickList(HWND main) {
    HWND list = ControlOf(main, Ctl::lstDATs);
    SendNotifyMessageW(main, WM_COMMAND,
                       MAKEWPARAM(CONTROL_ID_BASE + static_cast<int>(Ctl::lstDATs), LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(list));
}

bool Settle(HWND main, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

} // namespace varnholt::drive
