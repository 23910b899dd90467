#include "FormHooks.h"
#include "views/AllForm.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QComboBox>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// Paints the overview's whole virtual bitmap (not just the viewport) into an image.
QImage PaintWhole(TAllForm& all, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    all.AllScroll()->OnPaint(p, QRect(QPoint(0, 0), size));
    return out;
}

} // namespace

TEST(AllForm, ScalesNearestPixelAndDrawsOnlyTheExposedPart) {
    FormsFixture f;
    f.s.OverviewPower = 48; // as the scale choice "3倍" leaves it
    const QImage shot = PaintWhole(*f.all, QSize(192, 192));
    // Far from the frames every screen pixel shows image pixel (x / 3, y / 3).
    for (int y = 90; y < 192; ++y)
        for (int x = 90; x < 192; ++x) {
            const int v = 100 + (x / 3 + y / 3) % 8;
            ASSERT_EQ(shot.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
        }
    // An exposed strip paints only the screen pixels of the image pixels it touches (the paint
    // event's clip cuts the rest): image columns 40..41 are screen 120..125.
    QImage strip(192, 192, QImage::Format_RGB32);
    strip.fill(qRgb(1, 2, 3));
    QPainter p(&strip);
    f.all->AllScroll()->OnPaint(p, QRect(120, 150, 5, 7));
    p.end();
    EXPECT_EQ(strip.pixel(119, 150), qRgb(1, 2, 3));
    EXPECT_EQ(strip.pixel(126, 150), qRgb(1, 2, 3));
    EXPECT_EQ(strip.pixel(120, 147), qRgb(1, 2, 3));
    EXPECT_NE(strip.pixel(120, 150), qRgb(1, 2, 3));
    EXPECT_NE(strip.pixel(125, 158), qRgb(1, 2, 3));
}

TEST(AllForm, CellFrameIsInvertedAndVisibleOnDarkAndLightImages) {
    FormsFixture f;
    for (uint8_t fill : {0, 255}) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                f.s.MainImage.SetPixel(x, y, fill);
        f.s.CharLeft = 16;
        f.s.CharTop = 16;
        f.s.LayerLeft = 32;
        f.s.LayerTop = 32;
        f.s.OverviewPower = 16;
        const QImage shot = PaintWhole(*f.all, QSize(64, 64));
        const QRgb inverted = fill ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        // 3 pixels wide around (14, 14) - (33, 33).
        for (int d = 13; d <= 15; ++d) {
            EXPECT_EQ(shot.pixel(d, 24), inverted) << int(fill) << " " << d;
            EXPECT_EQ(shot.pixel(24, d), inverted);
        }
        EXPECT_EQ(shot.pixel(24, 24), qRgb(fill, fill, fill));
        // The layer frame's dots differ from the image under them.
        int differing = 0;
        for (int x = 31; x < 48; ++x)
            differing += shot.pixel(x, 31) != qRgb(fill, fill, fill);
        EXPECT_GE(differing, 6) << int(fill);
    }
}

TEST(AllForm, InvalidatingAnImageRectangleRepaintsItsScaledArea) {
    FormsFixture f;
    f.s.OverviewPower = 32;
    f.all->ApplyZoom();
    f.all->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.all.get()));
    QApplication::processEvents();
    std::vector<QRect> painted;
    TmogPaintBox* box = f.all->AllScroll()->PaintBox();
    auto original = box->OnPaint;
    box->OnPaint = [&](QPainter& p, const QRect& r) {
        painted.push_back(r);
        original(p, r);
    };
    f.all->InvalidateImageRect(5, 6, 7, 9);
    f.all->UpdateNow();
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back(), QRect(10, 12, 4, 6));
}

TEST(AllForm, NavigationAtEveryScale) {
    FormsFixture f(256, 32, 4);
    f.all->resize(600, 600);
    f.all->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.all.get()));
    QWidget* box = f.all->AllScroll()->PaintBox();
    // Screen position of image pixel (100, 170) at each scale, and the cell it selects.
    const struct {
        int index;
        QPoint screen;
    } cases[] = {{0, {25, 42}}, {1, {50, 85}}, {2, {100, 170}}, {3, {200, 340}}, {4, {300, 510}}};
    for (const auto& c : cases) {
        f.all->PowerCombo()->setCurrentIndex(c.index);
        QApplication::processEvents();
        f.all->AllScroll()->SetPositions(0, 0);
        QPoint at = c.screen;
        if (c.index == 4) {                          // 3x needs scrolling: 768 pixels tall
            f.all->AllScroll()->SetPositions(0, 50); // 50 chips of 3 pixels
            ASSERT_EQ(f.all->AllScroll()->VertPosition(), 50);
            at -= QPoint(0, 150);
        }
        f.s.CharLeft = f.s.CharTop = 0;
        QTest::mouseClick(box, Qt::LeftButton, {}, at);
        EXPECT_EQ(f.s.CharLeft, 96) << c.index;
        EXPECT_EQ(f.s.CharTop, 160) << c.index;
    }
    // A right click chooses the layer cell.
    f.all->PowerCombo()->setCurrentIndex(2);
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(40, 70));
    EXPECT_EQ(f.s.LayerLeft, 32);
    EXPECT_EQ(f.s.LayerTop, 64);
}
