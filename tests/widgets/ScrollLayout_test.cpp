#include "widgets/ScrollLayout.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

ScrollLayoutInput Frame(int w, int h, int bitmapW, int bitmapH, int chip = 1, int power = 16) {
    ScrollLayoutInput in;
    in.ClientWidth = w;
    in.ClientHeight = h;
    in.ViewType = 2;
    in.ChipSize = chip;
    in.Power = power;
    in.BitmapWidth = bitmapW;
    in.BitmapHeight = bitmapH;
    return in;
}

} // namespace

TEST(ScrollLayout, ExtentsAndStepsScaleButNeverVanish) {
    EXPECT_EQ(
        (std::array{BaseExtent(10, 8), BaseExtent(1, 8), BaseExtent(0, 8), BaseExtent(30000, 48)}),
        (std::array{5, 1, 0, 90000}));
    // 1 x 8 / 16 = 0 counts as 1.
    EXPECT_EQ((std::array{ChipStep(0, 16), ChipStep(1, 8), ChipStep(3, 32)}),
              (std::array{1, 1, 6}));
    EXPECT_EQ(ScreenToBitmap(7, 8), 14);
    EXPECT_EQ(ScreenToBitmap(-7, 32), -3); // truncates toward zero
    EXPECT_LT(WallpaperToBitmap(5, 20, 100, 300, 16), 0);
    EXPECT_LT(WallpaperToBitmap(19, 20, 100, 300, 32), 0);
    EXPECT_GE(WallpaperToBitmap(125, 20, 100, 300, 16), 300);
}

TEST(ScrollLayout, TooSmallFrameIsDisabledViewportIsWholeChipsUnlessTheBitmapFits) {
    // Two bars take 16 pixels; with chip 3 a 18-pixel frame has no room for a chip.
    ScrollLayout l = ComputeScrollLayout(Frame(18, 100, 50, 50, 3));
    EXPECT_FALSE(l.Enabled || l.H.Enabled);
    l = ComputeScrollLayout(Frame(19, 100, 50, 50, 3));
    EXPECT_TRUE(l.Enabled);
    // Four bars take twice the bar size.
    ScrollLayoutInput four = Frame(34, 100, 50, 50, 3);
    four.ViewType = 0;
    EXPECT_FALSE(ComputeScrollLayout(four).Enabled);

    // 100 - 16 = 84 pixels of room, chip 3: 84 is a multiple of 3 already; use 101 -> 85 -> 84.
    l = ComputeScrollLayout(Frame(101, 101, 300, 300, 3));
    EXPECT_TRUE(l.H.Enabled);
    EXPECT_EQ((std::array{l.H.Visible, l.H.Max, l.H.PageSize, MaxScrollPosition(l.H)}),
              (std::array{84, 99, 28, 72}));
    // The whole bitmap fits: its own width, not rounded, and no scrolling.
    l = ComputeScrollLayout(Frame(101, 101, 50, 50, 3));
    EXPECT_EQ(l.H.Visible, 50);
    EXPECT_FALSE(l.H.Enabled);
    // Centred in the area between the bars (two-bar layout has no offset).
    EXPECT_EQ(l.PanelLeft, (85 - 50) / 2);
}

TEST(ScrollLayout, LimitsAndMarginsShrinkTheViewport) {
    ScrollLayoutInput in = Frame(216, 216, 1000, 1000, 1);
    in.HSpace = 10;
    in.ViewHeight = 50;
    ScrollLayout l = ComputeScrollLayout(in);
    EXPECT_EQ((std::array{l.H.Visible, l.V.Visible}), (std::array{200 - 20, 50}));
    in.ViewType = 0; // four bars: offset by one bar
    l = ComputeScrollLayout(in);
    EXPECT_EQ((std::array{l.H.Visible, l.PanelLeft}), (std::array{184 - 20, 16 + 10}));
}

TEST(ScrollLayout, PartialLastChipShrinksTheViewportAtTheFarEnd) {
    // Bitmap 10 pixels, chip 3: chips 0..3, the last one 1 pixel wide. A 6-pixel viewport
    // (2 chips) at the far end shows pixels 6..9 only.
    ScrollLayoutInput in = Frame(22, 100, 10, 10, 3);
    ScrollLayout l = ComputeScrollLayout(in);
    EXPECT_EQ((std::array{l.H.Visible, l.H.Max, l.H.PageSize}), (std::array{6, 3, 2}));
    EXPECT_EQ(ClampScrollPosition(l.H, 9), 2);
    EXPECT_EQ(ClampScrollPosition(l.H, -4), 0);
    EXPECT_EQ(ViewportAt(l.H, 2, 10, 3), 4);
    EXPECT_EQ(ViewportAt(l.H, 1, 10, 3), 6);
}

TEST(ScrollLayout, ZoomChangeKeepsTheCentreChip) {
    ScrollLayoutInput in = Frame(216, 216, 1000, 1000, 1, 16);
    const ScrollLayout before = ComputeScrollLayout(in);
    const int s0 = ChipStep(1, 16);
    const int pos = 100 - before.H.Visible / 2 / s0;
    const int chip = CentreChip(before.H, pos, s0);
    EXPECT_EQ(chip, 100);
    in.Power = 32;
    ScrollLayout after = ComputeScrollLayout(in);
    const int s1 = ChipStep(1, 32);
    const int newPos = PositionForCentre(after.H, chip, s1);
    EXPECT_EQ(CentreChip(after.H, newPos, s1), 100);
}
