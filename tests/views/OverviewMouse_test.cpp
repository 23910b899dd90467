#include "draw/DrawFixture.h"
#include "views/LupeOverlay.h"
#include "views/OverviewFrames.h"
#include "views/OverviewMouse.h"
#include "views/OverviewPaintArea.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using namespace vallo::testing;
using enum vallo::MouseButton;

namespace {

// A 100 x 120 document with 32 x 32 cells moved in steps of 32.
struct OverviewTest : ::testing::Test {
    EditorState s;
    RecordingHooks hooks;
    void SetUp() override {
        s.Hooks = &hooks;
        s.MainImage.SetSize(100, 120, 8);
        s.ImageWidth = 100;
        s.ImageHeight = 120;
        s.CharWidth = s.CharHeight = 32;
        s.LupeStepX = s.LupeStepY = 32;
        s.Magnification = 2;
    }
    void Press(MouseButton b, int x, int y, bool shift = false, bool fromLupe = false) {
        AllBoxMouseDown(s, b, x, y, shift, fromLupe);
    }
    std::array<int, 2> Cell() const { return {s.CharLeft, s.CharTop}; }
    std::array<int, 2> Layer() const { return {s.LayerLeft, s.LayerTop}; }
};

std::string Describe(const FrameShape& f) {
    std::ostringstream o;
    o << (f.Visible ? "" : "hidden ") << f.X0 << "," << f.Y0 << " " << f.X1 << "," << f.Y1 << " w"
      << f.PenWidth << (f.Dotted ? " dotted" : "") << " mode" << int(f.Mode) << " #" << std::hex
      << f.Color;
    return o.str();
}
std::string Describe(const StretchShape& r) {
    return (r.Visible ? "" : "hidden ") + std::to_string(r.Left) + "," + std::to_string(r.Top) +
           " " + std::to_string(r.Right) + "," + std::to_string(r.Bottom);
}
std::string Describe(const SegmentShape& d) {
    return std::to_string(d.X0) + "," + std::to_string(d.Y0) + "-" + std::to_string(d.X1) + "," +
           std::to_string(d.Y1);
}

} // namespace

TEST_F(OverviewTest, ScaleChoiceSetsThePowerGeometryAndScreenToImage) {
    const int powers[5] = {4, 8, 16, 32, 48}, image[5] = {28, 14, 7, 3, 2};
    for (int i = 0; i < 5; ++i) {
        powerComboChange(s, i);
        EXPECT_EQ((std::array{s.OverviewPower, s.OverviewPowerIndex}), (std::array{powers[i], i}));
        int x = 7, y = 7;
        OverviewScreenToImage(s, x, y);
        EXPECT_EQ((std::array{x, y}), (std::array{image[i], image[i]})) << "item " << i;
        const OverviewGeometry g = ComputeOverviewGeometry(s);
        EXPECT_EQ(
            (std::array{g.BitmapWidth, g.BitmapHeight, g.ChipSize}),
            (std::array{100 * powers[i] / 16, 120 * powers[i] / 16, std::max(1, powers[i] / 16)}));
    }
    EXPECT_TRUE(hooks.Saw("OverviewZoom"));
    powerComboChange(s, 7); // no such item
    EXPECT_EQ(s.OverviewPower, 48);
}

