#include "frmVarnholt.h"

#include "../platform/Text.h"
#include "Dpi.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace varnholt {

namespace {

const wchar_t WINDOW_CLASS[] = L"frmVarnholt";

// A fixed single frame: no sizing border and no maximise box.
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// How a label draws its caption: from its top edge, broken into lines at blanks, cut at its
// lower edge.
constexpr UINT LABEL_FORMAT = DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;

// A caption too wide for its label is drawn with characters no narrower than four fifths of
// their normal width.
constexpr int NARROWEST_FIFTHS = 4;

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

// Tahoma 8.25 points at `dpi`, in the style's weight; `width` 0 is the font's own character
// width, another value the narrowed average width in pixels.
HFONT MakeFont(FontStyle style, int dpi, int width = 0) {
    const int weight = style == FontStyle::Window ? FW_NORMAL : FW_BOLD;
    const BOOL underline = style == FontStyle::BoldUnderline ? TRUE : FALSE;
    return CreateFontW(FontHeightAtDpi(dpi), width, 0, 0, weight, FALSE, underline, FALSE,
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

// The lines the text itself holds: one more than its line breaks (CR LF, CR or LF).
int TextLines(const std::wstring& text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            ++lines;
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        }
    }
    return lines;
}

// True when `text` drawn in `font` as a label draws it fits `width` x `height`: no line wider
// than the label, no more lines than the text holds, none cut by the lower edge.
bool CaptionFits(HDC dc, HFONT font, const std::wstring& text, int width, int height) {
    ScopedSelect use(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    RECT needed = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, LABEL_FORMAT | DT_CALCRECT);
    const int lineHeight = std::max(1, static_cast<int>(metrics.tmHeight));
    const int lines = (needed.bottom - needed.top + lineHeight - 1) / lineHeight;
    return needed.right - needed.left <= width && needed.bottom - needed.top <= height &&
           lines <= TextLines(text);
}

// The font a label's caption is drawn in when the design's font `design` does not fit: the
// same height, weight and style with characters just narrow enough, down to four fifths of
// their normal width. None when the design's font fits or even the narrowest does not.
GdiObject<HFONT> NarrowedFont(HFONT design, FontStyle style, int dpi, const std::wstring& text,
                              int width, int height) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc || CaptionFits(dc.get(), design, text, width, height)) {
        return GdiObject<HFONT>();
    }
    TEXTMETRICW metrics = {};
    {
        ScopedSelect use(dc.get(), design);
        GetTextMetricsW(dc.get(), &metrics);
    }
    const int normal = static_cast<int>(metrics.tmAveCharWidth);
    int fits = (normal * NARROWEST_FIFTHS + 4) / 5; // rounded up: never below four fifths
    GdiObject<HFONT> best(MakeFont(style, dpi, fits));
    if (normal <= 1 || !best || !CaptionFits(dc.get(), best.get(), text, width, height)) {
        return GdiObject<HFONT>();
    }
    // The widest characters that still fit: `fits` does, `normal` does not.
    int tooWide = normal;
    while (tooWide - fits > 1) {
        const int middle = (fits + tooWide) / 2;
        GdiObject<HFONT> candidate(MakeFont(style, dpi, middle));
        if (candidate && CaptionFits(dc.get(), candidate.get(), text, width, height)) {
            fits = middle;
            best = std::move(candidate);
        } else {
            tooWide = middle;
        }
    }
    return best;
}

