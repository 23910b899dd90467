#include "FormHooks.h"
#include "draw/Undo.h"
#include "views/EXForm.h"
#include "views/LupeMouse.h"
#include "views/NarabeForm.h"
#include "widgets/MogPaintBox.h"

#include <QAction>
#include <QPainter>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// The forms fixture plus the extended and tiled views, shown.
struct PreviewFixture : FormsFixture {
    std::unique_ptr<TEXForm> ex;
    std::unique_ptr<TNarabeForm> narabe;
    PreviewFixture() {
        ex = std::make_unique<TEXForm>(s, w, nullptr);
        narabe = std::make_unique<TNarabeForm>(s, w, nullptr);
        w.EXForm = ex.get();
        w.NarabeForm = narabe.get();
        ex->show();
        narabe->show();
    }
    ~PreviewFixture() { w.EXForm = nullptr, w.NarabeForm = nullptr; }
};

} // namespace

TEST(EXForm, MenusResizeTheViewsPaintedExactlyAndAreCheckedFromTheSettings) {
    PreviewFixture f;
    f.ex->ZoomItem(3)->trigger();
    EXPECT_EQ(f.ex->Box()->size(), QSize(96, 48));
    // The mirrored half is the exact mirror of the painted cell.
    const QImage shown = f.ex->Box()->grab().toImage();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(qGray(shown.pixel(x, y)), int(f.s.MainImage.Pixel(x / 3, y / 3)));
            ASSERT_EQ(shown.pixel(95 - x, y), shown.pixel(x, y)) << x << "," << y;
        }
    f.ex->StyleItem(2)->trigger();
    EXPECT_EQ(f.ex->Box()->size(), QSize(48, 48));
    f.narabe->CountItem(3)->trigger();
    f.narabe->ZoomItem(2)->trigger();
    EXPECT_EQ(f.narabe->Box()->size(), QSize(96, 96));
    TEXForm ex(f.s, f.w, nullptr);
    EXPECT_TRUE(ex.ZoomItem(3)->isChecked() && ex.StyleItem(2)->isChecked());
}

TEST(EXForm, AStrokeRepaintsOnlyTheChangedCellsOfBothViews) {
    PreviewFixture f;
    InitUndo(f.s, 8);
    f.s.LiveUpdate = true;
    f.s.EXZoom = 2;
    f.s.NarabeCount = 2;
    f.s.Hooks->RedrawExtendedView();
    f.s.Hooks->TiledViewResize();
    QApplication::processEvents();
    QRegion painted[2];
    for (int i : {0, 1}) {
        TmogPaintBox* box = i ? f.narabe->Box() : f.ex->Box();
        box->OnPaint = [&, i, paint = box->OnPaint](QPainter& p, const QRect& r) {
            painted[i] += r;
            paint(p, r);
        };
    }
    f.s.DrawColor = 3;
    LupeBoxMouseDown(f.s, MouseButton::Left, 4 * 5 + 1, 4 * 6 + 1, false);
    LupeBoxMouseUp(f.s, MouseButton::Left, 4 * 5 + 1, 4 * 6 + 1, false);
    ASSERT_EQ(f.s.MainImage.Pixel(5, 6), 3u);
    // Two copies of the cell in the extended view, four in the tiled one: a 2 x 2 and a 1 x 1
    // square each, nothing else.
    EXPECT_EQ(painted[0], QRegion(10, 12, 2, 2) + QRegion(52, 12, 2, 2));
    EXPECT_EQ(painted[1], QRegion(5, 6, 1, 1) + QRegion(21, 6, 1, 1) + QRegion(5, 22, 1, 1) +
                              QRegion(21, 22, 1, 1));
}
