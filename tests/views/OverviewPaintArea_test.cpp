#include "views/OverviewPaintArea.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(OverviewPaintArea, ExposedAreaMapsExactlyAtEveryScale) {
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

TEST(OverviewPaintArea, HugeImageOnlyTouchesTheExposedPart) {
    OverviewPaintArea a = OverviewExposedArea({89000, 89000, 89300, 89200}, 48, 30000, 30000);
    EXPECT_EQ(a.Source.Right - a.Source.Left, 101);
    EXPECT_EQ(a.Source.Bottom, 29734);
}

TEST(OverviewPaintArea, ScreenRectCoversPartialPixels) {
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 4), (IntRect{1, 1, 2, 3}));
    EXPECT_EQ(OverviewScreenRect({5, 5, 7, 9}, 32), (IntRect{10, 10, 14, 18}));
}
