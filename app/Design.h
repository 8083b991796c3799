// The stored design of the main window frmVarnholt: its fourteen controls with their places,
// sizes, captions, fonts, colours, alignments, tool tips and tab order. Places and sizes are
// pixels at 96 dots per inch (15 twips each); at another resolution the window converts the
// same twips at the screen's dots per inch (ScaledToDpi). The window and the benchmark's design
// baseline both make their controls, fonts and colours from here, so that the baseline always
// follows the window.
#pragma once

#include "../core/Ports.h"
#include "../core/Texts.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace varnholt {

enum class Kind { Button, PictureButton, List, Label };
enum class FontStyle { Window, Bold, BoldUnderline };
enum class Align { Left, Centre, Right };

// Text colours: the system's own, or a fixed RGB value.
enum class Colour { ButtonText, WindowText, Yellow, White, Blue };

struct ControlDesign {
    Ctl id;
    const char* name;
    Kind kind;
    int left, top, width, height;
    int tabIndex;
    int caption; // a text's number (TextIds.h), NO_TEXT or OWN_NAME
    FontStyle font;
    Colour colour;
    Align align;
    int toolTip; // a text's number, or NO_TEXT: none
};

// No caption or tool tip; a label that shows its own name until start-up writes it.
constexpr int NO_TEXT = 0;
constexpr int OWN_NAME = -1;

constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 312;
// The resolution the design's pixels are given in, and its fonts: Tahoma 8.25 points.
constexpr int DESIGN_DPI = 96;
constexpr int FONT_HUNDREDTHS_OF_POINTS = 825;
constexpr int CONTROL_ID_BASE = 100;

// The design's window caption; the caption rule replaces it when the window is first shown.
constexpr const char* DESIGN_CAPTION = "Marrik's 1503 Varnholt";

// In the order the design lists them; the enum Ctl follows the same order.
constexpr ControlDesign DESIGN[] = {
    {Ctl::btnANNOStart, "btnANNOStart", Kind::Button, 505, 235, 125, 26, 13, IDS_START_ANNO,
     FontStyle::Window, Colour::ButtonText, Align::Centre, IDS_TIP_START_ANNO},
    {Ctl::btnChooseDir, "btnChooseDir", Kind::PictureButton, 605, 10, 26, 26, 11, NO_TEXT,
     FontStyle::Window, Colour::ButtonText, Align::Centre, IDS_TIP_CHOOSE_DIR},
    {Ctl::btnActivate, "btnActivate", Kind::Button, 20, 235, 471, 26, 10, IDS_ACTIVATE,
     FontStyle::Window, Colour::ButtonText, Align::Centre, IDS_TIP_ACTIVATE},
    {Ctl::lstDATs, "lstDATs", Kind::List, 15, 130, 481, 95, 6, NO_TEXT, FontStyle::Window,
     Colour::WindowText, Align::Left, IDS_TIP_LIST},
    {Ctl::btnView, "btnView", Kind::Button, 505, 135, 61, 21, 5, IDS_VIEW_EDIT, FontStyle::Window,
     Colour::ButtonText, Align::Centre, IDS_TIP_VIEW_EDIT},
    {Ctl::btnDone, "btnDone", Kind::Button, 560, 280, 71, 26, 0, IDS_DONE, FontStyle::Bold,
     Colour::ButtonText, Align::Centre, NO_TEXT},
    {Ctl::lblHint, "lblHint", Kind::Label, 25, 55, 326, 36, 12, OWN_NAME, FontStyle::Bold,
     Colour::Yellow, Align::Left, IDS_TIP_CURRENT},
    {Ctl::lblCurrDAT, "lblCurrDAT", Kind::Label, 25, 35, 326, 21, 9, OWN_NAME, FontStyle::Bold,
     Colour::Yellow, Align::Left, IDS_TIP_CURRENT},
    {Ctl::Label2, "Label2", Kind::Label, 25, 15, 201, 16, 8, IDS_HEADING_CURRENT, FontStyle::Bold,
     Colour::White, Align::Left, NO_TEXT},
    {Ctl::Label1, "Label1", Kind::Label, 25, 110, 176, 16, 7, IDS_HEADING_AVAILABLE,
     FontStyle::Bold, Colour::White, Align::Left, NO_TEXT},
    {Ctl::lblCR, "lblCR", Kind::Label, 465, 290, 86, 16, 4, IDS_CREDITS, FontStyle::BoldUnderline,
     Colour::Blue, Align::Centre, NO_TEXT},
    {Ctl::lblANNOVers, "lblANNOVers", Kind::Label, 10, 290, 101, 16, 3, OWN_NAME, FontStyle::Bold,
     Colour::Yellow, Align::Right, IDS_TIP_VERSION},
    {Ctl::lblDATPath, "lblDATPath", Kind::Label, 260, 15, 336, 16, 2, OWN_NAME, FontStyle::Window,
     Colour::Yellow, Align::Right, IDS_TIP_DATA_FOLDER},
    {Ctl::lblANNOPath, "lblANNOPath", Kind::Label, 120, 290, 256, 16, 1, OWN_NAME,
     FontStyle::Window, Colour::Yellow, Align::Left, IDS_TIP_INSTALL_PATH},
};

