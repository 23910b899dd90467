#include "DrawFixture.h"
#include "draw/LupeRender.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

constexpr uint8_t kGrid = 9; // the palette entry nearest to the grid's grey

// The magnified picture worked out pixel by pixel: the cell's pixel (or with the layer on,
// the composite, striped in the special display), then the grid lines, every eighth one
// inverted, so that where two eighth lines cross the grid colour shows again.
std::vector<uint8_t> Reference(const EditorState& s) {
    const int m = s.Magnification;
    const bool special = s.LayerActive && s.LayerDisplayMode && s.LayerMethod == 0 && m >= 2;
    std::vector<uint8_t> out;
    for (int y = 0; y < s.CharHeight * m; ++y)
        for (int x = 0; x < s.CharWidth * m; ++x) {
            const int cx = x / m, cy = y / m;
            const uint8_t edited = uint8_t(s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy));
            const uint8_t layer = uint8_t(s.MainImage.Pixel(s.LayerLeft + cx, s.LayerTop + cy));
            uint8_t v = s.LayerActive ? uint8_t(s.LayerImage.Pixel(cx, cy)) : edited;
            if (special && y % m % 2 == 1 && s.LayerBelow && edited == s.TransColor)
                v = s.TransColor;
            else if (special && !s.LayerBelow)
                v = y % m % 2 == 1 && layer != s.TransColor ? layer : edited;
            if (GridShown(s) && (x % m == 0 || y % m == 0)) {
                v = kGrid;
                v = y % m == 0 && y / m % 8 == 0 ? uint8_t(~v) : v;
                v = x % m == 0 && x / m % 8 == 0 ? uint8_t(~v) : v;
            }
            out.push_back(v);
        }
    return out;
}

class LupeRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.MainImage.SetSize(64, 40, 8);
        Paint(s.MainImage,
              [](int x, int y) { return (x * 5 + y * 3) % 7 == 0 ? 0 : x + 2 * y + 1; });
        s.CharWidth = 16;
        s.CharHeight = 12;
        s.CharLeft = 16;
        s.CharTop = 8;
        s.LayerLeft = 41;
        s.LayerTop = 24;
        s.LupeImage.ColorTable()[kGrid] = {240, 240, 240, 0};
        s.LupeImage.ColorTable()[3] = {200, 200, 200, 0};
        FillTestTables(s);
    }
    void Render(int m) {
        s.Magnification = m;
        RenderLupe(s);
        ASSERT_EQ(s.LupeImage.Width(), s.CharWidth * m);
        ASSERT_EQ(s.LupeImage.Height(), s.CharHeight * m);
    }

    EditorState s;
};

TEST_F(LupeRenderTest, MatchesTheReferenceAtEveryZoomGridAndLayerSetting) {
    for (bool active : {false, true})
        for (bool grid : {false, true})
            for (bool below : {true, false})
                for (int method : {0, 2})
                    for (int m : {1, 2, 3, 8}) {
                        s.LayerActive = active;
                        s.ShowGrid = grid;
                        s.LayerBelow = below;
                        s.LayerMethod = method;
                        Render(m);
                        EXPECT_EQ(AllPixels(s.LupeImage), Reference(s))
                            << active << grid << below << method << " zoom " << m;
                    }
    // A cell partly outside the image reads zero there, and its width need not be a multiple
    // of four.
    s.LayerActive = s.ShowGrid = false;
    s.CharWidth = 6;
    s.CharHeight = 5;
    s.CharLeft = 60;
    s.CharTop = 38;
    Render(2);
    EXPECT_EQ(AllPixels(s.LupeImage), Reference(s));
    EXPECT_EQ(s.LupeImage.Pixel(11, 9), 0);
}

TEST_F(LupeRenderTest, GridAndStripedLayerPixelsByHand) {
    s.ShowGrid = true;
    Render(3);
    // Cell (1, 1) at 3x: its first row and column are grid, the rest is the pixel.
    const uint8_t pixel = uint8_t(s.MainImage.Pixel(17, 9));
    EXPECT_EQ(
        Pixels(s.LupeImage, 3, 3, 3, 3),
        (std::vector<uint8_t>{kGrid, kGrid, kGrid, kGrid, pixel, pixel, kGrid, pixel, pixel}));

    // Layer under at 2x: a transparent edited pixel shows the layer on row 0 and the
    // transparent colour on row 1; without the special display the composite fills the cell.
    s.ShowGrid = false;
    s.LayerActive = s.LayerBelow = true;
    ASSERT_EQ(s.MainImage.Pixel(16, 8 + 5), 0);
    const uint8_t layer = uint8_t(s.MainImage.Pixel(41, 24 + 5));
    Render(2);
    EXPECT_TRUE(s.LayerStripes);
    EXPECT_EQ(Pixels(s.LupeImage, 0, 10, 2, 2), (std::vector<uint8_t>{layer, layer, 0, 0}));
    s.LayerDisplayMode = false;
    Render(2);
    EXPECT_FALSE(s.LayerStripes);
    EXPECT_EQ(Pixels(s.LupeImage, 0, 10, 2, 2), std::vector<uint8_t>(4, layer));
}

} // namespace
