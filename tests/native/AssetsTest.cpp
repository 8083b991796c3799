// The window's four images in their fixed formats and sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Load(const std::string& name) {
    std::ifstream in(std::string(VARNHOLT_ASSETS_DIR) + "/" + name, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
}

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

struct Entry {
    unsigned width, height, colours, field1, field2;
    std::uint32_t bits; // from the image's own header
};

std::vector<Entry> Entries(const std::vector<std::uint8_t>& b, unsigned type) {
    std::vector<Entry> entries;
    if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != type) {
        return entries;
    }
    for (unsigned i = 0; i < U16(b, 4); ++i) {
        const std::size_t e = 6 + 16 * i;
        const std::uint32_t offset = U32(b, e + 12);
        entries.push_back({b[e] ? b[e] : 256u, b[e + 1] ? b[e + 1] : 256u, b[e + 2], U16(b, e + 4),
                           U16(b, e + 6), U16(b, offset + 14)});
    }
    return entries;
}

} // namespace

TEST(Assets, BackgroundIsAn8BitPaletteBitmapOfTheFixedSize) {
    const auto b = Load("background.bmp");
    ASSERT_EQ(b.size(), 336438u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 18), 640u);
    EXPECT_EQ(U32(b, 22), 524u);
    EXPECT_EQ(U16(b, 28), 8u);
    EXPECT_EQ(U32(b, 30), 0u); // uncompressed
    // An olive-beige texture: mean colour near (161, 157, 130), brightness 50 to 75 per cent.
    double sum[3] = {0, 0, 0};
    std::size_t outside = 0;
    const std::size_t offset = U32(b, 10);
    for (std::size_t i = offset; i < b.size(); ++i) {
        const std::size_t p = 54 + 4 * b[i];
        const unsigned blue = b[p], green = b[p + 1], red = b[p + 2];
        sum[0] += red;
        sum[1] += green;
        sum[2] += blue;
        const unsigned brightest = std::max(red, std::max(green, blue));
        outside += (brightest < 128 || brightest > 192) ? 1 : 0;
    }
    const double n = static_cast<double>(b.size() - offset);
    EXPECT_NEAR(sum[0] / n, 161, 6);
    EXPECT_NEAR(sum[1] / n, 157, 6);
    EXPECT_NEAR(sum[2] / n, 130, 6);
    EXPECT_LT(outside / n, 0.02);
}

TEST(Assets, IconsAndCursorHaveTheirFormats) {
    const auto app = Entries(Load("varnholt.ico"), 1);
    ASSERT_EQ(app.size(), 2u);
    EXPECT_EQ(app[0].width, 32u);
    EXPECT_EQ(app[1].width, 48u);
    for (const Entry& e : app) {
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(e.bits, 8u);
    }
    const auto folder = Entries(Load("folder.ico"), 1);
    ASSERT_EQ(folder.size(), 1u);
    EXPECT_EQ(folder[0].width, 16u);
    EXPECT_EQ(folder[0].colours, 16u);
    EXPECT_EQ(folder[0].bits, 4u);
    const auto hand = Entries(Load("hand.cur"), 2);
    ASSERT_EQ(hand.size(), 1u);
    EXPECT_EQ(hand[0].width, 32u);
    EXPECT_EQ(hand[0].colours, 2u);
    EXPECT_EQ(hand[0].bits, 1u);
    EXPECT_EQ(hand[0].field1, 5u); // hot spot
    EXPECT_EQ(hand[0].field2, 0u);
}