constexpr int CONTROL_COUNT = sizeof(DESIGN) / sizeof(DESIGN[0]);

// A control's stored caption and tool tip in the language shown (UTF-8; empty: none).
inline std::string InitialCaption(const ControlDesign& d) {
    return d.caption == OWN_NAME  ? std::string(d.name)
           : d.caption == NO_TEXT ? std::string()
                                  : Text(d.caption);
}
inline std::string ToolTipOf(const ControlDesign& d) {
    return d.toolTip == NO_TEXT ? std::string() : Text(d.toolTip);
}

// The window finds a control's design as DESIGN[static_cast<int>(id)].
constexpr bool DesignFollowsCtlOrder() {
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        if (static_cast<int>(DESIGN[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(CONTROL_COUNT == static_cast<int>(Ctl::lblANNOPath) + 1,
              "one design entry for each control of Ctl");
static_assert(DesignFollowsCtlOrder(), "the design lists the controls in the order of Ctl");

// A length of the design (pixels at 96 dots per inch, 15 twips each) at `dpi` dots per inch:
// its twips times dpi / 1440, rounded to the nearest pixel.
constexpr int ScaledToDpi(int designPixels, int dpi) {
    return (designPixels * dpi * 2 + DESIGN_DPI) / (2 * DESIGN_DPI);
}

// The font height in pixels (as a negative character height) of 8.25 points at `dpi`.
constexpr int FontHeightAtDpi(int dpi) {
    return -((FONT_HUNDREDTHS_OF_POINTS * dpi * 2 + 7200) / (2 * 7200));
}
static_assert(FontHeightAtDpi(DESIGN_DPI) == -11, "Tahoma 8.25 points is 11 pixels at 96 dpi");

// A fixed single frame: no sizing border and no maximise box.
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Files dropped on the window are added as variants.
constexpr DWORD WINDOW_EX_STYLE = WS_EX_ACCEPTFILES;

// How a label draws its caption: from its top edge, broken into lines at blanks, cut at its
// lower edge.
constexpr UINT LABEL_FORMAT = DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;

// The class of the main window: double clicks, the button face behind its picture, the arrow.
inline WNDCLASSEXW WindowClassOf(HINSTANCE instance, WNDPROC procedure, const wchar_t* name,
                                 HICON big, HICON small) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = big;
    wc.hIconSm = small;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return wc;
}

// The window class and styles a control of the design is created with.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

inline ControlClass ControlClassOf(const ControlDesign& d) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (d.kind) {
    case Kind::Button:
        return {L"BUTTON",
                child | WS_TABSTOP | (d.id == Ctl::btnDone ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case Kind::PictureButton:
        return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | BS_ICON | BS_CENTER | BS_VCENTER,
                0};
    case Kind::List:
        return {L"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE};
    case Kind::Label:
        break;
    }
    // Drawn by the window onto its picture; SS_NOTIFY lets the label report clicks and receive
    // the mouse for its tool tip.
    return {L"STATIC", child | SS_OWNERDRAW | SS_NOTIFY, 0};
}

inline COLORREF ColourOf(Colour colour) {
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

// The DrawText alignment of a label's caption.
inline UINT AlignmentOf(Align align) {
    return align == Align::Right ? DT_RIGHT : align == Align::Centre ? DT_CENTER : DT_LEFT;
}

// Tahoma 8.25 points at `dpi`, in the style's weight; `width` 0 is the font's own character
// width, another value the narrowed average width in pixels.
inline HFONT MakeFont(FontStyle style, int dpi, int width = 0) {
    const int weight = style == FontStyle::Window ? FW_NORMAL : FW_BOLD;
    const BOOL underline = style == FontStyle::BoldUnderline ? TRUE : FALSE;
    return CreateFontW(FontHeightAtDpi(dpi), width, 0, 0, weight, FALSE, underline, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

} // namespace varnholt
