// The main window: its creation, its controls and tool tips, and its messages. The layout at a
// resolution (Layout.cpp), the captions (Captions.cpp), the images (Images.cpp) and what the
// form logic reads and writes (FormControls.cpp) lie in files of their own.
#include "frmVarnholt.h"

#include "../platform/ShellOnDemand.h"
#include "../platform/SingleInstance.h"
#include "../platform/Text.h"
#include "Captions.h"
#include "Dpi.h"
#include "Images.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace varnholt {

namespace {

const wchar_t* const WINDOW_CLASS = frmVarnholt::CLASS_NAME;

// A window of `size` centred in the primary screen's work area, no further up or left than it.
RECT CentredInWorkArea(SIZE size) {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0L, (work.right - work.left - size.cx) / 2);
    const int y = work.top + std::max(0L, (work.bottom - work.top - size.cy) / 2);
    return RECT{x, y, x + size.cx, y + size.cy};
}

} // namespace

frmVarnholt::frmVarnholt(HINSTANCE instance, const SystemServices& system) : instance_(instance) {
    logic_.reset(new FormLogic(FormServices{system, *this}));
}

frmVarnholt::~frmVarnholt() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    // The class names the icons: it goes before they do.
    if (classRegistered_) {
        UnregisterClassW(WINDOW_CLASS, instance_);
    }
}

const ControlDesign& frmVarnholt::DesignOf(Ctl control) const {
    return DESIGN[static_cast<int>(control)];
}

bool frmVarnholt::Create() {
    // Laid out for the primary screen, where the window opens; should the system place it on
    // a screen of another resolution, it is laid out again below.
    LoadForDpi(DpiOfPrimaryScreen());

    const WNDCLASSEXW wc =
        WindowClassOf(instance_, WindowProc, WINDOW_CLASS, bigIcon_.get(), smallIcon_.get());
    if (RegisterClassExW(&wc) == 0) {
        return false;
    }
    classRegistered_ = true;

    // Centred in the primary screen's work area.
    const RECT at = CentredInWorkArea(FrameSize(dpi_));
    hwnd_ = CreateWindowExW(WINDOW_EX_STYLE, WINDOW_CLASS, Widen(DESIGN_CAPTION).c_str(),
                            WINDOW_STYLE, at.left, at.top, at.right - at.left, at.bottom - at.top,
                            nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) {
        return false;
    }
    LetHandoverIn(hwnd_);
    CreateControls();
    const int dpi = DpiOfWindow(hwnd_);
    if (dpi != dpi_) {
        ApplyDpi(dpi);
        const RECT resized = CentredInWorkArea(FrameSize(dpi));
        SetWindowPos(hwnd_, nullptr, resized.left, resized.top, resized.right - resized.left,
                     resized.bottom - resized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (!logic_->Form_Load()) {
        return false;
    }
    loaded_ = true;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    logic_->Form_Resize();
    UpdateWindow(hwnd_);
    SetFocus(Control(Ctl::btnDone));
    return !ended_;
}

void frmVarnholt::CreateControls() {
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, instance_, nullptr);

    // Created in rising tab index, so that the window order is the tab order.
    std::vector<int> order(CONTROL_COUNT);
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::sort(order.begin(), order.end(),
              [](int a, int b) { return DESIGN[a].tabIndex < DESIGN[b].tabIndex; });

    for (int i : order) {
        const ControlDesign& d = DESIGN[i];
        const ControlClass kind = ControlClassOf(d);
        const RECT rc = ScaledRect(d);
        HWND control = CreateWindowExW(
            kind.exStyle, kind.name, Widen(InitialCaption(d)).c_str(), kind.style, rc.left, rc.top,
            rc.right - rc.left, rc.bottom - rc.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(CONTROL_ID_BASE + i)), instance_, nullptr);
        controls_[i] = control;
        colours_[i] = ColourOf(d.colour);
        if (d.toolTip != NO_TEXT && toolTip_ != nullptr) {
            const std::wstring tip = Widen(ToolTipOf(d));
            TOOLINFOW info = {};
            info.cbSize = sizeof info;
            // The window relays the mouse to the tool tips itself: a tool tip that subclasses
            // its control handles every message the control gets, which under Wine makes
            // filling the list with thousands of entries take seconds.
            info.uFlags = TTF_IDISHWND;
            info.hwnd = hwnd_;
            info.uId = reinterpret_cast<UINT_PTR>(control);
            info.lpszText = const_cast<wchar_t*>(tip.c_str());
            SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
    PlaceControls();
}

int frmVarnholt::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

bool frmVarnholt::PreTranslate(MSG& msg) {
    if (toolTip_ != nullptr && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (IsListMenuKey(msg)) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            ShowListMenu(-1);
        }
        return true;
    }
    // Tab moves between the controls, Enter presses the focused button or else the default
    // button Done.
    return hwnd_ != nullptr && IsWindow(hwnd_) && IsDialogMessageW(hwnd_, &msg);
}

LRESULT CALLBACK frmVarnholt::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    frmVarnholt* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<frmVarnholt*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<frmVarnholt*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

void frmVarnholt::PaintBackground(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_ != nullptr) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               picture_->dc(), area.left, area.top, SRCCOPY);
    }
}

