#include "../views/FormHooks.h"
#include "draw/LayForm.h"
#include "draw/Undo.h"

#include <QGroupBox>
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

TEST(LayForm, ControlsSitWhereTheyBelongAndShowTheState) {
    LayFixture f;
    TLayForm& l = *f.lay;
    EXPECT_EQ(l.size(), QSize(315, 91));
    EXPECT_EQ(l.btLayTOUGOU->geometry(), QRect(236, 60, 77, 29));
    EXPECT_EQ(l.GOUSEI->geometry(), QRect(85, 36, 120, 53));
    EXPECT_EQ(l.GOUSEI->title(), QString::fromUtf8("合成方法"));
    EXPECT_EQ(l.GouseiItem(4)->text(), QString::fromUtf8("乗算"));
    EXPECT_EQ(l.TougouItem(1)->text(), QString::fromUtf8("レイヤーキャラ"));
    EXPECT_TRUE(l.btSITA->isChecked());
    EXPECT_TRUE(l.ToukaItem(1)->isChecked());
    EXPECT_TRUE(l.GouseiItem(0)->isChecked());
    f.s.LayerActive = true;
    f.s.LayerBelow = false;
    f.s.LayerMethod = 3;
    f.s.LayerSeeThrough = false;
    f.s.LayerMergeTarget = 1;
    l.show();
    EXPECT_TRUE(l.btLay->isChecked());
    EXPECT_TRUE(l.btUE->isChecked());
    EXPECT_TRUE(l.GouseiItem(3)->isChecked());
    EXPECT_TRUE(l.ToukaItem(0)->isChecked());
    EXPECT_TRUE(l.TougouItem(1)->isChecked());
}

TEST(LayForm, ControlsSetTheLayerFields) {
    LayFixture f;
    TLayForm& l = *f.lay;
    l.btLay->click();
    EXPECT_TRUE(f.s.LayerActive);
    l.btUE->click();
    EXPECT_FALSE(f.s.LayerBelow);
    l.GouseiItem(2)->click();
    EXPECT_EQ(f.s.LayerMethod, 2);
    l.ToukaItem(0)->click();
    EXPECT_FALSE(f.s.LayerSeeThrough);
    l.TougouItem(1)->click();
    EXPECT_EQ(f.s.LayerMergeTarget, 1);
    l.btSITA->click();
    EXPECT_TRUE(f.s.LayerBelow);
    l.btLay->click();
    EXPECT_FALSE(f.s.LayerActive);
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
