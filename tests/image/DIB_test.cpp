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
