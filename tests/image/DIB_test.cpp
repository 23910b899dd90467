#include "image/DIB.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

// The message of the DibError that f raises, or "" when it raises none.
template <typename F> std::string DibMessage(F f) {
    try {
        f();
    } catch (const DibError& e) {
        return e.what();
    }
    return "";
}

TDIB LoadSys(const char* name) {
    TDIB image;
    image.LoadFromFile(std::string(VALLO_SYS_DIR) + "/" + name);
    return image;
}

} // namespace

TEST(DIB, RowsArePaddedToFourBytesForEveryBitCount) {
    const struct {
        int Width, Bits, Bytes;
    } cases[] = {{1, 1, 4},   {33, 1, 8}, {9, 4, 8},   {5, 8, 8},
                 {3, 24, 12}, {3, 16, 8}, {3, 32, 12}, {0, 8, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TDIB::RowBytes(c.Width, c.Bits), c.Bytes) << c.Width << "x" << c.Bits;
    EXPECT_EQ(TDIB(5, 3).StoreSize(), 24u);
}

TEST(DIB, RefusesBadBitCountsRowsAndSizesWithTheirMessage) {
    TDIB image(4, 3);
    EXPECT_EQ(DibMessage([&] { image.SetSize(4, 4, 7); }), "不正なビット数です (7)");
    EXPECT_EQ(DibMessage([&] { image.ScanLine(3); }),
              "スキャンラインのインデックスが範囲を越えました (3)");
    EXPECT_NE(DibMessage([&] { image.ScanLine(-1); }), "");
    EXPECT_EQ(DibMessage([&] { image.ScanLine(2); }), "");
    EXPECT_NE(DibMessage([&] { image.SetSize(60000, 60000, 8); }), "");
    EXPECT_EQ(image.Width(), 4); // a refused size keeps the old one
    EXPECT_EQ(image.Height(), 3);
}

TEST(DIB, PixelsOfEveryBitCountRoundTripAndOutsideReadsZero) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        TDIB image(9, 3, bits);
        const uint32_t mask = bits == 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        auto value = [&](int x) { return (0x9E3779B9u * uint32_t(x + 1)) & mask; };
        // All bits set first, then the values from right to left: a write that clears bits
        // or spills into its neighbour shows.
        for (int x = -1; x <= 9; ++x)
            image.SetPixel(x, 1, mask); // x = -1 and 9 are ignored
        for (int x = 8; x >= 0; --x)
            image.SetPixel(x, 1, value(x));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(image.Pixel(x, y), y == 1 ? value(x) : 0u) << bits << " " << x;
        EXPECT_EQ(image.Pixel(-1, 1), 0u);
        EXPECT_EQ(image.Pixel(0, 3), 0u);
    }
}

TEST(DIB, CopiesShareTheStoreUntilOneSideWrites) {
    TDIB a(8, 8);
    a.SetPixel(2, 2, 7);
    a.ColorTable()[3] = {1, 2, 3, 0};
    TDIB b;
    b.Assign(a);
    EXPECT_TRUE(b.SharesPixelsWith(a));
    EXPECT_EQ(b.ColorTable()[3], (RGBQuad{1, 2, 3, 0}));
    (void)static_cast<const TDIB&>(b).ScanLine(0);
    EXPECT_TRUE(b.SharesPixelsWith(a)) << "reading must not copy";
    b.SetPixel(2, 2, 1);
    EXPECT_FALSE(b.SharesPixelsWith(a));
    EXPECT_EQ(a.Pixel(2, 2), 7u);
    EXPECT_EQ(b.Pixel(2, 2), 1u);
}

TEST(SysData, PenStripHoldsTwentySymmetricPensInTheirSquares) {
    const TDIB pens = LoadSys("Pen.BMP");
    ASSERT_EQ(pens.Width(), 400);
    ASSERT_EQ(pens.Height(), 20);
    for (int n = 0, size = 1; n < 20; ++n, ++size) {
        auto ink = [&](int x, int y) { return pens.Pixel(20 * n + x, y) == 0; };
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x < size && y < size;
                ASSERT_TRUE(inside || !ink(x, y)) << "pen " << n << " at " << x << "," << y;
                ASSERT_TRUE(!inside ||
                            (ink(x, y) == ink(size - 1 - x, y) &&
                             ink(x, y) == ink(x, size - 1 - y) && ink(x, y) == ink(y, x)))
                    << "pen " << n << " at " << x << "," << y;
            }
        // Each pen reaches its square's sides; the two smallest are squares, the rest round.
        EXPECT_TRUE(ink(size / 2, 0) && ink(0, size / 2)) << "pen " << n;
        EXPECT_EQ(ink(0, 0), size <= 3) << "pen " << n;
    }
}

TEST(SysData, IconsBlankAndColourBarsHaveTheirSizesAndColours) {
    const TDIB icons = LoadSys("ICON.BMP"), empty = LoadSys("Empty.BMP"), bars = LoadSys("Bar.bmp");
    for (auto [image, width] : {std::pair{&icons, 192}, {&empty, 16}, {&bars, 384}}) {
        EXPECT_EQ(image->Width(), width);
        EXPECT_EQ(image->Height(), 16);
    }
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(empty.Pixel(i % 16, i / 16), 0u);
    // Pixel values are 0x00RRGGBB: bars R, G, B end at full strength, H starts and ends at
    // red, L ends at white and S ends saturated.
    const std::pair<int, uint32_t> ends[] = {{0, 0},          {63, 0xFF0000},  {127, 0x00FF00},
                                             {191, 0x0000FF}, {192, 0xFF0000}, {255, 0xFF0000},
                                             {319, 0xFFFFFF}, {383, 0xFF0000}};
    for (const auto& [x, rgb] : ends)
        EXPECT_EQ(bars.Pixel(x, 15), rgb) << x;
}
