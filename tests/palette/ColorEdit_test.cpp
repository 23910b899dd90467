#include "palette/ColorEdit.h"
#include "palette/Hls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

struct ColorEditTest : ::testing::Test {
    EditorState s;
    void SetUp() override {
        s.MainImage.SetSize(8, 8, 8);
        vallo::test::SetRampPalette(s);
        s.DrawColor = 40; // red 40, green 215, blue 120
        LoadColorEdit(s);
    }
    std::array<int, 6> Edit() const {
        return {s.EditRed, s.EditGreen, s.EditBlue, s.EditHue, s.EditLight, s.EditSat};
    }
};

} // namespace

TEST_F(ColorEditTest, FieldsParseClampAndKeepBothModelsInStep) {
    EXPECT_EQ(Edit(), (std::array<int, 6>{40, 215, 120, 314, 255, 175}));
    EXPECT_EQ(ColorEditFieldTexts(s, ColorBarBox::Hls),
              (std::array<std::string, 3>{"314", "255", "175"}));
    const struct {
        bool rgb;
        std::array<std::string, 3> texts;
        std::array<int, 6> edit;
    } cases[] = {
        {true, {"300", "0", "0"}, {255, 0, 0, 0, 256, 256}},
        {true, {"x", "-5", "+128"}, {0, 0, 128, 512, 128, 256}},
        {false, {"800", "600", "-1"}, {255, 255, 255, 767, 512, 0}},
        {false, {"256", "256", "256"}, {0, 255, 0, 256, 256, 256}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.rgb ? RgbFieldsChanged(s, c.texts) : HlsFieldsChanged(s, c.texts));
        EXPECT_EQ(Edit(), c.edit) << c.texts[0];
        EXPECT_FALSE(c.rgb ? RgbFieldsChanged(s, c.texts) : HlsFieldsChanged(s, c.texts));
    }
    s.EditFieldsLive = false; // the program writing the fields itself
    EXPECT_FALSE(RgbFieldsChanged(s, {"1", "2", "3"}));
    EXPECT_EQ(s.EditRed, 0);
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
