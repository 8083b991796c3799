// The floor for Varnholt's window with its design: one top-level window of the same class name,
// style and size as the bare window, laid out at 96 dots per inch, with Varnholt's resources (icon,
// picture, folder picture, cursor, manifest), the same three fonts, the same fourteen controls at
// their design places with their design captions, the same ten tool tips, and labels drawn onto the
// picture. No logic: no registry, no settings, no files, no list entries. Between the bare window
// and varnholt.exe it tells apart what the design costs and what Varnholt's own work costs.
//
// Like the bare window it stays until it is closed and closes itself after a minute.
#include "app/Design.h"
#include "app/Images.h"
#include "app/resource.h"
#include "bench/Baseline.h"
#include "platform/ResourceTexts.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

using namespace varnholt;
using namespace varnholt::baseline;

namespace {

GdiObject<HFONT> g_fonts[3];
HDC g_pictureDC = nullptr; // lent by the picture that WinMain owns

std::wstring Widen(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], n);
    wide.resize(wide.size() - 1);
    return wide;
}

// A label: the picture behind it, then its caption in its colour.
void DrawLabel(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.CtlID) - CONTROL_ID_BASE;
    if (index < 0 || index >= CONTROL_COUNT) {
        return;
    }
    const ControlDesign& d = DESIGN[index];
    RECT rc = item.rcItem;
    BitBlt(item.hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, g_pictureDC, d.left,
           d.top, SRCCOPY);
    wchar_t text[256] = {};
    const int length = GetWindowTextW(item.hwndItem, text, 256);
    const ScopedSelect useFont(item.hDC, g_fonts[static_cast<int>(d.font)].get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ColourOf(d.colour));
    DrawTextW(item.hDC, text, length, &rc, AlignmentOf(d.align) | LABEL_FORMAT);
}

void CreateControls(HWND hwnd, HINSTANCE instance, HICON folder) {
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                                nullptr, instance, nullptr);
    // In rising tab index, as the window creates them.
    for (int tab = 0; tab < CONTROL_COUNT; ++tab) {
        for (int i = 0; i < CONTROL_COUNT; ++i) {
            const ControlDesign& d = DESIGN[i];
            if (d.tabIndex != tab) {
                continue;
            }
            const ControlClass kind = ControlClassOf(d);
            HWND control =
                CreateWindowExW(kind.exStyle, kind.name, Widen(InitialCaption(d).c_str()).c_str(),
                                kind.style, d.left, d.top, d.width, d.height, hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(CONTROL_ID_BASE + i)),
                                instance, nullptr);
            SendMessageW(control, WM_SETFONT,
                         reinterpret_cast<WPARAM>(g_fonts[static_cast<int>(d.font)].get()), FALSE);
            if (d.kind == Kind::PictureButton) {
                SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(folder));
            }
            if (d.toolTip != NO_TEXT && tips != nullptr) {
                std::wstring tip = Widen(ToolTipOf(d).c_str());
                TOOLINFOW info = {};
                info.cbSize = sizeof info;
                info.uFlags = TTF_IDISHWND;
                info.hwnd = hwnd;
                info.uId = reinterpret_cast<UINT_PTR>(control);
                info.lpszText = &tip[0];
                SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
            }
        }
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, g_pictureDC, 0, 0,
               SRCCOPY);
        return 1;
    }
    case WM_DRAWITEM:
        DrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default:
        return Closing(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The texts as the program reads them: from its string tables, in the display language.
    varnholt::ScopedTexts texts(instance, varnholt::DisplayLanguage());
    const IconHandle big(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    const IconHandle small(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    const IconHandle folder(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_FOLDER), IMAGE_ICON, 16, 16, 0)));
    const CursorHandle hand(static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0, 0)));
    const Picture picture(static_cast<HBITMAP>(LoadImageW(
        instance, MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    g_pictureDC = picture.dc();
    for (FontStyle style : {FontStyle::Window, FontStyle::Bold, FontStyle::BoldUnderline}) {
        g_fonts[static_cast<int>(style)].reset(MakeFont(style, DESIGN_DPI));
    }

    const WNDCLASSEXW wc =
        WindowClassOf(instance, WindowProc, WINDOW_CLASS, big.get(), small.get());
    if (RegisterClassExW(&wc) == 0) {
        return 1;
    }
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&frame, WINDOW_STYLE, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, WINDOW_CLASS, Widen(DESIGN_CAPTION).c_str(), WINDOW_STYLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return 1;
    }
    CreateControls(hwnd, instance, folder.get());
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetFocus(GetDlgItem(hwnd, CONTROL_ID_BASE + static_cast<int>(Ctl::btnDone)));
    return Run(hwnd, true);
}
