#include "tools/ImageFiles.h"

#include <fstream>

namespace assetgen {

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutInfoHeader(Bytes& b, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t colours) {
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<unsigned>(bits));
    Put32(b, 0); // uncompressed
    Put32(b, imageSize);
    Put32(b, 2835); // 72 dpi
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
}

void PutPalette(Bytes& b, const std::vector<Rgb>& palette) {
    for (const Rgb& c : palette) {
        b.push_back(c.b);
        b.push_back(c.g);
        b.push_back(c.r);
        b.push_back(0);
    }
}

int RowBytes(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

namespace {

Bytes ImageData(const Image& image) {
    const int n = image.size;
    const int colourStride = RowBytes(n, image.bits);
    const int maskStride = RowBytes(n, 1);
    Bytes colour(static_cast<std::size_t>(colourStride * n));
    Bytes mask(static_cast<std::size_t>(maskStride * n));
    for (int y = 0; y < n; ++y) {
        const int row = n - 1 - y; // bottom-up
        for (int x = 0; x < n; ++x) {
            const std::size_t p = static_cast<std::size_t>(y * n + x);
            const int value = image.transparent[p] ? 0 : image.index[p];
            const int bitPos = x * image.bits;
            std::uint8_t& byte = colour[static_cast<std::size_t>(row * colourStride + bitPos / 8)];
            byte = static_cast<std::uint8_t>(byte | (value << (8 - image.bits - (bitPos % 8))));
            if (image.transparent[p]) {
                mask[static_cast<std::size_t>(row * maskStride + x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    Bytes data;
    PutInfoHeader(data, n, 2 * n, image.bits,
                  static_cast<std::uint32_t>(colour.size() + mask.size()),
                  static_cast<std::uint32_t>(image.palette.size()));
    PutPalette(data, image.palette);
    data.insert(data.end(), colour.begin(), colour.end());
    data.insert(data.end(), mask.begin(), mask.end());
    return data;
}

} // namespace

Bytes IconFile(const std::vector<Image>& images, int type,
               const std::vector<std::pair<int, int>>& hotSpots) {
    Bytes file;
    Put16(file, 0);
    Put16(file, static_cast<unsigned>(type));
    Put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    std::vector<Bytes> data;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& image = images[i];
        data.push_back(ImageData(image));
        file.push_back(static_cast<std::uint8_t>(image.size));
        file.push_back(static_cast<std::uint8_t>(image.size));
        file.push_back(
            static_cast<std::uint8_t>(image.palette.size() >= 256 ? 0 : image.palette.size()));
        file.push_back(0);
        if (type == 1) {
            Put16(file, 1);
            Put16(file, static_cast<unsigned>(image.bits));
        } else {
            Put16(file, static_cast<unsigned>(hotSpots[i].first));
            Put16(file, static_cast<unsigned>(hotSpots[i].second));
        }
        Put32(file, static_cast<std::uint32_t>(data.back().size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(data.back().size());
    }
    for (const Bytes& d : data) {
        file.insert(file.end(), d.begin(), d.end());
    }
    return file;
}

bool Write(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace assetgen