// The picture `source` resampled to `width` x `height` pixels, each pixel blended from the
// four source pixels around its centre (bilinear), as a 32-bit bitmap.
HBITMAP SmoothlyScaled(HBITMAP source, int width, int height) {
    BITMAP bm = {};
    if (GetObjectW(source, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return nullptr;
    }
    const int sw = bm.bmWidth, sh = bm.bmHeight;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = sw;
    info.bmiHeader.biHeight = -sh; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> in(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh));
    {
        MemoryDc dc(CreateCompatibleDC(nullptr));
        if (GetDIBits(dc.get(), source, 0, static_cast<UINT>(sh), in.data(), &info,
                      DIB_RGB_COLORS) != sh) {
            return nullptr;
        }
    }
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (result == nullptr || bits == nullptr) {
        return result;
    }
    // Source position of each target column and row: the first of the two neighbours and the
    // second one's weight in 1/256.
    struct Tap {
        int first, second, weight;
    };
    auto taps = [](int target, int sourceSize) {
        std::vector<Tap> out(static_cast<std::size_t>(target));
        for (int t = 0; t < target; ++t) {
            const double at = (t + 0.5) * sourceSize / target - 0.5;
            const double clamped = std::min(std::max(at, 0.0), sourceSize - 1.0);
            const int first = static_cast<int>(clamped);
            const int second = std::min(first + 1, sourceSize - 1);
            out[static_cast<std::size_t>(t)] = {first, second,
                                                static_cast<int>((clamped - first) * 256 + 0.5)};
        }
        return out;
    };
    const std::vector<Tap> columns = taps(width, sw), rows = taps(height, sh);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const Tap& r = rows[static_cast<std::size_t>(y)];
        const std::uint32_t* top = &in[static_cast<std::size_t>(r.first) * sw];
        const std::uint32_t* bottom = &in[static_cast<std::size_t>(r.second) * sw];
        for (int x = 0; x < width; ++x) {
            const Tap& c = columns[static_cast<std::size_t>(x)];
            std::uint32_t pixel = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                auto channel = [shift](std::uint32_t p) {
                    return static_cast<int>((p >> shift) & 0xFF);
                };
                const int upper =
                    channel(top[c.first]) * (256 - c.weight) + channel(top[c.second]) * c.weight;
                const int lower = channel(bottom[c.first]) * (256 - c.weight) +
                                  channel(bottom[c.second]) * c.weight;
                const int value = (upper * (256 - r.weight) + lower * r.weight + 32768) >> 16;
                pixel |= static_cast<std::uint32_t>(value) << shift;
            }
            out[static_cast<std::size_t>(y) * width + x] = pixel;
        }
    }
    GdiFlush();
    return result;
}

// True when the icon or cursor group `id` holds an image exactly `size` pixels wide.
bool GroupHoldsSize(HINSTANCE instance, int id, bool cursor, int size) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id),
                                cursor ? MAKEINTRESOURCEW(12) : MAKEINTRESOURCEW(14));
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD length = found != nullptr ? SizeofResource(instance, found) : 0;
    if (bytes == nullptr || length < 6) {
        return false;
    }
    // A group: a 6-byte header with the count, then 14 bytes for each image. An icon's entry
    // starts with its width in one byte (0 for 256), a cursor's with its width in two.
    const int count = bytes[4] | (bytes[5] << 8);
    for (int i = 0; i < count && 6u + 14u * (i + 1) <= length; ++i) {
        const BYTE* entry = bytes + 6 + 14 * i;
        const int width = cursor ? (entry[0] | (entry[1] << 8)) : (entry[0] == 0 ? 256 : entry[0]);
        if (width == size) {
            return true;
        }
    }
    return false;
}

// An icon or cursor of `size` pixels: from the design's image where it has one of that size,
// else from the larger images where they have one, else the design's, scaled by the system.
HANDLE LoadSized(HINSTANCE instance, int designId, int largerId, bool cursor, int size) {
    int id = designId;
    if (!GroupHoldsSize(instance, designId, cursor, size) &&
        GroupHoldsSize(instance, largerId, cursor, size)) {
        id = largerId;
    }
    return LoadImageW(instance, MAKEINTRESOURCEW(id), cursor ? IMAGE_CURSOR : IMAGE_ICON, size,
                      size, 0);
}

} // namespace

// The background picture at the window's dots per inch, selected into a device context of its
// own for drawing.
class frmVarnholt::Picture {
  public:
    explicit Picture(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(bitmap), select_(dc_.get(), bitmap) {}
    HDC dc() const { return dc_.get(); }

  private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    ScopedSelect select_;
};

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
    // The class names the icons: it goes before they do.
    if (classRegistered_) {
        UnregisterClassW(WINDOW_CLASS, instance_);
    }
}

const ControlDesign& frmVarnholt::DesignOf(Ctl control) const {
    return DESIGN[static_cast<int>(control)];
}

RECT frmVarnholt::ScaledRect(const ControlDesign& d) const {
    const int left = ScaledToDpi(d.left, dpi_), top = ScaledToDpi(d.top, dpi_);
    return RECT{left, top, left + ScaledToDpi(d.width, dpi_), top + ScaledToDpi(d.height, dpi_)};
}