LRESULT frmVarnholt::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        PaintBackground(reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    case WM_DRAWITEM:
        DrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        // The owner-drawn labels paint everything themselves.
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Control(Ctl::lblCR) && handCursor_) {
            SetCursor(handCursor_.get());
            return TRUE;
        }
        break;
    case WM_GETDPISCALEDSIZE: {
        // The outer size at the new resolution, so that the system's suggestion on the
        // following WM_DPICHANGED is exactly the design's.
        const SIZE size = FrameSize(static_cast<int>(wParam));
        *reinterpret_cast<SIZE*>(lParam) = size;
        return TRUE;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(CONTROL_ID_BASE + static_cast<int>(Ctl::btnDone), DC_HASDEFID);
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == Control(Ctl::lstDATs)) {
            ShowListMenu(lParam);
            return 0;
        }
        break;
    case WM_SIZE:
        if (loaded_ && !ended_) {
            logic_->Form_Resize();
        }
        return 0;
    case WM_DROPFILES:
        AddFiles(DroppedFiles(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_COPYDATA:
        return TakeHandedFiles(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_ADD_PENDING_FILES:
        AddPendingFiles();
        return 0;
    case WM_TIMER:
        if (wParam == WM_ADD_PENDING_FILES) {
            AddPendingFiles();
            return 0;
        }
        break;
    case WM_CLOSE:
        EndProgram();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void frmVarnholt::OnCommand(int id, int code) {
    if (!loaded_ || ended_) {
        return;
    }
    if (id == IDOK) {
        logic_->btnDone_Click(); // Enter with no button focused: the default button
        return;
    }
    if (OnListMenuCommand(id)) {
        return;
    }
    const int index = id - CONTROL_ID_BASE;
    if (index < 0 || index >= CONTROL_COUNT) {
        return;
    }
    // The events each control reports and the handler each runs; other events run nothing.
    struct Event {
        Ctl control;
        int code;
        void (FormLogic::*handler)();
    };
    static const Event EVENTS[] = {
        {Ctl::lstDATs, LBN_SELCHANGE, &FormLogic::lstDATs_Click},
        {Ctl::lstDATs, LBN_DBLCLK, &FormLogic::lstDATs_DblClick},
        {Ctl::lblCR, STN_CLICKED, &FormLogic::lblCR_Click},
        {Ctl::btnActivate, BN_CLICKED, &FormLogic::btnActivate_Click},
        {Ctl::btnANNOStart, BN_CLICKED, &FormLogic::btnANNOStart_Click},
        {Ctl::btnView, BN_CLICKED, &FormLogic::btnView_Click},
        {Ctl::btnChooseDir, BN_CLICKED, &FormLogic::btnChooseDir_Click},
        {Ctl::btnDone, BN_CLICKED, &FormLogic::btnDone_Click},
    };
    for (const Event& event : EVENTS) {
        if (event.control == DESIGN[index].id && event.code == code) {
            ((*logic_).*event.handler)();
            return;
        }
    }
}

} // namespace varnholt
