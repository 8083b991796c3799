// The window's images at a resolution: the background picture scaled smoothly, and icons and
// cursors at the size Windows asks for.
#pragma once

#include "../platform/Handles.h"

#include <windows.h>

namespace varnholt {

// The background picture at the window's dots per inch, selected into a device context of its
// own for drawing.
class Picture {
  public:
    explicit Picture(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(bitmap), select_(dc_.get(), bitmap) {}
    HDC dc() const { return dc_.get(); }

  private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    ScopedSelect select_;
};

// The picture `source` resampled to `width` x `height` pixels, each pixel blended from the
// four source pixels around its centre (bilinear), as a 32-bit bitmap.
HBITMAP SmoothlyScaled(HBITMAP source, int width, int height);

// The bitmap resource `id` as it is at 96 dots per inch, else smoothly scaled to `dpi`; null
// when it cannot be loaded.
HBITMAP LoadBackground(HINSTANCE instance, int id, int dpi);

// An icon or cursor of `size` pixels: from the design's image where it has one of that size,
// else from the larger images where they have one, else the design's, scaled by the system.
HANDLE LoadSized(HINSTANCE instance, int designId, int largerId, bool cursor, int size);

} // namespace varnholt
