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

// Paints the exposed part of the overview's whole virtual bitmap into an image of `fill`.
QImage Paint(TAllForm& all, QSize size, QRect exposed, QRgb fill = qRgb(1, 2, 3)) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(fill);
    QPainter p(&out);
    all.AllScroll()->OnPaint(p, exposed);
    return out;
}

} // namespace

TEST(AllForm, ScalesNearestPixelAndDrawsOnlyTheExposedPart) {
    FormsFixture f;
    f.s.OverviewPower = 48; // as the scale choice "3倍" leaves it
    const QImage shot = Paint(*f.all, QSize(192, 192), QRect(0, 0, 192, 192));
    // Far from the frames every screen pixel shows image pixel (x / 3, y / 3).
    for (int y = 90; y < 192; ++y)
        for (int x = 90; x < 192; ++x) {
            const int v = 100 + (x / 3 + y / 3) % 8;
            ASSERT_EQ(shot.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
        }
    // The exposed strip paints only its image pixels: image columns 40..41 are screen 120..125.
    const QImage strip = Paint(*f.all, QSize(192, 192), QRect(120, 150, 5, 7));
    for (QPoint p : {QPoint(119, 150), QPoint(126, 150), QPoint(120, 147)})
        EXPECT_EQ(strip.pixel(p), qRgb(1, 2, 3)) << p.x() << "," << p.y();
    EXPECT_EQ(strip.pixel(120, 150), shot.pixel(120, 150));
    EXPECT_EQ(strip.pixel(125, 158), shot.pixel(125, 158));
}

TEST(AllForm, CellFrameIsInvertedAndVisibleOnDarkAndLightImages) {
    FormsFixture f;
    f.s.CharLeft = f.s.CharTop = 16;
    f.s.LayerLeft = f.s.LayerTop = 32;
    f.s.OverviewPower = 16;
    for (uint8_t fill : {0, 255}) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                f.s.MainImage.SetPixel(x, y, fill);
        const QImage shot = Paint(*f.all, QSize(64, 64), QRect(0, 0, 64, 64));
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

TEST(AllForm, ClicksNavigateAndInvalidatedImageAreasRepaintScaled) {
    FormsFixture f(256, 32, 4);
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
