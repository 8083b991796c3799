// Writes the window's four images into a folder, reproducibly: the background texture, the
// application icon, the folder picture and the hand cursor; and, for screens with more dots per
// inch, the larger images of the icon, the folder picture and the cursor. Everything is drawn
// here; nothing is taken from another program.
//
//   assetgen <folder>
#include "tools/ImageFiles.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace assetgen;

namespace {

// A small deterministic generator, so every run writes the same bytes.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double Unit() { return (Next() & 0xFFFFFF) / 16777216.0; }

  private:
    std::uint32_t state_;
};

// Background: 640 x 524, 8 bits per pixel from a palette of olive-beige tones, an even
// fine-grained texture without figures.
Bytes Background() {
    const int width = 640, height = 524;
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i) {
        const double f = 0.86 + 0.30 * (i / 255.0);
        palette[static_cast<std::size_t>(i)] = {
            static_cast<std::uint8_t>(std::lround(159 * f)),
            static_cast<std::uint8_t>(std::lround(155 * f)),
            static_cast<std::uint8_t>(std::lround(127 * f + (i % 3)))};
    }
    // Coarse value noise on a 16-pixel lattice, a finer one on 4 pixels, and grain.
    Random random(1503);
    const int coarseW = width / 16 + 2, coarseH = height / 16 + 2;
    const int fineW = width / 4 + 2, fineH = height / 4 + 2;
    std::vector<double> coarse(static_cast<std::size_t>(coarseW * coarseH));
    std::vector<double> fine(static_cast<std::size_t>(fineW * fineH));
    for (double& v : coarse) {
        v = random.Unit();
    }
    for (double& v : fine) {
        v = random.Unit();
    }
    auto sample = [](const std::vector<double>& grid, int gridW, double x, double y) {
        const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
        const double fx = x - x0, fy = y - y0;
        auto at = [&](int gx, int gy) { return grid[static_cast<std::size_t>(gy * gridW + gx)]; };
        const double top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx;
        const double bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx;
        return top * (1 - fy) + bottom * fy;
    };
    const int stride = RowBytes(width, 8);
    Bytes pixels(static_cast<std::size_t>(stride * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double v = 0.35 * sample(coarse, coarseW, x / 16.0, y / 16.0) +
                             0.35 * sample(fine, fineW, x / 4.0, y / 4.0) + 0.30 * random.Unit();
            int index = static_cast<int>(std::lround(v * 255));
            index = index < 0 ? 0 : (index > 255 ? 255 : index);
            // Bitmaps are stored bottom-up.
            pixels[static_cast<std::size_t>((height - 1 - y) * stride + x)] =
                static_cast<std::uint8_t>(index);
        }
    }
    Bytes file;
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    file.push_back('B');
    file.push_back('M');
    Put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    PutInfoHeader(file, width, height, 8, static_cast<std::uint32_t>(pixels.size()), 256);
    PutPalette(file, palette);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// The application's emblem: a grey watch-tower with a brown door and a red pennant, on a
