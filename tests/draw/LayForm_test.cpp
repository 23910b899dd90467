#include "../views/FormHooks.h"
#include "draw/LayForm.h"
#include "draw/Undo.h"

#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// The forms fixture plus the layer window; the layer cell is the one right of the edited cell
// and holds index 7 throughout.
struct LayFixture : FormsFixture {
    std::unique_ptr<TLayForm> lay;
    LayFixture() {
        lay = std::make_unique<TLayForm>(s, w, nullptr);
        w.LayForm = lay.get();
        InitUndo(s, 31);
        s.LayerLeft = 16;
        for (int y = 0; y < 16; ++y)
            for (int x = 16; x < 32; ++x)
                s.MainImage.SetPixel(x, y, 7);
    }
    ~LayFixture() { w.LayForm = nullptr; }
};

} // namespace

TEST(LayForm, ControlsSetTheLayerFieldsAndShowThem) {
    LayFixture f;
    TLayForm& l = *f.lay;
    EXPECT_TRUE(l.btSITA->isChecked());
    EXPECT_TRUE(l.ToukaItem(1)->isChecked());
    l.btLay->click();
    l.btUE->click();
    l.GouseiItem(2)->click();
    l.ToukaItem(0)->click();
    l.TougouItem(1)->click();
    EXPECT_TRUE(f.s.LayerActive);
    EXPECT_FALSE(f.s.LayerBelow);
    EXPECT_EQ(f.s.LayerMethod, 2);
    EXPECT_FALSE(f.s.LayerSeeThrough);
    EXPECT_EQ(f.s.LayerMergeTarget, 1);
    l.btSITA->click();
    l.btLay->click();
    EXPECT_TRUE(f.s.LayerBelow);
    EXPECT_FALSE(f.s.LayerActive);

    // Shown again, the window reflects the fields.
    f.s.LayerActive = true;
    f.s.LayerBelow = false;
    f.s.LayerMethod = 3;
    f.s.LayerSeeThrough = true;
    f.s.LayerMergeTarget = 0;
    l.show();
    EXPECT_TRUE(l.btLay->isChecked());
    EXPECT_TRUE(l.btUE->isChecked());
    EXPECT_TRUE(l.GouseiItem(3)->isChecked());
    EXPECT_TRUE(l.ToukaItem(1)->isChecked());
    EXPECT_TRUE(l.TougouItem(0)->isChecked());
}

TEST(LayForm, MergeWritesTheCompositeAsOneUndoStep) {
    LayFixture f;
    TLayForm& l = *f.lay;
    l.btLay->click();
    l.btUE->click();         // the layer cell lies over the edited cell
    l.ToukaItem(0)->click(); // and hides it completely
    l.btLayTOUGOU->click();  // into the edited cell
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(f.s.MainImage.Pixel(x, y), 7u) << x << "," << y;
    EXPECT_EQ(f.s.MainImage.Pixel(0, 16), 100u + 16 % 8); // below the cell: untouched
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    Undo(f.s);
    EXPECT_EQ(f.s.MainImage.Pixel(3, 2), 105u);
}
