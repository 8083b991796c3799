// The labels' captions: the text of a window, and the narrower font a caption is drawn in where
// the design's font would cut it.
#pragma once

#include "../platform/Handles.h"
#include "Design.h"

#include <windows.h>

#include <string>

namespace varnholt {

std::wstring WindowText(HWND hwnd);

// The font a label's caption is drawn in when the design's font `design` does not fit
// `width` x `height`: the same height, weight and style with characters just narrow enough,
// down to four fifths of their normal width. None when the design's font fits or even the
// narrowest does not.
GdiObject<HFONT> NarrowedFont(HFONT design, FontStyle style, int dpi, const std::wstring& text,
                              int width, int height);

} // namespace varnholt