SIZE frmVarnholt::FrameSize(int dpi) const {
    return FrameSizeAtDpi(ScaledToDpi(CLIENT_WIDTH, dpi), ScaledToDpi(CLIENT_HEIGHT, dpi),
                          WINDOW_STYLE, 0, dpi);
}

void frmVarnholt::LoadForDpi(int dpi) {
    dpi_ = dpi;
    bigIcon_.reset(
        static_cast<HICON>(LoadSized(instance_, IDI_APPLICATION_ICON, IDI_APPLICATION_ICON_HIDPI,
                                     false, SystemMetricAtDpi(SM_CXICON, dpi))));
    smallIcon_.reset(
        static_cast<HICON>(LoadSized(instance_, IDI_APPLICATION_ICON, IDI_APPLICATION_ICON_HIDPI,
                                     false, SystemMetricAtDpi(SM_CXSMICON, dpi))));
    // The folder picture is a small icon: 16 x 16 at 96 dots per inch.
    folderIcon_.reset(static_cast<HICON>(LoadSized(instance_, IDI_FOLDER, IDI_FOLDER_HIDPI, false,
                                                   SystemMetricAtDpi(SM_CXSMICON, dpi))));
    handCursor_.reset(
        static_cast<HCURSOR>(LoadSized(instance_, IDC_HAND_CURSOR, IDC_HAND_CURSOR_HIDPI, true,
                                       SystemMetricAtDpi(SM_CXCURSOR, dpi))));
    // The picture as it is at 96 dots per inch, else smoothly scaled to the resolution.
    HBITMAP background = static_cast<HBITMAP>(LoadImageW(
        instance_, MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (background != nullptr && dpi != DESIGN_DPI) {
        BITMAP bm = {};
        GetObjectW(background, sizeof bm, &bm);
        HBITMAP scaled =
            SmoothlyScaled(background, ScaledToDpi(bm.bmWidth, dpi), ScaledToDpi(bm.bmHeight, dpi));
        DeleteObject(background);
        background = scaled;
    }
    picture_.reset(background != nullptr ? new Picture(background) : nullptr);
}

bool frmVarnholt::Create() {
    // Laid out for the primary screen, where the window opens; should the system place it on
    // a screen of another resolution, it is laid out again below.
    LoadForDpi(DpiOfPrimaryScreen());
    for (FontStyle style : {FontStyle::Window, FontStyle::Bold, FontStyle::BoldUnderline}) {
        fonts_[static_cast<int>(style)].reset(MakeFont(style, dpi_));
    }

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = bigIcon_.get();
    wc.hIconSm = smallIcon_.get();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = WINDOW_CLASS;
    if (RegisterClassExW(&wc) == 0) {
        return false;
    }
    classRegistered_ = true;

    // Centred in the primary screen's work area.
    const SIZE size = FrameSize(dpi_);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0L, (work.right - work.left - size.cx) / 2);
    const int y = work.top + std::max(0L, (work.bottom - work.top - size.cy) / 2);

    hwnd_ = CreateWindowExW(0, WINDOW_CLASS, Widen(DESIGN_CAPTION).c_str(), WINDOW_STYLE, x, y,
                            size.cx, size.cy, nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) {
        return false;
    }
    CreateControls();
    const int dpi = DpiOfWindow(hwnd_);
    if (dpi != dpi_) {
        ApplyDpi(dpi);
        const SIZE resized = FrameSize(dpi);
        SetWindowPos(hwnd_, nullptr,
                     work.left + std::max(0L, (work.right - work.left - resized.cx) / 2),
                     work.top + std::max(0L, (work.bottom - work.top - resized.cy) / 2), resized.cx,
                     resized.cy, SWP_NOZORDER | SWP_NOACTIVATE);
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
        const RECT rc = ScaledRect(d);
        HWND control = CreateWindowExW(
            exStyle, windowClass, Widen(InitialCaption(d)).c_str(), style, rc.left, rc.top,
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

void frmVarnholt::PlaceControls() {
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        const ControlDesign& d = DESIGN[i];
        HWND control = controls_[i];
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_[static_cast<int>(d.font)].get()), FALSE);
        const RECT rc = ScaledRect(d);
        int height = rc.bottom - rc.top;
        if (d.kind == Kind::List) {
            // Whole rows of its own font: the height rounded down to a row, within its frame.
            const int row = static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
            RECT outer = {}, inner = {};
            GetWindowRect(control, &outer);
            GetClientRect(control, &inner);
            const int frame = (outer.bottom - outer.top) - (inner.bottom - inner.top);
            if (row > 0 && height > frame) {
                height = frame + (height - frame) / row * row;
            }
        }
        // A control already in place is left alone: at creation only the list moves.
        RECT now = {};
        GetWindowRect(control, &now);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&now), 2);
        if (now.left != rc.left || now.top != rc.top || now.right != rc.right ||
            now.bottom - now.top != height) {
            SetWindowPos(control, nullptr, rc.left, rc.top, rc.right - rc.left, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (d.kind == Kind::PictureButton) {
            SendMessageW(control, BM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(folderIcon_.get()));
        }
    }
    // The labels no longer use their narrowed fonts; each chooses again.
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        fitted_[i].reset();
        FitCaption(i);
    }
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void frmVarnholt::ApplyDpi(int dpi) {
    // The old fonts, icons and picture stay until the controls and the class use the new ones.
    GdiObject<HFONT> oldFonts[3];
    for (int i = 0; i < 3; ++i) {
        oldFonts[i] = std::move(fonts_[i]);
    }
    IconHandle oldBig = std::move(bigIcon_), oldSmall = std::move(smallIcon_);
    IconHandle oldFolder = std::move(folderIcon_);
    CursorHandle oldHand = std::move(handCursor_);
    LoadForDpi(dpi);
    for (FontStyle style : {FontStyle::Window, FontStyle::Bold, FontStyle::BoldUnderline}) {
        fonts_[static_cast<int>(style)].reset(MakeFont(style, dpi_));
    }
    SetClassLongPtrW(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcon_.get()));
    SetClassLongPtrW(hwnd_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(smallIcon_.get()));
    PlaceControls();
    if (GetCursor() == oldHand.get()) {
        SetCursor(handCursor_.get());
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmVarnholt::FitCaption(int index) {
    const ControlDesign& d = DESIGN[index];
    if (d.kind != Kind::Label || controls_[index] == nullptr) {
        return;
    }
    const RECT rc = ScaledRect(d);
    HFONT design = fonts_[static_cast<int>(d.font)].get();
    GdiObject<HFONT> narrowed = NarrowedFont(design, d.font, dpi_, WindowText(controls_[index]),
                                             rc.right - rc.left, rc.bottom - rc.top);
    SendMessageW(controls_[index], WM_SETFONT,
                 reinterpret_cast<WPARAM>(narrowed ? narrowed.get() : design), FALSE);
    fitted_[index] = std::move(narrowed);
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
    if (picture_ != nullptr) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               picture_->dc(), area.left, area.top, SRCCOPY);
    }
}

