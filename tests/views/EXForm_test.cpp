#include "FormHooks.h"
#include "draw/Undo.h"
#include "views/EXForm.h"
#include "views/LupeMouse.h"
#include "views/NarabeForm.h"
#include "widgets/MogPaintBox.h"

#include <QAction>
#include <QPainter>
#include <QScreen>
#include <gtest/gtest.h>

using namespace vallo;

// The menus size the views, which paint the cell and its exact mirror, and a new window shows
// the chosen items checked; a stroke repaints only the changed cells of both views.
TEST(EXForm, MenusSizeTheViewsAndAStrokeRepaintsOnlyTheChangedCells) {
    vallo::test::FormsFixture f;
    TEXForm ex(f.s, f.w, nullptr);
    TNarabeForm narabe(f.s, f.w, nullptr);
    f.w.EXForm = &ex;
    f.w.NarabeForm = &narabe;
    ex.show();
    narabe.show();
    ex.ZoomItem(3)->trigger();
    EXPECT_EQ(ex.Box()->size(), QSize(96, 48));
    const QImage shown = ex.Box()->grab().toImage();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(qGray(shown.pixel(x, y)), int(f.s.MainImage.Pixel(x / 3, y / 3)));
            ASSERT_EQ(shown.pixel(95 - x, y), shown.pixel(x, y)) << x << "," << y;
        }
    ex.StyleItem(2)->trigger();
    EXPECT_EQ(ex.Box()->size(), QSize(48, 48));
    narabe.CountItem(3)->trigger();
    narabe.ZoomItem(2)->trigger();
    EXPECT_EQ(narabe.Box()->size(), QSize(96, 96));
    const TEXForm another(f.s, f.w, nullptr);
    EXPECT_TRUE(another.ZoomItem(3)->isChecked() && another.StyleItem(2)->isChecked());
    const QRect screen = ex.screen()->availableGeometry(); // grown at the edge, it stays whole
    ex.move(screen.right() - 60, screen.bottom() - 60);
    ex.StyleItem(0)->trigger();
    EXPECT_TRUE(screen.contains(ex.frameGeometry())) << ex.frameGeometry().x();

    InitUndo(f.s, 8);
    f.s.LiveUpdate = true;
    f.s.EXZoom = f.s.NarabeCount = 2;
    f.s.EXStyle = 0;
    f.s.NarabeZoom = 1;
    f.s.Hooks->RedrawExtendedView();
    f.s.Hooks->TiledViewResize();
    QApplication::processEvents();
    QRegion painted[2];
    for (int i : {0, 1}) {
        TmogPaintBox* box = i ? narabe.Box() : ex.Box();
        box->OnPaint = [&, i, paint = box->OnPaint](QPainter& p, const QRect& r) {
            painted[i] += r;
            paint(p, r);
        };
    }
    f.s.DrawColor = 3;
    LupeBoxMouseDown(f.s, MouseButton::Left, 4 * 5 + 1, 4 * 6 + 1, false);
    LupeBoxMouseUp(f.s, MouseButton::Left, 4 * 5 + 1, 4 * 6 + 1, false);
    EXPECT_EQ(f.s.MainImage.Pixel(5, 6), 3u);
    // Two copies of the cell in the extended view, four in the tiled one: a 2 x 2 and a 1 x 1
    // square each, nothing else.
    EXPECT_EQ(painted[0], QRegion(10, 12, 2, 2) + QRegion(52, 12, 2, 2));
    EXPECT_EQ(painted[1], QRegion(5, 6, 1, 1) + QRegion(21, 6, 1, 1) + QRegion(5, 22, 1, 1) +
                              QRegion(21, 22, 1, 1));
    f.w.EXForm = nullptr;
    f.w.NarabeForm = nullptr;
}
