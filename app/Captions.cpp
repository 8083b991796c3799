// Caption fitting and label drawing: each label draws its caption itself, onto the window's
// picture, in the design's font or one just narrow enough to fit.
#include "Captions.h"

#include "Images.h"
#include "frmVarnholt.h"

#include <algorithm>

namespace varnholt {

namespace {

// A caption too wide for its label is drawn with characters no narrower than four fifths of
// their normal width.
constexpr int NARROWEST_FIFTHS = 4;

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

} // namespace

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

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
    std::wstring text = WindowText(item.hwndItem);
    DrawTextW(memory.get(), text.c_str(), static_cast<int>(text.size()), &local,
              AlignmentOf(d.align) | LABEL_FORMAT);
    BitBlt(item.hDC, rc.left, rc.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

} // namespace varnholt
