#include "frmVarnholt.h"

#include "../platform/Text.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace varnholt {

namespace {

const wchar_t WINDOW_CLASS[] = L"frmVarnholt";

// Tahoma 8.25 points at 96 dots per inch.
constexpr int FONT_HEIGHT = -11;

COLORREF ColourOf(Colour colour) {
    switch (colour) {
    case Colour::ButtonText:
        return GetSysColor(COLOR_BTNTEXT);
    case Colour::WindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Yellow:
        return RGB(255, 255, 0);
    case Colour::White:
        return RGB(255, 255, 255);
    case Colour::Blue:
        return RGB(0, 0, 255);
    }
    return RGB(0, 0, 0);
}

HFONT MakeFont(int weight, bool underline) {
    return CreateFontW(FONT_HEIGHT, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace

frmVarnholt::frmVarnholt(HINSTANCE instance, RegistryReader& registry, SettingsStore& settings,
                         FileSystem& files, FolderPicker& picker, LauncherFactory& launchers,
                         modVarnholt& folders, Clock* clock)
    : instance_(instance) {
    logic_.reset(new FormLogic(
        FormServices{*this, registry, settings, files, picker, launchers, folders, clock}));
}

frmVarnholt::~frmVarnholt() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    if (backgroundDC_ != nullptr) {
        SelectObject(backgroundDC_, backgroundOld_);
        DeleteDC(backgroundDC_);
    }
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(background_), static_cast<HGDIOBJ>(windowFont_),
          static_cast<HGDIOBJ>(boldFont_), static_cast<HGDIOBJ>(boldUnderlineFont_)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
    for (HICON icon : {folderIcon_, bigIcon_, smallIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

const ControlDesign& frmVarnholt::DesignOf(Ctl control) const {
    return DESIGN[static_cast<int>(control)];
}

bool frmVarnholt::Create() {
    bigIcon_ =
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    folderIcon_ = static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IDI_FOLDER), IMAGE_ICON, 16, 16, 0));
    handCursor_ = static_cast<HCURSOR>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0, 0));
    background_ = static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(IDB_BACKGROUND),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (background_ != nullptr) {
        backgroundDC_ = CreateCompatibleDC(nullptr);
        backgroundOld_ = SelectObject(backgroundDC_, background_);
    }
    windowFont_ = MakeFont(FW_NORMAL, false);
    boldFont_ = MakeFont(FW_BOLD, false);
    boldUnderlineFont_ = MakeFont(FW_BOLD, true);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = bigIcon_;
    wc.hIconSm = smallIcon_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = WINDOW_CLASS;
    RegisterClassExW(&wc);

    // A fixed single frame: no sizing border and no maximise box.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);

    hwnd_ = CreateWindowExW(0, WINDOW_CLASS, Widen(DESIGN_CAPTION).c_str(), style, x, y, width,
                            height, nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) {
        return false;
    }
    CreateControls();

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
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (d.kind) {
        case Kind::Button:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | (d.id == Ctl::btnDone ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        case Kind::PictureButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_ICON | BS_CENTER | BS_VCENTER;
            break;
        case Kind::List:
            windowClass = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::Label:
            // Drawn by the window onto its picture; SS_NOTIFY lets the label report clicks
            // and receive the mouse for its tool tip.
            style |= SS_OWNERDRAW | SS_NOTIFY;
            break;
        }
        HWND control = CreateWindowExW(
            exStyle, windowClass, Widen(d.caption).c_str(), style, d.left, d.top, d.width, d.height,
            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CONTROL_ID_BASE + i)), instance_,
            nullptr);
        controls_[i] = control;
        colours_[i] = ColourOf(d.colour);
        HFONT font = d.font == FontStyle::Bold            ? boldFont_
                     : d.font == FontStyle::BoldUnderline ? boldUnderlineFont_
                                                          : windowFont_;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (d.kind == Kind::PictureButton && folderIcon_ != nullptr) {
            SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(folderIcon_));
        }
        if (d.toolTip != nullptr && toolTip_ != nullptr) {
            const std::wstring tip = Widen(d.toolTip);
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
    if (backgroundDC_ != nullptr) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               backgroundDC_, area.left, area.top, SRCCOPY);
    }
}

