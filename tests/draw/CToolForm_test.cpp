#include "draw/CToolForm.h"
#include "draw/ImageLayout.h"
#include "views/FormHooks.h"
#include "widgets/MogPaintBox.h"

#include <QClipboard>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

// The shared windows plus the copy tool, with the palette mirrored so that pastes can map
// clipboard colours onto it.
struct CToolFixture : test::FormsFixture {
    std::unique_ptr<TCToolForm> ctool;
    CToolFixture() {
        ctool = std::make_unique<TCToolForm>(s, w, nullptr);
        w.CToolForm = ctool.get();
        PropagatePalette(s);
        ApplyImageSize(s);
    }
    ~CToolFixture() { w.CToolForm = nullptr; }
};

} // namespace

TEST(CToolForm, ClipboardRoundTripKeepsEveryIndexAndPreviewShowsTheBuffer) {
    CToolFixture f;
    f.ctool->SizeItem(1)->click();
    EXPECT_EQ(f.s.CopyStepX, 2);
    f.s.CharLeft = 16;
    f.s.CharTop = 32;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            f.s.MainImage.SetPixel(16 + x, 32 + y, uint32_t(y * 16 + x));
    f.ctool->btCopy->click();
    const QImage onClipboard = QGuiApplication::clipboard()->image();
    ASSERT_EQ(onClipboard.format(), QImage::Format_Indexed8);
    ASSERT_EQ(onClipboard.size(), QSize(16, 16));
    EXPECT_EQ(onClipboard.pixelIndex(3, 5), 5 * 16 + 3);
    EXPECT_EQ(onClipboard.color(200), qRgb(200, 200, 200));

    f.s.CopyImage.SetSize(1, 1, 8);
    f.ctool->btPaste->click();
    EXPECT_EQ(f.s.CopyRangeState, 2);
    EXPECT_EQ(f.s.CopyWidth, 16);
    ASSERT_EQ(f.s.CopyImage.Width(), 16);
    ASSERT_EQ(f.s.CopyImage.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(f.s.CopyImage.Pixel(x, y), uint32_t(y * 16 + x)) << x << "," << y;

    // State 2 shows the buffer at 1:1; the rest of the box is background.
    const QImage shot = f.ctool->Box->grab().toImage();
    EXPECT_EQ(shot.pixel(7, 9), qRgb(9 * 16 + 7, 9 * 16 + 7, 9 * 16 + 7));
    EXPECT_EQ(shot.pixel(15, 15), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(20, 20), f.ctool->palette().color(QPalette::Window).rgb());
}

TEST(CToolForm, TrueColourClipboardImageIsReducedAndPasted) {
    CToolFixture f;
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    QGuiApplication::clipboard()->setImage(picture);
    f.ctool->btPaste->click();
    ASSERT_EQ(f.s.CopyImage.Width(), 3);
    ASSERT_EQ(f.s.CopyImage.Height(), 2);
    // Two colours stay two distinct document indices.
    EXPECT_NE(f.s.CopyImage.Pixel(1, 1), f.s.CopyImage.Pixel(0, 0));
    EXPECT_EQ(f.s.CopyImage.Pixel(2, 1), f.s.CopyImage.Pixel(0, 0));
}

TEST(CToolForm, CopyIsDisabledAndDoesNothingWhileARangeIsChosen) {
    CToolFixture f;
    QGuiApplication::clipboard()->clear();
    for (int state : {1, 2, 0}) {
        f.s.CopyRangeState = state;
        f.s.Hooks->RepaintCopyPreview();
        EXPECT_EQ(f.ctool->btCopy->isEnabled(), state != 1) << state;
        if (state == 1)
            f.ctool->btCopyClick();
    }
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}
