#include "draw/EngineFixture.h"
#include "views/LupeOverlay.h"
#include "views/OverviewFrames.h"
#include "views/OverviewMouse.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using namespace vallo::enginetest;

namespace {

class OverviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Hooks = &hooks;
        s.MainImage.SetSize(100, 120, 8);
        s.ImageWidth = 100;
        s.ImageHeight = 120;
        s.CharWidth = s.CharHeight = 32;
        s.LupeStepX = s.LupeStepY = 32;
        s.Magnification = 2;
    }
    void Scale(int item) { powerComboChange(s, item); }

    EditorState s;
    RecordingHooks hooks;
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

TEST_F(OverviewTest, ScaleChoiceSetsThePowerAndAsksForTheZoom) {
    const int powers[5] = {4, 8, 16, 32, 48};
    for (int i = 0; i < 5; ++i) {
        Scale(i);
        EXPECT_EQ(s.OverviewPower, powers[i]);
        EXPECT_EQ(s.OverviewPowerIndex, i);
    }
    EXPECT_TRUE(hooks.Saw("OverviewZoom"));
    Scale(7); // no such item
    EXPECT_EQ(s.OverviewPower, 48);
    Scale(0);
    OverviewGeometry g = ComputeOverviewGeometry(s);
    EXPECT_EQ(g.BitmapWidth, 25);
    EXPECT_EQ(g.BitmapHeight, 30);
    EXPECT_EQ(g.ChipSize, 1);
    Scale(4);
    g = ComputeOverviewGeometry(s);
    EXPECT_EQ(g.BitmapWidth, 300);
    EXPECT_EQ(g.ChipSize, 3);
}

TEST_F(OverviewTest, ScreenPositionsConvertAtEveryScale) {
    const int want[5] = {28, 14, 7, 3, 2};
    for (int i = 0; i < 5; ++i) {
        Scale(i);
        int x = 7, y = 7;
        OverviewScreenToImage(s, x, y);
        EXPECT_EQ(x, want[i]) << "item " << i;
        EXPECT_EQ(y, want[i]) << "item " << i;
    }
}

TEST_F(OverviewTest, LeftClickMovesTheEditedCellInWholeSteps) {
    s.Undo.UndoCoalesced = true;
    AllBoxMouseDown(s, MouseButton::Left, 45, 70, false, false);
    EXPECT_EQ(s.CharLeft, 32);
    EXPECT_EQ(s.CharTop, 64);
    EXPECT_FALSE(s.Undo.UndoCoalesced);
    EXPECT_TRUE(hooks.Saw("Lupe"));
    EXPECT_FALSE(hooks.Saw("Extended"));
    // Near the right edge the cell stops so that it fits: 100 - 32 = 68. Off-image clicks are
    // clamped onto the last column and row first.
    AllBoxMouseDown(s, MouseButton::Left, 500, 500, false, false);
    EXPECT_EQ(s.CharLeft, 68);
    EXPECT_EQ(s.CharTop, 88);
    // Clicks on column 0 or row 0 (also clamped ones) move nothing.
    AllBoxMouseDown(s, MouseButton::Left, 0, 50, false, false);
    AllBoxMouseDown(s, MouseButton::Left, 50, -9, false, false);
    EXPECT_EQ(s.CharLeft, 68);
    EXPECT_EQ(s.CharTop, 88);
    // At "1/4倍" screen (7, 7) is image (28, 28).
    Scale(0);
    s.LupeStepX = s.LupeStepY = 8;
    AllBoxMouseDown(s, MouseButton::Left, 7, 7, false, false);
    EXPECT_EQ(s.CharLeft, 24);
    EXPECT_EQ(s.CharTop, 24);
}

TEST_F(OverviewTest, RightAndMiddleClicksChooseTheLayerCell) {
    AllBoxMouseDown(s, MouseButton::Right, 45, 70, false, false);
    EXPECT_EQ(s.LayerLeft, 32);
    EXPECT_EQ(s.LayerTop, 64);
    EXPECT_EQ(s.CharLeft, 0);
    AllBoxMouseDown(s, MouseButton::Middle, 99, 5, false, false);
    EXPECT_EQ(s.LayerLeft, 68);
    EXPECT_EQ(s.LayerTop, 0);
    hooks.Calls.clear();
    AllBoxMouseDown(s, MouseButton::Right, 50, 0, false, false);
    EXPECT_EQ(s.LayerLeft, 68);
    EXPECT_FALSE(hooks.Saw("Lupe"));
    EXPECT_TRUE(hooks.Saw("Extended")); // the other views are refreshed in every case
    EXPECT_TRUE(hooks.Saw("TiledResize"));
}

TEST_F(OverviewTest, RangeToolTakesPressesUnlessShiftIsHeld) {
    s.CurrentTool = 7;
    s.CopySizeChoice = 2;
    AllBoxMouseDown(s, MouseButton::Left, 10, 10, false, false);
    EXPECT_EQ(s.CopyRangeState, 1);
    AllBoxMouseMove(s, 30, 20, false, false);
    EXPECT_EQ(s.CopyLeft, 8);
    EXPECT_EQ(s.CopyTop, 8);
    EXPECT_EQ(s.CopyWidth, 24);
    EXPECT_EQ(s.CopyHeight, 16);
    AllBoxMouseDown(s, MouseButton::Middle, 50, 50, false, false); // nothing
    EXPECT_EQ(s.CopyRangeState, 1);
    EXPECT_EQ(s.LayerLeft, 0);
    AllBoxMouseDown(s, MouseButton::Left, 50, 50, true, false); // Shift: navigates
    EXPECT_EQ(s.CopyRangeState, 1);
    EXPECT_EQ(s.CharLeft, 32);
    AllBoxMouseDown(s, MouseButton::Right, 50, 50, false, false);
    EXPECT_EQ(s.CopyRangeState, 0);
}

TEST_F(OverviewTest, MovesFromTheMagnifierAreNotClampedButPressesAre) {
    s.CurrentTool = 7;
    s.CopySizeChoice = 2;
    s.CopyRangeState = 2;
    s.CopyImage.SetSize(8, 8, 8);
    AllBoxMouseMove(s, -20, 300, false, true);
    EXPECT_EQ(s.CopyLeft, -16);
    EXPECT_EQ(s.CopyTop, 296);
    AllBoxMouseMove(s, -20, 300, false, false);
    EXPECT_EQ(s.CopyLeft, 0);
    EXPECT_EQ(s.CopyTop, 112);
    // A press from the magnifier beyond the image pastes at the last step cell, cut.
    AllBoxMouseDown(s, MouseButton::Left, 400, 400, false, true);
    EXPECT_EQ(s.CopyRangeState, 0);
}

TEST_F(OverviewTest, FramesInScreenCoordinatesAndTheMagnifierOverlay) {
    Scale(3); // 2x
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

} // namespace
