#include "views/OverviewGeometry.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(OverviewGeometry, ExposedAreaMapsExactlyAtEveryScale) {
    // 3x: screen 7..20 shows image 2..6 (screen 6..21 once rounded to whole image pixels).
    OverviewPaintArea a = OverviewExposedArea({7, 7, 20, 20}, 48, 100, 100);
    ASSERT_FALSE(a.Empty);
    EXPECT_EQ(a.Source, (IntRect{2, 2, 7, 7}));
    EXPECT_EQ(a.Target, (IntRect{6, 6, 21, 21}));
    // 1/4: screen 7..9 shows image 28..36.
    a = OverviewExposedArea({7, 0, 9, 1}, 4, 100, 100);
    EXPECT_EQ(a.Source, (IntRect{28, 0, 36, 4}));
    EXPECT_EQ(a.Target, (IntRect{7, 0, 9, 1}));
    // 1/4 of a 10-pixel image shows 2 screen pixels (8 image pixels); beyond is nothing.
    a = OverviewExposedArea({0, 0, 50, 50}, 4, 10, 10);
    EXPECT_EQ(a.Source, (IntRect{0, 0, 8, 8}));
    EXPECT_TRUE(OverviewExposedArea({2, 2, 50, 50}, 4, 10, 10).Empty);
}

TEST(OverviewGeometry, HugeImageOnlyTouchesTheExposedPart) {
    OverviewPaintArea a = OverviewExposedArea({89000, 89000, 89300, 89200}, 48, 30000, 30000);
    EXPECT_EQ(a.Source.Right - a.Source.Left, 101);
    EXPECT_EQ(a.Source.Bottom, 29734);
}

TEST(OverviewGeometry, ScreenRectCoversPartialPixels) {
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 4), (IntRect{1, 1, 2, 3}));
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 32), (IntRect{10, 10, 14, 18}));
}

TEST(OverviewGeometry, FramesFollowTheCellsAndTheCopyRange) {
    EditorState s;
    s.CharLeft = 32;
    s.CharTop = 64;
    s.CharWidth = s.CharHeight = 32;
    s.LayerLeft = 8;
    s.LayerTop = 0;
    OverviewFrames f = ComputeOverviewFrames(s, 32);
    EXPECT_EQ(f.Cell.Corners, (IntRect{62, 126, 64 + 64 + 1, 128 + 64 + 1}));
    EXPECT_EQ(f.Cell.PenWidth, 3);
    EXPECT_EQ(f.Layer.Corners, (IntRect{15, -1, 16 + 64, 64}));
    EXPECT_TRUE(f.Layer.Dotted);
    EXPECT_FALSE(f.Copy.Visible);

    s.CopyRangeState = 1;
    s.CopyLeft = 8;
    s.CopyTop = 8;
    s.CopyWidth = 24;
    s.CopyHeight = 16;
    f = ComputeOverviewFrames(s, 16);
    EXPECT_EQ(f.Copy.Corners, (IntRect{8, 8, 31, 23}));
    EXPECT_TRUE(f.Copy.Diagonals);

    s.CopyRangeState = 2;
    s.CopyImage.SetSize(24, 16, 8);
    f = ComputeOverviewFrames(s, 8);
    EXPECT_EQ(f.Copy.Corners, (IntRect{2, 2, 4 + 12 + 1, 4 + 8 + 1}));
    EXPECT_EQ(f.CopyImageTarget, (IntRect{4, 4, 16, 12}));
}

TEST(OverviewGeometry, LupeCopyOverlayInViewPixels) {
    EditorState s;
    s.Magnification = 4;
    s.CharLeft = 16;
    s.CharTop = 16;
    s.CopyLeft = 20;
    s.CopyTop = 16;
    s.CopyWidth = 8;
    s.CopyHeight = 4;
    EXPECT_FALSE(ComputeLupeCopyOverlay(s).Frame.Visible);
    s.CopyRangeState = 1;
    LupeCopyOverlay o = ComputeLupeCopyOverlay(s);
    EXPECT_EQ(o.Frame.Corners, (IntRect{16, 0, 47, 15}));
    s.CopyRangeState = 2;
    o = ComputeLupeCopyOverlay(s);
    EXPECT_EQ(o.Frame.Corners, (IntRect{14, -2, 49, 17}));
    EXPECT_EQ(o.CopyImageTarget, (IntRect{16, 0, 48, 16}));
}
