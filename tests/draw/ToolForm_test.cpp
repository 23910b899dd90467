#include "draw/ToolChoice.h"
#include "draw/ToolForm.h"
#include "views/FormHooks.h"
#include "widgets/MogPaintBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

TEST(ToolForm, LayoutAndStartingChoices) {
    FormsFixture f;
    TToolForm& t = *f.tool;
    EXPECT_EQ(t.windowTitle(), QString::fromUtf8("ツール"));
    EXPECT_TRUE(t.windowFlags() & Qt::Tool);
    EXPECT_EQ(t.width(), 96);
    EXPECT_EQ(t.ToolButton(0)->geometry(), QRect(0, 28, 24, 24));  // pen
    EXPECT_EQ(t.ToolButton(7)->geometry(), QRect(24, 28, 24, 24)); // range
    EXPECT_EQ(t.ToolButton(3)->geometry(), QRect(72, 52, 24, 24)); // filled ellipse
    EXPECT_EQ(t.MergeButton(4)->geometry(), QRect(72, 104, 24, 24));
    EXPECT_EQ(t.MergeButton(4)->text(), QString::fromUtf8("乗算"));
    EXPECT_EQ(t.DitherButton(2)->text(), QString::fromUtf8("逆網"));
    EXPECT_EQ(t.GridButton()->text(), "LupeGrid");
    EXPECT_TRUE(t.ToolButton(0)->isChecked());
    EXPECT_TRUE(t.MergeButton(0)->isChecked());
    EXPECT_TRUE(t.DitherButton(0)->isChecked());
    EXPECT_FALSE(t.UndoButton()->isEnabled());
    EXPECT_EQ(t.UndoButton()->text(), "Undo 0");
    EXPECT_EQ(t.SizeBox()->count(), 3);
    EXPECT_EQ(t.SizeBox()->currentText(), "16x16");
}

TEST(ToolForm, RefusesToClose) {
    FormsFixture f;
    f.tool->show();
    EXPECT_FALSE(f.tool->close());
    EXPECT_TRUE(f.tool->isVisible());
}

TEST(ToolForm, ButtonsSetTheChoices) {
    FormsFixture f;
    f.tool->ToolButton(4)->click();
    EXPECT_EQ(f.s.CurrentTool, 4);
    f.tool->MergeButton(4)->click();
    EXPECT_EQ(f.s.MergeMode, 4);
    f.tool->DitherButton(1)->click();
    EXPECT_EQ(f.s.DitherMode, 1);
    f.tool->GridButton()->click();
    EXPECT_TRUE(f.s.LupeGrid);
    f.tool->GridButton()->click();
    EXPECT_FALSE(f.s.LupeGrid);
}

TEST(ToolForm, SizeBoxAppliesOnTheKeystrokeThatMakesItValid) {
    FormsFixture f;
    if (!SizeBoxChange(f.s, "16x16"))
        GTEST_SKIP() << "tool choices not available";
    QComboBox* box = f.tool->SizeBox();
    box->setEditText("");
    QTest::keyClicks(box, "32x2");
    EXPECT_EQ(f.s.CharHeight, 16); // 32x2 is refused
    QTest::keyClicks(box, "4");
    EXPECT_EQ(f.s.CharWidth, 32);
    EXPECT_EQ(f.s.CharHeight, 24);
    box->setEditText("30x30");
    EXPECT_EQ(f.s.CharWidth, 32); // not a multiple of 4
}

TEST(ToolForm, PenStripChoosesThePen) {
    FormsFixture f;
    QTest::mouseClick(f.tool->PenImages(), Qt::LeftButton, {}, QPoint(399, 10));
    if (f.s.PenIndex == 0)
        GTEST_SKIP() << "tool choices not available";
    EXPECT_EQ(f.s.PenIndex, 19);
    EXPECT_EQ(f.s.PenSize, 20);
    EXPECT_EQ(f.s.PenOffset, -9);
}
