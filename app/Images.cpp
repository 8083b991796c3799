#include "Images.h"

#include "Design.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnholt {

namespace {

// Where a target column or row takes its source pixels: the first of the two neighbours and
// the second one's weight in 1/256.
struct Tap {
    int first, second, weight;
};

std::vector<Tap> Taps(int target, int sourceSize) {
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
}

// The pixel between the rows `top` and `bottom` at column tap `c`, row weight `rowWeight`.
std::uint32_t Blend(const std::uint32_t* top, const std::uint32_t* bottom, const Tap& c,
                    int rowWeight) {
    std::uint32_t pixel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        auto channel = [shift](std::uint32_t p) { return static_cast<int>((p >> shift) & 0xFF); };
        const int upper =
            channel(top[c.first]) * (256 - c.weight) + channel(top[c.second]) * c.weight;
        const int lower =
            channel(bottom[c.first]) * (256 - c.weight) + channel(bottom[c.second]) * c.weight;
        const int value = (upper * (256 - rowWeight) + lower * rowWeight + 32768) >> 16;
        pixel |= static_cast<std::uint32_t>(value) << shift;
    }
    return pixel;
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
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

} // namespace

HBITMAP SmoothlyScaled(HBITMAP source, int width, int height) {
    BITMAP bm = {};
    if (GetObjectW(source, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return nullptr;
    }
    const int sw = bm.bmWidth, sh = bm.bmHeight;
    BITMAPINFO info = TopDown32(sw, sh);
    std::vector<std::uint32_t> in(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh));
    {
        MemoryDc dc(CreateCompatibleDC(nullptr));
        if (GetDIBits(dc.get(), source, 0, static_cast<UINT>(sh), in.data(), &info,
                      DIB_RGB_COLORS) != sh) {
            return nullptr;
        }
    }
    info = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (result == nullptr || bits == nullptr) {
        return result;
    }
    const std::vector<Tap> columns = Taps(width, sw), rows = Taps(height, sh);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const Tap& r = rows[static_cast<std::size_t>(y)];
        const std::uint32_t* top = &in[static_cast<std::size_t>(r.first) * sw];
        const std::uint32_t* bottom = &in[static_cast<std::size_t>(r.second) * sw];
        for (int x = 0; x < width; ++x) {
            out[static_cast<std::size_t>(y) * width + x] =
                Blend(top, bottom, columns[static_cast<std::size_t>(x)], r.weight);
        }
    }
    GdiFlush();
    return result;
}

HBITMAP LoadBackground(HINSTANCE instance, int id, int dpi) {
    GdiObject<HBITMAP> design(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!design || dpi == DESIGN_DPI) {
        return design.release();
    }
    BITMAP bm = {};
    GetObjectW(design.get(), sizeof bm, &bm);
    return SmoothlyScaled(design.get(), ScaledToDpi(bm.bmWidth, dpi),
                          ScaledToDpi(bm.bmHeight, dpi));
}

HANDLE LoadSized(HINSTANCE instance, int designId, int largerId, bool cursor, int size) {
    int id = designId;
    if (!GroupHoldsSize(instance, designId, cursor, size) &&
        GroupHoldsSize(instance, largerId, cursor, size)) {
        id = largerId;
    }
    return LoadImageW(instance, MAKEINTRESOURCEW(id), cursor ? IMAGE_CURSOR : IMAGE_ICON, size,
                      size, 0);
}

} // namespace varnholt
