#include "FormHooks.h"
#include "views/AllForm.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QComboBox>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// Paints the exposed part of the overview's whole virtual bitmap into an image of grey 1.
QImage Paint(TAllForm& all, int size, QRect exposed) {
    QImage out(size, size, QImage::Format_RGB32);
    out.fill(qRgb(1, 1, 1));
    QPainter p(&out);
    all.AllScroll()->OnPaint(p, exposed);
    return out;
}

} // namespace

// At "3倍" every screen pixel away from the frames shows image pixel (x / 3, y / 3), and an
// exposed strip paints only the screen pixels of its image pixels. Clicks choose the cells;
// an invalidated image rectangle repaints its scaled area.
TEST(AllForm, PaintsScaledExposedPartsAndClicksChooseTheCells) {
    FormsFixture f(256, 32, 4);
    f.s.OverviewPower = 48;
    const QImage shot = Paint(*f.all, 192, QRect(0, 0, 192, 192));
    for (int y = 110; y < 192; ++y)
        for (int x = 110; x < 192; ++x) {
            const int v = 100 + (x / 3 + y / 3) % 8;
            ASSERT_EQ(shot.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
        }
    const QImage strip = Paint(*f.all, 192, QRect(120, 150, 5, 7)); // image columns 40..41
    for (QPoint p : {QPoint(119, 150), QPoint(126, 150), QPoint(120, 147)})
        EXPECT_EQ(strip.pixel(p), qRgb(1, 1, 1)) << p.x() << "," << p.y();
    EXPECT_EQ(strip.pixel(125, 158), shot.pixel(125, 158));

    f.all->resize(600, 600);
    f.all->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.all.get()));
    TmogPaintBox* box = f.all->AllScroll()->PaintBox();
    // At "2倍" image pixel (100, 170) is screen (200, 340), in the cell at (96, 160).
    f.all->PowerCombo()->setCurrentIndex(3);
    QApplication::processEvents();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(200, 340));
    EXPECT_EQ((std::array{f.s.CharLeft, f.s.CharTop}), (std::array{96, 160}));
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(80, 140));
    EXPECT_EQ((std::array{f.s.LayerLeft, f.s.LayerTop}), (std::array{32, 64}));
    QApplication::processEvents();
    std::vector<QRect> painted;
    box->OnPaint = [&, paint = box->OnPaint](QPainter& p, const QRect& r) {
        painted.push_back(r);
        paint(p, r);
    };
    f.all->InvalidateImageRect(5, 6, 7, 9);
    f.all->UpdateNow();
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back(), QRect(10, 12, 4, 6));
}
