#include "DrawFixture.h"
#include "draw/LupeRender.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

constexpr uint8_t kGrid = 9; // the palette entry nearest to the grid's grey
constexpr uint8_t kGridInverted = uint8_t(~kGrid);

// The magnified picture built the slow, obvious way: every magnified pixel from its cell,
// then the grid drawn line by line, every eighth line inverted once more.
TDIB Reference(const EditorState& s) {
    const int m = s.Magnification, w = s.CharWidth, h = s.CharHeight;
    TDIB out(w * m, h * m, 8);
    const bool special = s.LayerActive && s.LayerDisplayMode && s.LayerMethod == 0 && m >= 2;
    for (int y = 0; y < h * m; ++y)
        for (int x = 0; x < w * m; ++x) {
            const int cx = x / m, cy = y / m;
            const uint8_t edited = uint8_t(s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy));
            const uint8_t composite = uint8_t(s.LayerImage.Pixel(cx, cy));
            uint8_t v = s.LayerActive ? composite : edited;
            if (special && (y - cy * m) % 2 == 1) {
                if (s.LayerBelow) {
                    v = edited == s.TransColor ? s.TransColor : composite;
                } else {
                    const uint8_t layer =
                        uint8_t(s.MainImage.Pixel(s.LayerLeft + cx, s.LayerTop + cy));
                    v = layer != s.TransColor ? layer : edited;
                }
            } else if (special && !s.LayerBelow) {
                v = edited;
            }
            out.SetPixel(x, y, v);
        }
    if (!GridShown(s))
        return out;
    for (int k = 0; k < h; ++k)
        for (int x = 0; x < w * m; ++x)
            out.SetPixel(x, k * m, kGrid);
    for (int k = 0; k < w; ++k)
        for (int y = 0; y < h * m; ++y)
            out.SetPixel(k * m, y, kGrid);
    for (int k = 0; k < h; k += 8)
        for (int x = 0; x < w * m; ++x)
            out.SetPixel(x, k * m, uint8_t(~out.Pixel(x, k * m)));
    for (int k = 0; k < w; k += 8)
        for (int y = 0; y < h * m; ++y)
            out.SetPixel(k * m, y, uint8_t(~out.Pixel(k * m, y)));
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
                        EXPECT_EQ(AllPixels(s.LupeImage), AllPixels(Reference(s)))
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
    EXPECT_EQ(AllPixels(s.LupeImage), AllPixels(Reference(s)));
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
    // Row 0 and column 0 are every-eighth lines: inverted, and grid again where they cross.
    EXPECT_EQ(s.LupeImage.Pixel(0, 0), kGrid);
    EXPECT_EQ(s.LupeImage.Pixel(1, 0), kGridInverted);
    EXPECT_EQ(s.LupeImage.Pixel(0, 1), kGridInverted);
    EXPECT_EQ(s.LupeImage.Pixel(24, 0), kGrid);         // column line 8 on row line 0
    EXPECT_EQ(s.LupeImage.Pixel(24, 3), kGridInverted); // column line 8 on row line 1
    EXPECT_EQ(s.LupeImage.Pixel(3, 24), kGridInverted); // row line 8

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
