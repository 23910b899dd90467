#include "PaletteForms.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace vallo;

// The overview paints the preview while the dialog is open; "キャンセル" puts the committed
// colours back on screen, and the bars stay where they were for the next opening.
TEST(ColorsForm, PreviewIsWhatTheOverviewPaintsCancelRestoresIt) {
    vallo::test::PaletteForms f;
    const ColorTableArray before = f.s.PaletteQuads;
    QRgb previewed = 0;
    f.WhileOpen(f.pale->Colors, [&] {
        f.colors->Bars[0]->setValue(100);
        f.colors->Bars[2]->setValue(-7);
        EXPECT_EQ(f.colors->Edits[0]->text(), "100%");
        EXPECT_EQ(f.colors->Edits[2]->text(), "-7%");
        f.colors->Button3->click();
        previewed = f.Overview(30, 34);
        f.colors->Button2->click();
    });
    EXPECT_EQ(previewed, qRgb(255, 100, 83)); // grey 100: red + 255, blue - 17
    EXPECT_EQ(f.Overview(30, 34), qRgb(100, 100, 100));
    EXPECT_EQ(f.s.MainImage.ColorTable(), before);
    EXPECT_EQ(UndoCaption(f.s), "Undo 0");
}