TEST_F(OverviewTest, ClicksMoveTheEditedAndLayerCellsInWholeSteps) {
    s.Undo.UndoCoalesced = true;
    Press(Left, 45, 70);
    EXPECT_EQ(Cell(), (std::array{32, 64}));
    EXPECT_TRUE(!s.Undo.UndoCoalesced && hooks.Saw("Lupe") && !hooks.Saw("Extended"));
    // Off-image clicks are clamped onto the last column and row, and the cell stops so that it
    // fits (100 - 32 = 68); clicks on column 0 or row 0 (also clamped ones) move nothing.
    Press(Left, 500, 500);
    Press(Left, 0, 50);
    Press(Left, 50, -9);
    EXPECT_EQ(Cell(), (std::array{68, 88}));
    // Right and middle clicks choose the layer cell.
    Press(Right, 45, 70);
    EXPECT_EQ(Layer(), (std::array{32, 64}));
    Press(Middle, 99, 5);
    EXPECT_EQ(Layer(), (std::array{68, 0}));
    hooks.Calls.clear();
    Press(Right, 50, 0);
    EXPECT_TRUE(Layer() == (std::array{68, 0}) && !hooks.Saw("Lupe"));
    EXPECT_TRUE(hooks.Saw("Extended")); // the other views are refreshed in every case
    EXPECT_TRUE(hooks.Saw("TiledResize") && Cell() == (std::array{68, 88}));
    // At "1/4倍" screen (7, 7) is image (28, 28).
    powerComboChange(s, 0);
    s.LupeStepX = s.LupeStepY = 8;
    Press(Left, 7, 7);
    EXPECT_EQ(Cell(), (std::array{24, 24}));
}

TEST_F(OverviewTest, FramesInScreenCoordinatesAndTheMagnifierOverlay) {
    powerComboChange(s, 3); // 2x
    s.CharLeft = 32;
    s.CharTop = 64;
    s.LayerLeft = 64;
    s.CopyLeft = 8;
    s.CopyTop = 16;
    s.CopyWidth = 24;
    s.CopyHeight = 8;
    s.CopyRangeState = 1;
    OverviewFrames f = ComputeOverviewFrames(s);
    EXPECT_EQ(Describe(f.EditedCell), "62,126 129,193 w3 mode1 #0");
    EXPECT_EQ(Describe(f.LayerCell), "127,-1 192,64 w1 dotted mode2 #8000");
    EXPECT_EQ(Describe(f.CopyRange), "16,32 63,47 w1 dotted mode2 #0");
    EXPECT_TRUE(f.DiagonalsVisible);
    EXPECT_EQ(Describe(f.Diagonals[0]) + " " + Describe(f.Diagonals[1]), "16,32-63,47 16,47-63,32");
    EXPECT_EQ(Describe(f.CopyImage), "hidden 0,0 0,0");
    s.CopyRangeState = 2;
    s.CopyImage.SetSize(5, 3, 8);
    f = ComputeOverviewFrames(s);
    EXPECT_EQ(Describe(f.CopyRange), "14,30 65,49 w3 mode1 #0");
    EXPECT_FALSE(f.DiagonalsVisible);
    EXPECT_EQ(Describe(f.CopyImage), "16,32 26,38");
    s.CopyRangeState = 0;
    EXPECT_FALSE(ComputeOverviewFrames(s).CopyRange.Visible);
    // The magnifier at 4x with the cell at (32, 32): a range at (40, 24), 16 x 8.
    s.Magnification = 4;
    s.CharTop = 32;
    s.CopyLeft = 40;
    s.CopyTop = 24;
    s.CopyWidth = 16;
    s.CopyRangeState = 1;
    LupeCopyOverlay o = ComputeLupeCopyOverlay(s);
    EXPECT_EQ(Describe(o.Frame), "32,-32 95,-1 w1 dotted mode1 #0");
    EXPECT_FALSE(o.Image.Visible);
    s.CopyRangeState = 2;
    o = ComputeLupeCopyOverlay(s);
    EXPECT_EQ(Describe(o.Frame), "30,-34 97,1 w3 mode1 #0");
    EXPECT_EQ(Describe(o.Image), "32,-32 96,0");
    s.CopyRangeState = 0;
    EXPECT_FALSE(ComputeLupeCopyOverlay(s).Frame.Visible);
}

TEST(OverviewPaintArea, ScreenRectCoversPartialPixels) {
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 4), (IntRect{1, 1, 2, 3}));
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 32), (IntRect{10, 10, 14, 18}));
}