void frmVarnholt::DrawLabel(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.CtlID) - CONTROL_ID_BASE;
    if (index < 0 || index >= CONTROL_COUNT) {
        return;
    }
    const ControlDesign& d = DESIGN[index];
    const RECT& rc = item.rcItem;
    const RECT place = ScaledRect(d);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    // Drawn off screen first: the picture behind the label, then its text.
    MemoryDc memory(CreateCompatibleDC(item.hDC));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    if (!memory || !bitmap) {
        return;
    }
    ScopedSelect useBitmap(memory.get(), bitmap.get());
    RECT local = {0, 0, width, height};
    FillRect(memory.get(), &local, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_ != nullptr) {
        BitBlt(memory.get(), 0, 0, width, height, picture_->dc(), place.left, place.top, SRCCOPY);
    }
    ScopedSelect useFont(memory.get(),
                         reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), colours_[index]);
    const UINT align = d.align == Align::Right    ? DT_RIGHT
                       : d.align == Align::Centre ? DT_CENTER
                                                  : DT_LEFT;
    std::wstring text = WindowText(item.hwndItem);
    DrawTextW(memory.get(), text.c_str(), static_cast<int>(text.size()), &local,
              align | LABEL_FORMAT);
    BitBlt(item.hDC, rc.left, rc.top, width, height, memory.get(), 0, 0, SRCCOPY);
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
    case WM_DPICHANGED: {
        // Moved to a screen with another resolution: laid out anew from the design, at the
        // place the system suggests.
        const int dpi = HIWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (dpi > 0 && dpi != dpi_) {
            ApplyDpi(dpi);
        }
        const SIZE size = FrameSize(dpi_);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
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
