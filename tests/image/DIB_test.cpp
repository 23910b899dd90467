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

TEST(DIB, RefusesBadBitCountsRowsAndSizesWithTheirMessage) {
    TDIB image(4, 3);
    EXPECT_EQ(DibMessage([&] { image.SetSize(4, 4, 7); }), "不正なビット数です (7)");
    EXPECT_EQ(DibMessage([&] { image.ScanLine(3); }),
              "スキャンラインのインデックスが範囲を越えました (3)");
    EXPECT_NE(DibMessage([&] { image.ScanLine(-1); }), "");
    EXPECT_EQ(DibMessage([&] { image.ScanLine(2); }), "");
    EXPECT_NE(DibMessage([&] { image.SetSize(60000, 60000, 8); }), "");
    EXPECT_EQ((std::array{image.Width(), image.Height()}), (std::array{4, 3})); // kept
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
        EXPECT_EQ((std::array{image.Pixel(-1, 1), image.Pixel(0, 3)}), (std::array{0u, 0u}));
    }
}
