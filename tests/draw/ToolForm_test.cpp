#include "draw/ToolForm.h"
#include "views/FormHooks.h"
#include "widgets/MogPaintBox.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

TEST(ToolForm, ButtonsSetTheChoicesAndTheWindowStays) {
    FormsFixture f;
    TToolForm& t = *f.tool;
    EXPECT_TRUE(t.ToolButton(0)->isChecked());
    EXPECT_FALSE(t.UndoButton()->isEnabled());
    t.ToolButton(4)->click();
    t.MergeButton(4)->click();
    t.DitherButton(1)->click();
    EXPECT_EQ(f.s.CurrentTool, 4);
    EXPECT_EQ(f.s.MergeMode, 4);
    EXPECT_EQ(f.s.DitherMode, 1);
    EXPECT_FALSE(t.ToolButton(0)->isChecked());
    t.GridButton()->click();
    EXPECT_TRUE(f.s.LupeGrid);
    t.GridButton()->click();
    EXPECT_FALSE(f.s.LupeGrid);
    QTest::mouseClick(t.PenImages(), Qt::LeftButton, {}, QPoint(399, 10));
    EXPECT_EQ(f.s.PenIndex, 19);
    EXPECT_EQ(f.s.PenSize, 20);
    t.show();
    EXPECT_FALSE(t.close());
    EXPECT_TRUE(t.isVisible());
}

TEST(ToolForm, SizeBoxAppliesOnTheKeystrokeThatMakesItValid) {
    FormsFixture f;
    QComboBox* box = f.tool->SizeBox();
    EXPECT_EQ(box->currentText(), "16x16");
    box->setEditText("");
    QTest::keyClicks(box, "32x2");
    EXPECT_EQ(f.s.CharHeight, 16); // 32x2 is refused
    QTest::keyClicks(box, "4");
    EXPECT_EQ(f.s.CharWidth, 32);
    EXPECT_EQ(f.s.CharHeight, 24);
    box->setEditText("30x30");
    EXPECT_EQ(f.s.CharWidth, 32); // not a multiple of 4
}
