#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace vallo;

TEST(MogScrollBox, BitmapSizeZoomAndScrollingInChips) {
    TMogScrollBox box;
    box.SetViewType(2);
    box.resize(116, 116); // 100 x 100 viewport room
    box.SetChipSize(3);
    box.SetBitmapWidth(300);
    box.SetBitmapHeight(50);
    EXPECT_EQ(box.ScrollClientWidth(), 99);  // whole chips
    EXPECT_EQ(box.ScrollClientHeight(), 50); // fits: not rounded
    EXPECT_TRUE(box.HorizontalBar()->isEnabled());
    EXPECT_FALSE(box.VerticalBar()->isEnabled());

    box.HorizontalBar()->setValue(1000); // clamps to the last page
    EXPECT_EQ(box.HorzPosition(), 100 - 33);
    EXPECT_EQ(box.PaintBox()->Origin(), QPoint(3 * 67, 0));
}

TEST(MogScrollBox, MouseAndPaintUseBitmapCoordinates) {
    TMogScrollBox box;
    box.SetViewType(2);
    box.resize(216, 216);
    box.SetChipSize(1);
    box.SetPower(8);
    box.SetBitmapWidth(1000);
    box.SetBitmapHeight(1000);
    box.HorizontalBar()->setValue(10);
    QRect painted;
    box.OnPaint = [&](QPainter&, const QRect& r) { painted = r; };
    int gotX = -1, gotY = -1;
    MouseButton gotButton = MouseButton::Left;
    box.OnMouseDown = [&](MouseButton b, int x, int y, bool) {
        gotButton = b;
        gotX = x;
        gotY = y;
    };
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mousePress(box.PaintBox(), Qt::RightButton, {}, QPoint(7, 5));
    EXPECT_EQ(gotButton, MouseButton::Right);
    EXPECT_EQ(gotX, (7 + 10) * 2); // half size: each screen pixel is two bitmap pixels
    EXPECT_EQ(gotY, 10);
    box.InvalidateBase(QRect(20, 30, 4, 4));
    box.PaintBox()->repaint(QRect(10, 30, 4, 4));
    EXPECT_EQ(painted, QRect(20, 30, 4, 4)); // reported in base coordinates
}

TEST(MogScrollBox, TooSmallFrameIsDisabledAndPowerKeepsTheCentre) {
    TMogScrollBox box;
    box.SetViewType(2);
    box.resize(17, 17);
    box.SetChipSize(4);
    box.SetBitmapWidth(100);
    EXPECT_FALSE(box.isEnabled());
    box.resize(216, 216);
    box.SetBitmapWidth(1000);
    box.SetBitmapHeight(1000);
    EXPECT_TRUE(box.isEnabled());
    box.SetChipSize(1);
    box.SetPositions(50, 0); // centre chip 150 at a 200-pixel viewport
    box.SetPower(32);
    const ScrollAxis& h = box.Layout().H;
    EXPECT_EQ(CentreChip(h, box.HorzPosition(), box.ChipStepPixels()), 150);
}

TEST(MogScrollBox, PopupPowerCanBeChangedByTheOwner) {
    TMogScrollBox box;
    box.resize(200, 200);
    box.SetBitmapWidth(100);
    box.OnPowerChange = [](int& v) { v = v > 32 ? 32 : v; };
    box.PowerClick(64);
    EXPECT_EQ(box.Power(), 32);
    box.ViewClick(1);
    EXPECT_EQ(box.ViewType(), 1);
}
