#include "palette/Hls.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(HlsTables, ScaleBothWays) {
    EXPECT_EQ(ScaleTo256[0], 0);
    EXPECT_EQ(ScaleTo256[128], 128);
    EXPECT_EQ(ScaleTo256[255], 256);
    EXPECT_EQ(ScaleFrom256[0], 0);
    EXPECT_EQ(ScaleFrom256[128], 127);
    EXPECT_EQ(ScaleFrom256[256], 255);
    for (int v = 0; v < 256; ++v)
        EXPECT_LE(ScaleFrom256[size_t(ScaleTo256[size_t(v)])], v);
}

TEST(RGBToHLS, PrimariesGreysAndTies) {
    EXPECT_EQ(RGBToHLS(255, 0, 0), (HlsColor{0, 256, 256}));
    EXPECT_EQ(RGBToHLS(0, 255, 0), (HlsColor{256, 256, 256}));
    EXPECT_EQ(RGBToHLS(0, 0, 255), (HlsColor{512, 256, 256}));
    EXPECT_EQ(RGBToHLS(255, 255, 255), (HlsColor{0, 512, 0}));
    EXPECT_EQ(RGBToHLS(0, 0, 0), (HlsColor{0, 0, 0}));
    EXPECT_EQ(RGBToHLS(128, 128, 128), (HlsColor{0, 256, 0}));
    EXPECT_EQ(RGBToHLS(77, 77, 77).S, 0);
    // Red and green tie at the top: the red formula wins.
    EXPECT_EQ(RGBToHLS(255, 255, 128), (HlsColor{128, 384, 255}));
    // A negative hue wraps: magenta-ish red (255, 0, 128).
    const HlsColor m = RGBToHLS(255, 0, 128);
    EXPECT_GE(m.H, 0);
    EXPECT_LT(m.H, 768);
    EXPECT_EQ(m.H, 768 - 128 * 128 / 256);
}

TEST(HLSToRGB, PrimariesWhiteAndRounding) {
    EXPECT_EQ(HLSToRGB(0, 256, 256), (RgbColor{255, 0, 0}));
    EXPECT_EQ(HLSToRGB(256, 256, 256), (RgbColor{0, 255, 0}));
    EXPECT_EQ(HLSToRGB(512, 256, 256), (RgbColor{0, 0, 255}));
    EXPECT_EQ(HLSToRGB(0, 512, 0), (RgbColor{255, 255, 255}));
    // There and back is not exact.
    EXPECT_EQ(HLSToRGB(0, 256, 0), (RgbColor{127, 127, 127}));
    const HlsColor y = RGBToHLS(255, 255, 128);
    EXPECT_EQ(HLSToRGB(y.H, y.L, y.S), (RgbColor{255, 255, 127}));
}

TEST(HLSToRGB, WrapsHueAndClampsTheRest) {
    EXPECT_EQ(HLSToRGB(768, 256, 256), HLSToRGB(0, 256, 256));
    EXPECT_EQ(HLSToRGB(-256, 256, 256), HLSToRGB(512, 256, 256));
    EXPECT_EQ(HLSToRGB(0, 9999, -5), HLSToRGB(0, 512, 0));
    EXPECT_EQ(HLSToRGB(0, -1, 9999), HLSToRGB(0, 0, 256));
    for (int h = -800; h < 1600; h += 37)
        for (int l = -10; l <= 530; l += 31)
            for (int s = -10; s <= 270; s += 29) {
                const RgbColor c = HLSToRGB(h, l, s);
                ASSERT_TRUE(c.R >= 0 && c.R <= 255 && c.G >= 0 && c.G <= 255 && c.B >= 0 &&
                            c.B <= 255);
            }
}

TEST(HueValue, RampsAndPlateaus) {
    EXPECT_EQ(HueValue(0, 10, 138), 10);
    EXPECT_EQ(HueValue(64, 10, 138), 74);
    EXPECT_EQ(HueValue(128, 10, 138), 138);
    EXPECT_EQ(HueValue(383, 10, 138), 138);
    EXPECT_EQ(HueValue(448, 10, 138), 74);
    EXPECT_EQ(HueValue(512, 10, 138), 10);
    EXPECT_EQ(HueValue(-704, 10, 138), 74); // -704 wraps to 64
}
