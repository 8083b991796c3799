// The window laid out at a resolution: its design's twips converted at the screen's dots per
// inch, the fonts, icons, cursor and picture made for it, and the controls placed anew.
#include "Dpi.h"
#include "Images.h"
#include "frmVarnholt.h"
#include "resource.h"

namespace varnholt {

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
    HBITMAP background = LoadBackground(instance_, IDB_BACKGROUND, dpi);
    picture_.reset(background != nullptr ? new Picture(background) : nullptr);
    for (FontStyle style : {FontStyle::Window, FontStyle::Bold, FontStyle::BoldUnderline}) {
        fonts_[static_cast<int>(style)].reset(MakeFont(style, dpi_));
    }
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
    SetClassLongPtrW(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcon_.get()));
    SetClassLongPtrW(hwnd_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(smallIcon_.get()));
    PlaceControls();
    if (GetCursor() == oldHand.get()) {
        SetCursor(handCursor_.get());
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace varnholt
