#include "draw/CToolForm.h"
#include "draw/EToolForm.h"
#include "draw/ImageLayout.h"
#include "draw/LayForm.h"
#include "draw/ToolForm.h"
#include "draw/Undo.h"
#include "views/FormHooks.h"
#include "widgets/MogPaintBox.h"

#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;

TEST(ToolForm, ControlsSetTheChoicesAndTheWindowStays) {
    test::FormsFixture f;
    TToolForm& t = *f.tool;
    t.DitherButton(1)->click();
    t.GridButton()->click();
    EXPECT_TRUE(f.s.DitherMode == 1 && f.s.LupeGrid);
    QTest::mouseClick(t.PenImages(), Qt::LeftButton, {}, QPoint(399, 10));
    EXPECT_EQ(f.s.PenSize, 20);
    // The size box applies on the keystroke that makes its text a valid size.
    QComboBox* box = t.SizeBox();
    box->setEditText("");
    QTest::keyClicks(box, "32x2");
    EXPECT_EQ(f.s.CharHeight, 16);
    QTest::keyClicks(box, "4");
    EXPECT_EQ((std::array{f.s.CharWidth, f.s.CharHeight}), (std::array{32, 24}));
    t.show();
    EXPECT_TRUE(!t.close() && t.isVisible());
}

TEST(EToolForm, ButtonsShiftAndFlipTheEditedCell) {
    test::FormsFixture f;
    InitUndo(f.s, 31);
    TEToolForm e(f.s, f.w, nullptr);
    f.w.EToolForm = &e;
    const uint32_t first = f.s.MainImage.Pixel(0, 5);
    e.btLeft->click();
    EXPECT_EQ(f.s.MainImage.Pixel(15, 5), first); // wrapped round within the cell
    EXPECT_EQ(f.s.MainImage.Pixel(16, 5), 100u + (16 + 5) % 8);
    e.btRight->click(); // a run of shifts is one step
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    e.btRev1->click();
    EXPECT_EQ(f.s.MainImage.Pixel(4, 0), 100u + (4 + 15) % 8);
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 2");
    f.w.EToolForm = nullptr;
}

TEST(LayForm, ControlsSetTheFieldsShowThemAndMergeAsOneStep) {
    test::FormsFixture f;
    TLayForm l(f.s, f.w, nullptr);
    f.w.LayForm = &l;
    InitUndo(f.s, 31);
    f.s.LayerLeft = 16; // the layer cell right of the edited cell holds index 7
    for (int i = 0; i < 256; ++i)
        f.s.MainImage.SetPixel(16 + i % 16, i / 16, 7);
    l.btLay->click();
    l.btUE->click();
    l.GouseiItem(2)->click();
    l.TougouItem(1)->click();
    EXPECT_TRUE(f.s.LayerActive && !f.s.LayerBelow);
    EXPECT_EQ((std::array{f.s.LayerMethod, f.s.LayerMergeTarget}), (std::array{2, 1}));
    f.s.LayerMergeTarget = 0; // shown again, the window reflects the fields
    l.show();
    EXPECT_TRUE(l.TougouItem(0)->isChecked());

    // The layer lies over the edited cell and hides it completely; merged into the edited cell.
    l.GouseiItem(0)->click();
    l.ToukaItem(0)->click();
    EXPECT_FALSE(f.s.LayerSeeThrough);
    l.btLayTOUGOU->click();
    EXPECT_EQ(f.s.MainImage.Pixel(3, 2), 7u);
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    f.w.LayForm = nullptr;
}

TEST(CToolForm, ClipboardRoundTripKeepsEveryIndexAndTrueColourIsReduced) {
    test::FormsFixture f;
    TCToolForm c(f.s, f.w, nullptr);
    f.w.CToolForm = &c;
    PropagatePalette(f.s); // pastes map clipboard colours onto the palette
    f.s.CharTop = 32;
    for (int i = 0; i < 256; ++i)
        f.s.MainImage.SetPixel(i % 16, 32 + i / 16, uint32_t(i));
    c.btCopy->click();
    const QImage onClipboard = QGuiApplication::clipboard()->image();
    ASSERT_EQ(onClipboard.format(), QImage::Format_Indexed8);
    ASSERT_EQ(onClipboard.size(), QSize(16, 16));
    EXPECT_EQ(onClipboard.pixelIndex(3, 5), 5 * 16 + 3);
    EXPECT_EQ(onClipboard.color(200), qRgb(200, 200, 200));

    f.s.CopyImage.SetSize(1, 1, 8);
    c.btPaste->click();
    EXPECT_EQ(f.s.CopyRangeState, 2);
    ASSERT_EQ(f.s.CopyImage.Height(), 16);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(f.s.CopyImage.Pixel(i % 16, i / 16), uint32_t(i)) << i;
    // State 2 shows the buffer at 1:1; the rest of the box is background.
    const QImage shot = c.Box->grab().toImage();
    EXPECT_EQ(shot.pixel(7, 9), qRgb(9 * 16 + 7, 9 * 16 + 7, 9 * 16 + 7));
    EXPECT_EQ(shot.pixel(20, 20), c.palette().color(QPalette::Window).rgb());

    // A true-colour picture: its two colours become two distinct document indices.
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    QGuiApplication::clipboard()->setImage(picture);
    c.btPaste->click();
    ASSERT_EQ(f.s.CopyImage.Width(), 3);
    EXPECT_NE(f.s.CopyImage.Pixel(1, 1), f.s.CopyImage.Pixel(0, 0));
    EXPECT_EQ(f.s.CopyImage.Pixel(2, 1), f.s.CopyImage.Pixel(0, 0));
    f.w.CToolForm = nullptr;
}