// transparent ground, about a quarter of the icon.
Image Emblem(int n) {
    Image image{n, 8, std::vector<Rgb>(256), std::vector<int>(static_cast<std::size_t>(n * n), 0),
                std::vector<bool>(static_cast<std::size_t>(n * n), true)};
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        image.palette[static_cast<std::size_t>(i)] = {v, v, v}; // greys
    }
    const int outline = 40, stone = 150, stoneLight = 185, joint = 110;
    const int brown = 250, red = 251, window = 252;
    image.palette[brown] = {122, 74, 36};
    image.palette[red] = {196, 32, 32};
    image.palette[window] = {30, 30, 30};
    auto set = [&](double x0, double y0, double x1, double y1, int colour) {
        for (int y = static_cast<int>(y0 * n); y < static_cast<int>(y1 * n); ++y) {
            for (int x = static_cast<int>(x0 * n); x < static_cast<int>(x1 * n); ++x) {
                if (x >= 0 && y >= 0 && x < n && y < n) {
                    image.index[static_cast<std::size_t>(y * n + x)] = colour;
                    image.transparent[static_cast<std::size_t>(y * n + x)] = false;
                }
            }
        }
    };
    // Body and battlements with an outline.
    set(0.31, 0.36, 0.69, 0.92, outline);
    set(0.34, 0.39, 0.66, 0.89, stone);
    set(0.34, 0.39, 0.42, 0.89, stoneLight);
    for (double x : {0.28, 0.44, 0.60}) {
        set(x, 0.26, x + 0.12, 0.38, outline);
        set(x + 0.03, 0.29, x + 0.09, 0.38, stone);
    }
    for (double y = 0.48; y < 0.86; y += 0.12) {
        set(0.34, y, 0.66, y + 0.02, joint);
    }
    set(0.47, 0.48, 0.53, 0.58, window);
    // Door and pennant.
    set(0.44, 0.72, 0.56, 0.89, brown);
    set(0.495, 0.08, 0.52, 0.26, outline);
    set(0.52, 0.08, 0.68, 0.17, red);
    return image;
}

// The folder picture: an opened folder in black outline, dark yellow, yellow and white.
const std::vector<Rgb> VGA = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                              {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                              {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                              {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
const char* const FOLDER_ART[] = {
    "                ", //
    "                ", //
    " XXXXX          ", //
    "X.....X         ", //
    "X.YYYY.XXXXXXX  ", //
    "X.YYYYYYYYYYYX  ", //
    "X.YYYXXXXXXXXXXX", //
    "X.YYX:::::::::X ", //
    "X.YX:::::::::X  ", //
    "X.X:::::::::X   ", //
    "XX:::::::::X    ", //
    "XXXXXXXXXXX     ", //
    "                ", //
    "                ", //
    "                ", //
    "                ", //
};
constexpr int FOLDER_ROWS = sizeof FOLDER_ART / sizeof FOLDER_ART[0];

int FolderColour(char c) {
    return c == 'X' ? 0 : c == '.' ? 15 : c == 'Y' ? 3 : 11;
}

// The hand cursor: a pointing hand whose index fingertip is at x 5, y 0 of its 32 x 32 image.
const char* const HAND_ART[] = {
    "     XX         ", //
    "    X..X        ", //
    "    X..X        ", //
    "    X..X        ", //
    "    X..X        ", //
    "    X..XXX      ", //
    "    X..X..XXX   ", //
    "    X..X..X..XX ", //
    " XX X..X..X..X.X", //
    "X..XX........X.X", //
    "X...X..........X", //
    " X.............X", //
    "  X............X", //
    "  X...........X ", //
    "   X..........X ", //
    "   X.........X  ", //
    "    X........X  ", //
    "    X........X  ", //
    "    XXXXXXXXXX  ", //
};
constexpr int HAND_ROWS = sizeof HAND_ART / sizeof HAND_ART[0];

int HandColour(char c) {
    return c == 'X' ? 0 : 1;
}

// An image of `size` pixels drawn from pixel art whose cells are each `size` / `artSize` pixels
// wide. At its own size the art is copied cell by cell. Larger, each pixel takes the colour
// that dominates a small round neighbourhood of the art around its centre, so that steps and
// corners come out rounded at the new size instead of as enlarged blocks, and every pixel keeps
// one of the art's own colours (no blending: the palette and the transparency stay crisp).
Image FromArt(const char* const* art, int rows, int artSize, int size, int bits,
              const std::vector<Rgb>& palette, int (*colourOf)(char)) {
    Image image{size, bits, palette, std::vector<int>(static_cast<std::size_t>(size * size), 0),
                std::vector<bool>(static_cast<std::size_t>(size * size), true)};
    const int columns = static_cast<int>(std::string(art[0]).size());
    // -1 stands for a transparent cell.
    auto cell = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= columns || y >= rows || art[y][x] == ' ') {
            return -1;
        }
        return colourOf(art[y][x]);
    };
    const double scale = static_cast<double>(size) / artSize;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int colour = -1;
            if (size == artSize) {
                colour = cell(x, y);
            } else {
                // The pixel's centre in art cells, and the weight of each colour around it.
                const double u = (x + 0.5) / scale, v = (y + 0.5) / scale;
                double weight[257] = {};
                const double sigma = 0.40;
                for (int cy = static_cast<int>(v) - 2; cy <= static_cast<int>(v) + 2; ++cy) {
                    for (int cx = static_cast<int>(u) - 2; cx <= static_cast<int>(u) + 2; ++cx) {
                        const double dx = cx + 0.5 - u, dy = cy + 0.5 - v;
                        weight[cell(cx, cy) + 1] +=
                            std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
                    }
                }
                // The black outline (colour 0 of both palettes) counts double, so that lines one
                // cell wide stay whole lines.
                weight[1] *= 2;
                int best = 0;
                for (int k = 1; k < 257; ++k) {
                    if (weight[k] > weight[best]) {
                        best = k;
                    }
                }
                colour = best - 1;
            }
            if (colour >= 0) {
                const std::size_t p = static_cast<std::size_t>(y * size + x);
                image.transparent[p] = false;
                image.index[p] = colour;
            }
        }
    }
    return image;
}

