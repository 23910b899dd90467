#include "image/DIB.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(DIB, RowsArePaddedToFourBytesForEveryBitCount) {
    EXPECT_EQ(TDIB::RowBytes(1, 1), 4);
    EXPECT_EQ(TDIB::RowBytes(33, 1), 8);
    EXPECT_EQ(TDIB::RowBytes(9, 4), 8);
    EXPECT_EQ(TDIB::RowBytes(5, 8), 8);
    EXPECT_EQ(TDIB::RowBytes(3, 24), 12);
    EXPECT_EQ(TDIB::RowBytes(3, 16), 8);
    EXPECT_EQ(TDIB::RowBytes(3, 32), 12);
}

TEST(DIB, RefusesUnsupportedBitCountsWithTheCount) {
    TDIB image;
    try {
        image.SetSize(4, 4, 7);
        FAIL();
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "不正なビット数です (7)");
    }
}

TEST(DIB, PixelsOutsideReadZeroAndIgnoreWrites) {
    TDIB image(4, 3);
    image.SetPixel(1, 2, 9);
    image.SetPixel(-1, 0, 5);
    image.SetPixel(4, 0, 5);
    EXPECT_EQ(image.Pixel(1, 2), 9u);
    EXPECT_EQ(image.Pixel(-1, 0), 0u);
    EXPECT_EQ(image.Pixel(0, 3), 0u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.Pixel(x, y), (x == 1 && y == 2) ? 9u : 0u);
}

TEST(DIB, ScanLineOutOfRangeNamesTheIndex) {
    TDIB image(4, 3);
    try {
        image.ScanLine(3);
        FAIL();
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "スキャンラインのインデックスが範囲を越えました (3)");
    }
    EXPECT_THROW(image.ScanLine(-1), DibError);
}

TEST(DIB, SubByteAndWidePixelsRoundTrip) {
    for (int bits : {1, 4, 16, 24, 32}) {
        TDIB image(9, 2, bits);
        const uint32_t mask = bits == 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        for (int x = 0; x < 9; ++x)
            image.SetPixel(x, 1, (0x9E3779B9u * uint32_t(x + 1)) & mask);
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(image.Pixel(x, 1), (0x9E3779B9u * uint32_t(x + 1)) & mask) << bits;
            EXPECT_EQ(image.Pixel(x, 0), 0u);
        }
    }
}

TEST(DIB, AssignSharesTheStoreUntilOneSideWrites) {
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

TEST(DIB, WidthAndHeightSetters) {
    TDIB image;
    image.SetWidth(10);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 1);
    EXPECT_EQ(image.BitCount(), 8);
    image.ColorTable()[0] = {9, 9, 9, 0};
    image.SetHeight(5);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.ColorTable()[0], (RGBQuad{9, 9, 9, 0}));
    image.SetWidth(0);
    EXPECT_TRUE(image.Empty());
}

TEST(DIB, RefusesStoresBeyondTheLimit) {
    TDIB image;
    EXPECT_THROW(image.SetSize(60000, 60000, 8), DibError);
    EXPECT_TRUE(image.Empty());
}
