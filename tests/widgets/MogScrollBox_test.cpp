#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace vallo;

// The frame's bars, mouse and painting work in bitmap pixels; the layout itself is the core's.
TEST(MogScrollBox, BarsMouseAndPaintUseBitmapCoordinates) {
    TMogScrollBox box;
    box.SetViewType(2);
    box.resize(116, 116); // 100 x 100 viewport room
    box.SetChipSize(3);
    box.SetBitmapWidth(300);
    box.SetBitmapHeight(50);
    EXPECT_TRUE(box.HorizontalBar()->isEnabled());
    EXPECT_FALSE(box.VerticalBar()->isEnabled());
    box.HorizontalBar()->setValue(1000); // clamps to the last page
    EXPECT_EQ(box.HorzPosition(), 100 - 33);
    EXPECT_EQ(box.PaintBox()->Origin(), QPoint(3 * 67, 0));

    box.resize(216, 216);
    box.SetChipSize(1);
    box.SetPower(8);
    box.SetBitmapWidth(1000);
    box.SetBitmapHeight(1000);
    box.HorizontalBar()->setValue(10);
    QRect painted;
    box.OnPaint = [&](QPainter&, const QRect& r) { painted = r; };
    std::tuple<MouseButton, int, int> got{};
    box.OnMouseDown = [&](MouseButton b, int x, int y, bool) { got = {b, x, y}; };
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mousePress(box.PaintBox(), Qt::RightButton, {}, QPoint(7, 5));
    // Half size: each screen pixel is two bitmap pixels.
    EXPECT_EQ(got, std::make_tuple(MouseButton::Right, (7 + 10) * 2, 10));
    box.InvalidateBase(QRect(20, 30, 4, 4));
    box.PaintBox()->repaint(QRect(10, 30, 4, 4));
    EXPECT_EQ(painted, QRect(20, 30, 4, 4)); // reported in base coordinates
}