Image Folder(int size) {
    return FromArt(FOLDER_ART, FOLDER_ROWS, 16, size, 4, VGA, FolderColour);
}

Image Hand(int size) {
    return FromArt(HAND_ART, HAND_ROWS, 32, size, 1, {{0, 0, 0}, {255, 255, 255}}, HandColour);
}

// The cursor's hot spot at `size`: the design's x 5, y 0 at 32 pixels, and at other sizes the
// fingertip's first opaque pixel.
void HotSpot(const Image& hand, int& x, int& y) {
    for (y = 0; y < hand.size; ++y) {
        for (x = 0; x < hand.size; ++x) {
            if (!hand.transparent[static_cast<std::size_t>(y * hand.size + x)]) {
                return;
            }
        }
    }
    x = y = 0;
}

// A cursor file of the hand at the given sizes, each image with its own hot spot.
Bytes HandCursor(const std::vector<int>& sizes) {
    std::vector<Image> images;
    std::vector<std::pair<int, int>> spots;
    for (int size : sizes) {
        images.push_back(Hand(size));
        int x = 0, y = 0;
        HotSpot(images.back(), x, y);
        spots.emplace_back(x, y);
    }
    return IconFile(images, 2, spots);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    // The design's images, and the larger ones for 125 to 300 per cent: the sizes the system
    // asks for there that the design's images lack (big and small icon, folder picture at the
    // small icon's size, cursor).
    std::vector<Image> emblems, folders;
    for (int size : {20, 24, 28, 40, 56, 64, 80, 96}) {
        emblems.push_back(Emblem(size));
    }
    for (int size : {20, 24, 28, 32, 40, 48}) {
        folders.push_back(Folder(size));
    }
    const bool ok = Write(folder + "background.bmp", Background()) &&
                    Write(folder + "varnholt.ico", IconFile({Emblem(32), Emblem(48)}, 1)) &&
                    Write(folder + "folder.ico", IconFile({Folder(16)}, 1)) &&
                    Write(folder + "hand.cur", HandCursor({32})) &&
                    Write(folder + "varnholt-hidpi.ico", IconFile(emblems, 1)) &&
                    Write(folder + "folder-hidpi.ico", IconFile(folders, 1)) &&
                    Write(folder + "hand-hidpi.cur", HandCursor({40, 48, 56, 64, 80, 96}));
    if (!ok) {
        std::fprintf(stderr, "assetgen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
