#include "draw/EngineFixture.h"
#include "views/LupeOverlay.h"
#include "views/OverviewFrames.h"
#include "views/OverviewMouse.h"

#include <gtest/gtest.h>

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

TEST_F(OverviewTest, FramesInScreenCoordinates) {
    Scale(3); // 2x
    s.CharLeft = 32;
    s.CharTop = 64;
    s.LayerLeft = 64;
    s.LayerTop = 0;
    s.CopyLeft = 8;
    s.CopyTop = 16;
    s.CopyWidth = 24;
    s.CopyHeight = 8;
    s.CopyRangeState = 1;
    OverviewFrames f = ComputeOverviewFrames(s);
    EXPECT_EQ(f.EditedCell.X0, 62);
    EXPECT_EQ(f.EditedCell.Y0, 126);
    EXPECT_EQ(f.EditedCell.X1, 64 + 64 + 1);
    EXPECT_EQ(f.EditedCell.Y1, 128 + 64 + 1);
    EXPECT_EQ(f.EditedCell.PenWidth, 3);
    EXPECT_EQ(f.LayerCell.X0, 127);
    EXPECT_EQ(f.LayerCell.Y0, -1);
    EXPECT_EQ(f.LayerCell.X1, 128 + 64);
    EXPECT_TRUE(f.LayerCell.Dotted);
    EXPECT_EQ(f.LayerCell.Color, 0x008000u);
    EXPECT_TRUE(f.CopyRange.Visible);
    EXPECT_TRUE(f.CopyRange.Dotted);
    EXPECT_EQ(f.CopyRange.X0, 16);
    EXPECT_EQ(f.CopyRange.X1, 16 + 48 - 1);
    EXPECT_EQ(f.CopyRange.Y1, 32 + 16 - 1);
    EXPECT_TRUE(f.DiagonalsVisible);
    EXPECT_EQ(f.Diagonals[1].Y0, 47);
    EXPECT_EQ(f.Diagonals[1].Y1, 32);
    EXPECT_FALSE(f.CopyImage.Visible);

    s.CopyRangeState = 2;
    s.CopyImage.SetSize(5, 3, 8);
    f = ComputeOverviewFrames(s);
    EXPECT_EQ(f.CopyRange.X0, 14);
    EXPECT_EQ(f.CopyRange.X1, 16 + 48 + 1);
    EXPECT_EQ(f.CopyRange.PenWidth, 3);
    EXPECT_FALSE(f.DiagonalsVisible);
    EXPECT_EQ(f.CopyImage.Left, 16);
    EXPECT_EQ(f.CopyImage.Right, 26);
    EXPECT_EQ(f.CopyImage.Bottom, 38);
    s.CopyRangeState = 0;
    EXPECT_FALSE(ComputeOverviewFrames(s).CopyRange.Visible);
}

TEST_F(OverviewTest, MagnifierOverlayOfTheCopyRange) {
    s.Magnification = 4;
    s.CharLeft = 32;
    s.CharTop = 32;
    s.CopyLeft = 40;
    s.CopyTop = 24;
    s.CopyWidth = 16;
    s.CopyHeight = 8;
    s.CopyRangeState = 1;
    LupeCopyOverlay o = ComputeLupeCopyOverlay(s);
    EXPECT_TRUE(o.Frame.Visible);
    EXPECT_TRUE(o.Frame.Dotted);
    EXPECT_EQ(o.Frame.X0, 32);
    EXPECT_EQ(o.Frame.Y0, -32);
    EXPECT_EQ(o.Frame.X1, 95);
    EXPECT_EQ(o.Frame.Y1, -1);
    EXPECT_FALSE(o.Image.Visible);
    s.CopyRangeState = 2;
    o = ComputeLupeCopyOverlay(s);
    EXPECT_EQ(o.Frame.PenWidth, 3);
    EXPECT_EQ(o.Frame.X0, 30);
    EXPECT_EQ(o.Frame.Y1, 1);
    EXPECT_EQ(o.Image.Left, 32);
    EXPECT_EQ(o.Image.Right, 96);
    EXPECT_EQ(o.Image.Bottom, 0);
    s.CopyRangeState = 0;
    EXPECT_FALSE(ComputeLupeCopyOverlay(s).Frame.Visible);
}

} // namespace
