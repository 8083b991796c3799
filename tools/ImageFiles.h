// The file formats of the generated images: a bitmap's info header and palette, and icon and
// cursor files of palette images with their transparency masks, written byte by byte so that
// every run writes the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r, g, b;
};

// Little-endian values, as the files hold them.
void Put16(Bytes& b, unsigned v);
void Put32(Bytes& b, std::uint32_t v);

// A bitmap's 40-byte info header, uncompressed, at 72 dots per inch.
void PutInfoHeader(Bytes& b, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t colours);
// The palette as a bitmap holds it: blue, green, red and a zero byte a colour.
void PutPalette(Bytes& b, const std::vector<Rgb>& palette);
// The bytes of one row of `width` pixels of `bits` bits, padded to four bytes.
int RowBytes(int width, int bits);

// One image of an icon or cursor: palette indices and a transparency mask, top-down.
struct Image {
    int size;
    int bits;
    std::vector<Rgb> palette;
    std::vector<int> index;        // size * size
    std::vector<bool> transparent; // size * size
};

// An icon (type 1) or cursor (type 2) file of the given images; a cursor's images each carry
// their hot spot.
Bytes IconFile(const std::vector<Image>& images, int type,
               const std::vector<std::pair<int, int>>& hotSpots = {});

// Writes `bytes` to the file `path`; false when it cannot.
bool Write(const std::string& path, const Bytes& bytes);

} // namespace assetgen
