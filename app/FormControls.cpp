// What the form logic reads and writes through FormControls: the controls' captions, colours
// and states, the list, message boxes, and the window's state and end.
#include "../core/Handover.h"
#include "../core/Texts.h"
#include "../platform/Text.h"
#include "Captions.h"
#include "frmVarnholt.h"

namespace varnholt {

std::string frmVarnholt::Caption(Ctl control) const {
    return Narrow(WindowText(Control(control)));
}

void frmVarnholt::SetCaption(Ctl control, const std::string& text) {
    HWND window = Control(control);
    SetWindowTextW(window, Widen(text).c_str());
    if (DesignOf(control).kind == Kind::Label) {
        FitCaption(static_cast<int>(control));
        InvalidateRect(window, nullptr, FALSE);
    }
}

void frmVarnholt::SetForeColor(Ctl control, std::uint32_t rgb) {
    colours_[static_cast<int>(control)] = static_cast<COLORREF>(rgb);
    InvalidateRect(Control(control), nullptr, FALSE);
}

void frmVarnholt::SetEnabled(Ctl control, bool enabled) {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void frmVarnholt::SetListRedraw(bool on) {
    HWND list = Control(Ctl::lstDATs);
    SendMessageW(list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) {
        InvalidateRect(list, nullptr, TRUE);
    }
}

void frmVarnholt::ListClear() {
    SendMessageW(Control(Ctl::lstDATs), LB_RESETCONTENT, 0, 0);
}

void frmVarnholt::ListAdd(const std::string& text) {
    SendMessageW(Control(Ctl::lstDATs), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int frmVarnholt::ListCount() const {
    return static_cast<int>(SendMessageW(Control(Ctl::lstDATs), LB_GETCOUNT, 0, 0));
}

int frmVarnholt::ListIndex() const {
    const LRESULT index = SendMessageW(Control(Ctl::lstDATs), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void frmVarnholt::SetListIndex(int index) {
    SendMessageW(Control(Ctl::lstDATs), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string frmVarnholt::ListText(int index) const {
    HWND list = Control(Ctl::lstDATs);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return std::string();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Narrow(text);
}

void frmVarnholt::Beep() {
    MessageBeep(MB_OK);
}

HWND frmVarnholt::MessageOwner() const {
    // Before the window is shown, and while it is minimised, a message has no owner (a
    // minimised owner would hide it); otherwise it belongs to the window.
    return (hwnd_ != nullptr && IsWindowVisible(hwnd_) && !IsIconic(hwnd_)) ? hwnd_ : nullptr;
}

int frmVarnholt::ShowMessageBox(const std::string& text, const std::string& title, UINT flags) {
    HWND owner = MessageOwner();
    return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                       flags | (owner == nullptr ? MB_TASKMODAL : 0));
}

void frmVarnholt::MsgBox(const std::string& text, int flags, const std::string& title) {
    ShowMessageBox(text, title, MB_OK | static_cast<UINT>(flags));
}

bool frmVarnholt::AskYesNoWarning(const std::string& text, const std::string& title) {
    return ShowMessageBox(text, title, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void frmVarnholt::SetFormCaption(const std::string& text) {
    SetWindowTextW(hwnd_, Widen(text).c_str());
}

WindowState frmVarnholt::FormWindowState() const {
    if (IsIconic(hwnd_)) {
        return WindowState::Minimized;
    }
    if (IsZoomed(hwnd_)) {
        return WindowState::Maximized;
    }
    return WindowState::Normal;
}

void frmVarnholt::MinimizeForm() {
    ShowWindow(hwnd_, SW_MINIMIZE);
}

void frmVarnholt::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void frmVarnholt::EndProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    // Files taken to add (dropped, handed over) that the ending window never adds: the player is
    // told which, as a later start is told when the window does not take them.
    if (!pendingFiles_.empty()) {
        const std::vector<std::string> left(pendingFiles_.begin(), pendingFiles_.end());
        pendingFiles_.clear();
        MsgBox(NotAddedText(left, IDS_NOT_ADDED_CLOSING), MB_ICONEXCLAMATION, TITLE_TEXT);
    }
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_); // posts the quit message
    } else {
        PostQuitMessage(0);
    }
}

} // namespace varnholt
