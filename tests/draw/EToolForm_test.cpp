#include "../views/FormHooks.h"
#include "draw/EToolForm.h"
#include "draw/Undo.h"

#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;

TEST(EToolForm, ButtonsShiftAndFlipTheEditedCell) {
    test::FormsFixture f;
    InitUndo(f.s, 31);
    TEToolForm e(f.s, f.w, nullptr);
    f.w.EToolForm = &e;
    const uint32_t first = f.s.MainImage.Pixel(0, 5);
    const uint32_t second = f.s.MainImage.Pixel(1, 5);
    e.btLeft->click();
    EXPECT_EQ(f.s.MainImage.Pixel(0, 5), second);
    EXPECT_EQ(f.s.MainImage.Pixel(15, 5), first); // wrapped round within the cell
    EXPECT_EQ(f.s.MainImage.Pixel(16, 5), 100u + (16 + 5) % 8);
    e.btRight->click(); // a run of shifts is one step
    EXPECT_EQ(f.s.MainImage.Pixel(0, 5), first);
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    e.btRev1->click();
    EXPECT_EQ(f.s.MainImage.Pixel(4, 0), 100u + (4 + 15) % 8);
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 2");
    f.w.EToolForm = nullptr;
}