void frmVarnholt::DrawLabel(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.CtlID) - CONTROL_ID_BASE;
    if (index < 0 || index >= CONTROL_COUNT) {
        return;
    }
    const ControlDesign& d = DESIGN[index];
    const RECT& rc = item.rcItem;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    // Drawn off screen first: the picture behind the label, then its text.
    HDC memory = CreateCompatibleDC(item.hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    RECT local = {0, 0, width, height};
    FillRect(memory, &local, GetSysColorBrush(COLOR_BTNFACE));
    if (backgroundDC_ != nullptr) {
        BitBlt(memory, 0, 0, width, height, backgroundDC_, d.left, d.top, SRCCOPY);
    }
    HGDIOBJ oldFont = SelectObject(
        memory, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, colours_[index]);
    const UINT align = d.align == Align::Right    ? DT_RIGHT
                       : d.align == Align::Centre ? DT_CENTER
                                                  : DT_LEFT;
    std::wstring text = WindowText(item.hwndItem);
    DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &local,
              align | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    BitBlt(item.hDC, rc.left, rc.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
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
        if (reinterpret_cast<HWND>(wParam) == Control(Ctl::lblCR) && handCursor_ != nullptr) {
            SetCursor(handCursor_);
            return TRUE;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(CONTROL_ID_BASE + static_cast<int>(Ctl::btnDone), DC_HASDEFID);
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SIZE:
        if (loaded_ && !ended_) {
            logic_->Form_Resize();
        }
        return 0;
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
    const int index = id - CONTROL_ID_BASE;
    if (index < 0 || index >= CONTROL_COUNT) {
        return;
    }
    const Ctl control = DESIGN[index].id;
    if (control == Ctl::lstDATs) {
        if (code == LBN_SELCHANGE) {
            logic_->lstDATs_Click();
        } else if (code == LBN_DBLCLK) {
            logic_->lstDATs_DblClick();
        }
        return;
    }
    if (control == Ctl::lblCR) {
        if (code == STN_CLICKED) {
            logic_->lblCR_Click();
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (control) {
    case Ctl::btnActivate:
        logic_->btnActivate_Click();
        break;
    case Ctl::btnANNOStart:
        logic_->btnANNOStart_Click();
        break;
    case Ctl::btnView:
        logic_->btnView_Click();
        break;
    case Ctl::btnChooseDir:
        logic_->btnChooseDir_Click();
        break;
    case Ctl::btnDone:
        logic_->btnDone_Click();
        break;
    default:
        break;
    }
}

// FormControls ---------------------------------------------------------------------------

std::string frmVarnholt::Caption(Ctl control) const {
    return Narrow(WindowText(Control(control)));
}

void frmVarnholt::SetCaption(Ctl control, const std::string& text) {
    HWND window = Control(control);
    SetWindowTextW(window, Widen(text).c_str());
    if (DesignOf(control).kind == Kind::Label) {
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

void frmVarnholt::MsgBox(const std::string& text, int flags, const std::string& title) {
    // Before the window is shown, and while it is minimised, the message has no owner (a
    // minimised owner would hide it); otherwise it belongs to the window.
    HWND owner = (hwnd_ != nullptr && IsWindowVisible(hwnd_) && !IsIconic(hwnd_)) ? hwnd_ : nullptr;
    MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(),
                MB_OK | static_cast<UINT>(flags) | (owner == nullptr ? MB_TASKMODAL : 0));
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
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_); // posts the quit message
    } else {
        PostQuitMessage(0);
    }
}

} // namespace varnholt
