#include "SingleInstance.h"

#include "../core/Handover.h"
#include "ProcessWindows.h"
#include "SystemLibrary.h"

#include <algorithm>

namespace varnholt {

namespace {

// The first visible top-level window of `process` that takes input, in the order of the screen:
// its message box or folder picker.
HWND ShownWindowOf(DWORD process) {
    return FirstWindowOf(process, [](HWND window) { return IsWindowEnabled(window) != FALSE; });
}

} // namespace

SingleInstance::SingleInstance(const wchar_t* name) : name_(name) {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (std::wstring(L"Local\\") + name).c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    // A mark that exists but may not be opened is held by another Varnholt all the same. The
    // system removes the mark with the last process that holds it, also after a crash.
    anotherRuns_ =
        error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED);
}

void SingleInstance::MarkRunWithoutWindow() {
    // The system's static class needs no registration; a message-only window is never shown.
    runMark_.reset(CreateWindowExW(0, L"STATIC", name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, GetModuleHandleW(nullptr), nullptr));
}

bool BringWindowForward(const wchar_t* windowClass, const wchar_t* markName) {
    const HWND window = FindWindowW(windowClass, nullptr);
    if (window != nullptr && IsWindowVisible(window)) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        // The window's last active popup is its message box or picker while one is open.
        SetForegroundWindow(GetLastActivePopup(window));
        return true;
    }
    // A message box or picker without an owner: of the hidden window's process, or of a run's.
    const HWND mark =
        window != nullptr ? window : FindWindowExW(HWND_MESSAGE, nullptr, L"STATIC", markName);
    DWORD process = 0;
    if (mark == nullptr || GetWindowThreadProcessId(mark, &process) == 0) {
        return false;
    }
    const HWND shown = ShownWindowOf(process);
    if (shown == nullptr) {
        return false;
    }
    SetForegroundWindow(shown);
    return true;
}

namespace {

// The longest wait for a window that takes files, from the second start's first look.
constexpr DWORD WINDOW_WAIT_MS = 8000;
constexpr DWORD LOOK_AGAIN_MS = 100;
// The longest wait for an answer: a window that hangs is not waited for without end.
constexpr UINT ANSWER_WAIT_MS = 10000;

// Hands one block to `window`: its answer, or false when none came.
bool SendBlock(HWND window, const std::vector<std::wstring>& files, LRESULT& answer) {
    std::vector<std::u16string> paths;
    for (const std::wstring& file : files) {
        paths.emplace_back(file.begin(), file.end());
    }
    std::string block = EncodeHandedFiles(paths);
    COPYDATASTRUCT data = {};
    data.dwData = FILES_TO_ADD;
    data.cbData = static_cast<DWORD>(block.size());
    data.lpData = &block[0];
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, ANSWER_WAIT_MS, &result) == 0) {
        return false;
    }
    answer = static_cast<LRESULT>(result);
    return true;
}

} // namespace

Handover HandFilesToWindow(const wchar_t* windowClass, const wchar_t* markName,
                           const std::vector<std::wstring>& files, std::size_t& taken) {
    taken = 0;
    const DWORD started = GetTickCount();
    // A window that answered and is gone since: its start-up failed, or it ended. Waiting on
    // would only end with a false cause.
    bool answered = false;
    while (taken < files.size()) {
        const HWND window = FindWindowW(windowClass, nullptr);
        LRESULT answer = HANDOVER_NOT_YET;
        if (window == nullptr && answered) {
            return Handover::Refused;
        }
        if (window == nullptr &&
            FindWindowExW(HWND_MESSAGE, nullptr, L"STATIC", markName) != nullptr) {
            return Handover::RunWithoutWindow;
        }
        if (window != nullptr) {
            // The running one may bring its dialogs to the front, which Windows allows only to
            // the process that the player last used or one it names.
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            const std::size_t count = std::min(HANDOVER_MAX_FILES, files.size() - taken);
            const std::vector<std::wstring> batch(
                files.begin() + static_cast<std::ptrdiff_t>(taken),
                files.begin() + static_cast<std::ptrdiff_t>(taken + count));
            if (!SendBlock(window, batch, answer)) {
                return IsWindow(window) ? Handover::NoAnswer : Handover::Refused;
            }
            answered = true;
            if (answer == HANDOVER_TAKEN) {
                taken += count;
                continue;
            }
            if (answer != HANDOVER_NOT_YET) {
                return Handover::Refused;
            }
        }
        // The running one has no window yet, or its start-up is still at work.
        if (GetTickCount() - started >= WINDOW_WAIT_MS) {
            return Handover::NoWindowInTime;
        }
        Sleep(LOOK_AGAIN_MS);
    }
    return Handover::Taken;
}

void LetHandoverIn(HWND window) {
    // Looked up by name: the import table keeps to what every supported Windows has.
    static const auto change = SystemFunctionOf<decltype(&::ChangeWindowMessageFilterEx)>(
        L"user32.dll", "ChangeWindowMessageFilterEx");
    if (change == nullptr) {
        return;
    }
    // WM_COPYGLOBALDATA carries a drop's files between processes; the headers do not name it.
    const UINT COPY_GLOBAL_DATA = 0x0049;
    for (const UINT message : {UINT{WM_COPYDATA}, UINT{WM_DROPFILES}, COPY_GLOBAL_DATA}) {
        change(window, message, MSGFLT_ALLOW, nullptr);
    }
}

} // namespace varnholt
