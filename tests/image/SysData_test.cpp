#include "image/DIB.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

TDIB LoadSys(const char* name) {
    TDIB image;
    image.LoadFromFile(std::string(VALLO_SYS_DIR) + "/" + name);
    return image;
}

} // namespace

TEST(SysData, PenStripHoldsTwentyRoundPensInTheirSquares) {
    const TDIB pens = LoadSys("Pen.BMP");
    ASSERT_EQ(pens.Width(), 400);
    ASSERT_EQ(pens.Height(), 20);
    ASSERT_EQ(pens.BitCount(), 8);
    EXPECT_EQ(pens.ColorTable()[0], (RGBQuad{0, 0, 0, 0}));
    for (int n = 0; n < 20; ++n) {
        const int size = n + 1;
        auto ink = [&](int x, int y) { return pens.Pixel(20 * n + x, y) == 0; };
        bool top = false, bottom = false, left = false, right = false;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                if (x >= size || y >= size) {
                    ASSERT_FALSE(ink(x, y)) << "pen " << n << " at " << x << "," << y;
                    continue;
                }
                ASSERT_EQ(ink(x, y), ink(size - 1 - x, y)) << "pen " << n;
                ASSERT_EQ(ink(x, y), ink(x, size - 1 - y)) << "pen " << n;
                ASSERT_EQ(ink(x, y), ink(y, x)) << "pen " << n;
                top |= ink(x, 0);
                bottom |= ink(x, size - 1);
                left |= ink(0, y);
                right |= ink(size - 1, y);
            }
        EXPECT_TRUE(top && bottom && left && right) << "pen " << n;
        EXPECT_TRUE(ink(size / 2, size / 2)) << "pen " << n;
        // The two smallest pens are squares; the larger ones are round at the corners.
        EXPECT_EQ(ink(0, 0), size <= 3) << "pen " << n;
    }
}

TEST(SysData, IconsBlankAndColourBarsHaveTheirSizesAndColours) {
    const TDIB icons = LoadSys("ICON.BMP"), empty = LoadSys("Empty.BMP"), bars = LoadSys("Bar.bmp");
    EXPECT_EQ(icons.Width(), 192);
    EXPECT_EQ(icons.Height(), 16);
    EXPECT_EQ(empty.Width(), 16);
    EXPECT_EQ(empty.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(empty.Pixel(x, y), 0u);
    ASSERT_EQ(bars.Width(), 384);
    ASSERT_EQ(bars.Height(), 16);
    // Pixel values are 0x00RRGGBB: bars R, G, B end at full strength, H starts and ends at
    // red, L ends at white and S ends saturated.
    const std::pair<int, uint32_t> ends[] = {{0, 0},          {63, 0xFF0000},  {127, 0x00FF00},
                                             {191, 0x0000FF}, {192, 0xFF0000}, {255, 0xFF0000},
                                             {319, 0xFFFFFF}, {383, 0xFF0000}};
    for (const auto& [x, rgb] : ends)
        EXPECT_EQ(bars.Pixel(x, 15), rgb) << x;
}
