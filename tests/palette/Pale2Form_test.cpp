#include "PaletteForms.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

} // namespace

// Grey ramp palette: index i is grey i; the cell's top-left pixel holds index 100, shown in the
// magnifier (zoom 4) at 0..3 and in the overview at 1:1.
TEST(Pale2Form, SetIsOneUndoStepShownEverywhereCancelRestores) {
    vallo::test::PaletteForms f;
    f.s.DrawColor = 100;
    QRgb previewed = 0;
    f.WhileOpen(f.pale->Change, [&] {
        EXPECT_EQ(f.pale2->LEdit->text(), "200"); // grey 100: L = 2 x 100
        Type(f.pale2->REdit, "200");
        Type(f.pale2->GEdit, "10");
        Type(f.pale2->BEdit, "20");
        EXPECT_EQ(f.pale2->HEdit->text(), "762"); // (10 - 20) x 128 div 190 + 768
        previewed = f.Magnifier(2, 2);
        f.pale2->btSet->click();
    });
    EXPECT_EQ(previewed, qRgb(200, 10, 20));
    const RGBQuad set{20, 10, 200, 0};
    EXPECT_EQ(f.s.PaletteQuads[100], set);
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");
    EXPECT_EQ(f.Magnifier(2, 2), qRgb(200, 10, 20));
    EXPECT_EQ(f.Overview(30, 34), qRgb(200, 10, 20));

    f.WhileOpen(f.pale->Change, [&] {
        Type(f.pale2->HEdit, "256"); // green, as bright and saturated
        previewed = f.Overview(30, 34);
        f.pale2->btCancel->click();
    });
    EXPECT_NE(previewed, qRgb(200, 10, 20));
    EXPECT_EQ(f.s.MainImage.ColorTable()[100], set);
    EXPECT_EQ(f.Overview(30, 34), qRgb(200, 10, 20));
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");
    Undo(f.s);
    EXPECT_EQ(f.s.MainImage.ColorTable()[100], (RGBQuad{100, 100, 100, 0}));
}

TEST(Pale2Form, BarsShowTheColourAndDragsWriteTheFields) {
    vallo::test::PaletteForms f;
    f.s.DrawColor = 255;
    f.pale2->Load();
    f.pale2->show();
    const QImage bars = f.pale2->Box1->grab().toImage();
    EXPECT_EQ(bars.pixel(63, 5), qRgb(255, 255, 255));                     // marker at 255 div 4
    EXPECT_EQ(bars.pixel(10, 5), f.s.BarBitmap.Pixel(10, 5) | 0xFF000000); // the red strip
    QTest::mousePress(f.pale2->Box2, Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseMove(f.pale2->Box2, QPoint(90, 30));
    QTest::mouseRelease(f.pale2->Box2, Qt::LeftButton, {}, QPoint(90, 30));
    EXPECT_EQ(f.pale2->LEdit->text(), "512");
}
