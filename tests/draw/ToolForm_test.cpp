#include "draw/ToolForm.h"
#include "views/FormHooks.h"
#include "widgets/MogPaintBox.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;

TEST(ToolForm, ControlsSetTheChoicesAndTheWindowStays) {
    test::FormsFixture f;
    TToolForm& t = *f.tool;
    EXPECT_FALSE(t.UndoButton()->isEnabled());
    t.ToolButton(4)->click();
    t.MergeButton(4)->click();
    t.DitherButton(1)->click();
    t.GridButton()->click();
    EXPECT_EQ(f.s.CurrentTool, 4);
    EXPECT_EQ(f.s.MergeMode, 4);
    EXPECT_EQ(f.s.DitherMode, 1);
    EXPECT_TRUE(f.s.LupeGrid);
    EXPECT_FALSE(t.ToolButton(0)->isChecked());
    QTest::mouseClick(t.PenImages(), Qt::LeftButton, {}, QPoint(399, 10));
    EXPECT_EQ(f.s.PenSize, 20);
    // The size box applies on the keystroke that makes its text a valid size.
    QComboBox* box = t.SizeBox();
    box->setEditText("");
    QTest::keyClicks(box, "32x2");
    EXPECT_EQ(f.s.CharHeight, 16);
    QTest::keyClicks(box, "4");
    EXPECT_EQ(f.s.CharWidth, 32);
    EXPECT_EQ(f.s.CharHeight, 24);
    t.show();
    EXPECT_FALSE(t.close());
    EXPECT_TRUE(t.isVisible());
}
