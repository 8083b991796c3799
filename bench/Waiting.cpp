// Waiting on the windows of a started program, polling every millisecond.
#include "Bench.h"

namespace varnholt::bench {

using namespace drive;
using namespace test;

namespace {

const wchar_t DIALOG_CLASS[] = L"#32770";

struct FindAny {
    DWORD pid;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK FindAnyWindow(HWND window, LPARAM param) {
    FindAny* search = reinterpret_cast<FindAny*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid) {
        return TRUE;
    }
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == search->windowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND AnyWindowOf(DWORD pid, const wchar_t* windowClass) {
    FindAny search{pid, windowClass, nullptr};
    EnumWindows(FindAnyWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double StartPolled(App& app, const std::wstring& exe, const std::function<double(double)>& poll) {
    const double start = NowMs();
    if (!Start(app, exe)) {
        Fail("cannot start " + Narrow(exe));
    }
    while (NowMs() - start < WAIT_MS) {
        const double elapsed = poll(start);
        if (elapsed >= 0) {
            return elapsed;
        }
        if (elapsed == GIVE_UP) {
            break;
        }
        if (!app.running()) {
            Fail(Narrow(exe) + " ended before its window was shown");
        }
        Sleep(1);
    }
    Kill(app);
    Fail(Narrow(exe) + " did not show its window");
}

double StartShown(App& app, const std::wstring& exe, const wchar_t* windowClass) {
    return StartPolled(app, exe, [&](double start) {
        HWND window = VisibleWindowOf(app.process.dwProcessId, windowClass);
        if (window != nullptr && Settle(window, WAIT_MS)) {
            const double elapsed = NowMs() - start;
            app.main = window;
            return elapsed;
        }
        return KEEP_POLLING;
    });
}

void Close(App& app) {
    if (app.main != nullptr) {
        PostMessageW(app.main, WM_CLOSE, 0, 0);
    }
    if (!WaitForExit(app, 15000)) {
        Progress("  (a program did not end when closed; ended it)\n");
    }
    Kill(app);
}

HWND WaitForDialog(App& app) {
    const double start = NowMs();
    while (NowMs() - start < WAIT_MS) {
        if (HWND dialog = VisibleWindowOf(app.process.dwProcessId, DIALOG_CLASS)) {
            return dialog;
        }
        if (!app.running()) {
            break;
        }
        Sleep(1);
    }
    Kill(app);
    Fail("no message box appeared");
}

void DismissAndSettle(HWND dialog, HWND main) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    const double start = NowMs();
    while (IsWindow(dialog) && IsWindowVisible(dialog)) {
        if (NowMs() - start > WAIT_MS) {
            Fail("the message box did not close");
        }
        Sleep(1);
    }
    if (!Settle(main, WAIT_MS)) {
        Fail("the window did not become idle");
    }
}

} // namespace varnholt::bench
