// The stored design of the main window frmVarnholt: its fourteen controls with their places,
// sizes, captions, fonts, colours, alignments, tool tips and tab order. Places and sizes are
// pixels at 96 dots per inch (15 twips each); at another resolution the window converts the
// same twips at the screen's dots per inch (ScaledToDpi). The window and the benchmark's design
// baseline both make their controls, fonts and colours from here, so that the baseline always
// follows the window.
#pragma once

#include "../core/Ports.h"

#include <windows.h>

#include <cstdint>

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
    const char* caption; // UTF-8
    FontStyle font;
    Colour colour;
    Align align;
    const char* toolTip; // nullptr: none
};

constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 312;
// The resolution the design's pixels are given in, and its fonts: Tahoma 8.25 points.
constexpr int DESIGN_DPI = 96;
constexpr int FONT_HUNDREDTHS_OF_POINTS = 825;
constexpr int CONTROL_ID_BASE = 100;

// The design's window caption; the caption rule replaces it when the window is first shown.
constexpr const char* DESIGN_CAPTION = "Marrik's 1503 Varnholt";
// The credits line: the year and the tools' maker.
constexpr const char* CREDITS_TEXT = "\xC2\xA9 2005 Marrik";

// In the order the design lists them; the enum Ctl follows the same order.
constexpr ControlDesign DESIGN[] = {
    {Ctl::btnANNOStart, "btnANNOStart", Kind::Button, 505, 235, 125, 26, 13, "Start ANNO 1503",
     FontStyle::Window, Colour::ButtonText, Align::Centre, "Spiel starten, Tools beenden..."},
    {Ctl::btnChooseDir, "btnChooseDir", Kind::PictureButton, 605, 10, 26, 26, 11, "",
     FontStyle::Window, Colour::ButtonText, Align::Centre,
     " Choose another ANNO 1503 installation..."},
    {Ctl::btnActivate, "btnActivate", Kind::Button, 20, 235, 471, 26, 10, "Activate ",
     FontStyle::Window, Colour::ButtonText, Align::Centre,
     " Click to activate the selected BGruppen.dat file"},
    {Ctl::lstDATs, "lstDATs", Kind::List, 15, 130, 481, 95, 6, "", FontStyle::Window,
     Colour::WindowText, Align::Left,
     " All the available BGruppen.dat files in the current Data directory"},
    {Ctl::btnView, "btnView", Kind::Button, 505, 135, 61, 21, 5, "View/Edit", FontStyle::Window,
     Colour::ButtonText, Align::Centre, " Open selected file with Notepad"},
    {Ctl::btnDone, "btnDone", Kind::Button, 560, 280, 71, 26, 0, "Done", FontStyle::Bold,
     Colour::ButtonText, Align::Centre, nullptr},
    {Ctl::lblHint, "lblHint", Kind::Label, 25, 55, 326, 36, 12, "lblHint", FontStyle::Bold,
     Colour::Yellow, Align::Left, " Your currently activated BGruppen.dat file"},
    {Ctl::lblCurrDAT, "lblCurrDAT", Kind::Label, 25, 35, 326, 21, 9, "lblCurrDAT", FontStyle::Bold,
     Colour::Yellow, Align::Left, " Your currently activated BGruppen.dat file"},
    {Ctl::Label2, "Label2", Kind::Label, 25, 15, 201, 16, 8,
     "Currently activated BGruppen.dat:", FontStyle::Bold, Colour::White, Align::Left, nullptr},
    {Ctl::Label1, "Label1", Kind::Label, 25, 110, 176, 16, 7,
     "Available BGruppen.dat Files:", FontStyle::Bold, Colour::White, Align::Left, nullptr},
    {Ctl::lblCR, "lblCR", Kind::Label, 465, 290, 86, 16, 4, CREDITS_TEXT, FontStyle::BoldUnderline,
     Colour::Blue, Align::Centre, nullptr},
    {Ctl::lblANNOVers, "lblANNOVers", Kind::Label, 10, 290, 101, 16, 3, "lblANNOVers",
     FontStyle::Bold, Colour::Yellow, Align::Right, " Your ANNO 1503 version"},
    {Ctl::lblDATPath, "lblDATPath", Kind::Label, 260, 15, 336, 16, 2, "lblDATPath",
     FontStyle::Window, Colour::Yellow, Align::Right, " Data directory we're currently working on"},
    {Ctl::lblANNOPath, "lblANNOPath", Kind::Label, 120, 290, 256, 16, 1, "lblANNOPath",
     FontStyle::Window, Colour::Yellow, Align::Left, " Your installation path of ANNO 1503"},
};

constexpr int CONTROL_COUNT = sizeof(DESIGN) / sizeof(DESIGN[0]);

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
