#include "../views/FormHooks.h"
#include "draw/LayForm.h"
#include "draw/Undo.h"

#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;

TEST(LayForm, ControlsSetTheFieldsShowThemAndMergeAsOneStep) {
    test::FormsFixture f;
    TLayForm l(f.s, f.w, nullptr);
    f.w.LayForm = &l;
    InitUndo(f.s, 31);
    f.s.LayerLeft = 16; // the layer cell right of the edited cell holds index 7
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            f.s.MainImage.SetPixel(x, y, 7);
    l.btLay->click();
    l.btUE->click();
    l.GouseiItem(2)->click();
    l.TougouItem(1)->click();
    EXPECT_TRUE(f.s.LayerActive);
    EXPECT_FALSE(f.s.LayerBelow);
    EXPECT_EQ(f.s.LayerMethod, 2);
    EXPECT_EQ(f.s.LayerMergeTarget, 1);

    // Shown again, the window reflects the fields.
    f.s.LayerMethod = 0;
    f.s.LayerMergeTarget = 0;
    f.s.LayerSeeThrough = true;
    l.show();
    EXPECT_TRUE(l.GouseiItem(0)->isChecked());
    EXPECT_TRUE(l.TougouItem(0)->isChecked());
    EXPECT_TRUE(l.ToukaItem(1)->isChecked());

    // The layer lies over the edited cell and hides it completely; merged into the edited cell.
    l.ToukaItem(0)->click();
    EXPECT_FALSE(f.s.LayerSeeThrough);
    l.btLayTOUGOU->click();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(f.s.MainImage.Pixel(x, y), 7u) << x << "," << y;
    EXPECT_EQ(f.s.MainImage.Pixel(0, 16), 100u + 16 % 8); // below the cell: untouched
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    Undo(f.s);
    EXPECT_EQ(f.s.MainImage.Pixel(3, 2), 105u);
    f.w.LayForm = nullptr;
}
