#include "draw/DrawFixture.h"
#include "image/ColorReducer.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::testing::Paint;

namespace {

uint32_t PaletteRgb(const TDIB& image, int x, int y) {
    const RGBQuad q = image.ColorTable()[image.Pixel(x, y)];
    return uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
}

} // namespace

TEST(ColorReducer, AtMost256ColoursMapExactlyInOrderOfAppearance) {
    TDIB picture(64, 8, 24); // 256 distinct colours, each used twice
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x)
            picture.SetPixel(x, y, uint32_t((x + 64 * y) % 256) * 0x010307u & 0xFFFFFF);
    const TDIB out = ReduceTo256(picture);
    ASSERT_EQ(out.BitCount(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x) // a 24-bit pixel value reads as 0x00RRGGBB
            ASSERT_EQ(PaletteRgb(out, x, y), picture.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ((std::array{out.Pixel(0, 0), out.Pixel(63, 3)}), (std::array{0u, 255u}));

    // 16-bit pixels are 5-5-5 and expand to the full range.
    TDIB five(2, 1, 16);
    five.SetPixel(0, 0, 0x7C00 | 0x0010);
    five.SetPixel(1, 0, 0x03E0);
    const TDIB wide = ReduceTo256(five);
    EXPECT_EQ(PaletteRgb(wide, 0, 0), 0xFF0084u);
    EXPECT_EQ(PaletteRgb(wide, 1, 0), 0x00FF00u);
}

TEST(ColorReducer, RgbaAlphaIsDroppedStrideHonouredAndBadBuffersRefused) {
    // 2 x 2 with 3 bytes of padding per row; alpha varies but plays no part.
    const uint8_t rgba[] = {255, 0, 0, 0,   0, 255, 0, 128, 9, 9, 9, //
                            255, 0, 0, 255, 1, 2,   3, 7,   9, 9, 9};
    const TDIB out = ReduceRgbaTo256(rgba, 2, 2, 11);
    const std::pair<int, uint32_t> colours[] = {
        {0, 0xFF0000u}, {1, 0x00FF00u}, {2, 0xFF0000u}, {3, 0x010203u}};
    for (const auto& [i, rgb] : colours)
        EXPECT_EQ(PaletteRgb(out, i % 2, i / 2), rgb) << i;
    EXPECT_EQ(out.ColorTable()[3], RGBQuad{});
    EXPECT_THROW(ReduceRgbaTo256(rgba, 2, 2, 7), DibError);
    EXPECT_THROW(ReduceRgbaTo256(nullptr, 2, 2, 8), DibError);
    EXPECT_TRUE(ReduceRgbaTo256(rgba, 0, 2, 8).Empty());
}

TEST(ColorReducer, ManyColoursAreQuantisedWithSmallError) {
    const int width = 1000, height = 4; // 1000 distinct colours
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const int x = int(i / 4) % width;
        rgba[i] = uint8_t(x * 255 / 999);
        rgba[i + 1] = uint8_t(x % 4 * 60);
        rgba[i + 2] = uint8_t(255 - x * 255 / 999);
    }
    const TDIB out = ReduceRgbaTo256(rgba.data(), width, height, width * 4);
    ASSERT_EQ((std::array{out.BitCount(), out.Width()}), (std::array{8, width}));
    double total = 0;
    int worst = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const uint32_t c = PaletteRgb(out, int(i / 4) % width, int(i / 4) / width);
        const int d = std::abs(int(c >> 16) - rgba[i]) +
                      std::abs(int((c >> 8) & 0xFF) - rgba[i + 1]) +
                      std::abs(int(c & 0xFF) - rgba[i + 2]);
        total += d;
        worst = std::max(worst, d);
    }
    EXPECT_LT(total / (width * height), 6.0);
    EXPECT_LT(worst, 40);
}
