#include "palette/Hls.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(HlsTables, ScaleBothWays) {
    for (auto [v, to] : {std::pair{0, 0}, {128, 128}, {255, 256}})
        EXPECT_EQ(ScaleTo256[size_t(v)], to) << v;
    for (auto [v, from] : {std::pair{0, 0}, {128, 127}, {256, 255}})
        EXPECT_EQ(ScaleFrom256[size_t(v)], from) << v;
    for (int v = 0; v < 256; ++v)
        EXPECT_LE(ScaleFrom256[size_t(ScaleTo256[size_t(v)])], v);
}

TEST(HlsConversion, WorkedColoursBothWays) {
    const struct {
        RgbColor Rgb;
        HlsColor Hls;
        RgbColor Back; // there and back is not always exact
    } cases[] = {
        {{255, 0, 0}, {0, 256, 256}, {255, 0, 0}},
        {{0, 255, 0}, {256, 256, 256}, {0, 255, 0}},
        {{0, 0, 255}, {512, 256, 256}, {0, 0, 255}},
        {{255, 255, 255}, {0, 512, 0}, {255, 255, 255}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{128, 128, 128}, {0, 256, 0}, {127, 127, 127}},
        {{255, 255, 128}, {128, 384, 255}, {255, 255, 127}}, // a tie: the red formula wins
        {{255, 0, 128}, {704, 256, 256}, {255, 0, 127}},     // a negative hue wraps
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RGBToHLS(c.Rgb.R, c.Rgb.G, c.Rgb.B), c.Hls) << c.Hls.H << "," << c.Hls.L;
        EXPECT_EQ(HLSToRGB(c.Hls.H, c.Hls.L, c.Hls.S), c.Back) << c.Hls.H << "," << c.Hls.L;
    }
    EXPECT_EQ(RGBToHLS(77, 77, 77).S, 0);
    EXPECT_EQ(HLSToRGB(0, 257, 256), (RgbColor{255, 1, 1})); // an odd lightness rounds up
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
    for (auto [h, v] : {std::pair{0, 10},
                        {64, 74},
                        {128, 138},
                        {383, 138},
                        {448, 74},
                        {512, 10},
                        {-704, 74}}) // -704 wraps to 64
        EXPECT_EQ(HueValue(h, 10, 138), v) << h;
}
